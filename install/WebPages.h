// Addresses of the maker's web pages, all built on the one site address.
#pragma once

#define KORVESSA_WEB_SITE "https://www.korvessa.com"

// Where the Samsung case sends the user for Samsung's own USB driver.
#define KORVESSA_DOWNLOADS_PAGE KORVESSA_WEB_SITE "/downloads/"
