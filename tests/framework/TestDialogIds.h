// Numbers of the framework tests' dialog template and its controls.
#pragma once

#define IDD_TEST_DIALOG 200
#define IDC_TEST_LABEL 201
#define IDC_TEST_BUTTON 202
#define IDC_TEST_LIST 203
