// Addresses of the maker's web pages, all built on the one site address.
#pragma once

#define KORVESSA_WEB_SITE "https://www.korvessa.com"

// The product page the banner advertises and opens: the site's home page.
#define KORVESSA_PRODUCT_PAGE KORVESSA_WEB_SITE "/"
// The Help button's page, and the restart dialog's page on driver signature enforcement.
#define KORVESSA_DOCUMENTATION_PAGE KORVESSA_WEB_SITE "/documentation/"
#define KORVESSA_SIGNATURE_HELP_PAGE KORVESSA_DOCUMENTATION_PAGE "how-to-install-adb-driver-on-windows-8-10-x64.html"
// Where the Samsung case sends the user for Samsung's own USB driver.
#define KORVESSA_DOWNLOADS_PAGE KORVESSA_WEB_SITE "/downloads/"
