// The installation tests' helper program (TestHelper.cpp), which the tests run as a child.
#pragma once

#include "framework/CString.h"
#include "tests/support/TestPrograms.h"

// The helper's full path; the build puts it next to the test program.
inline CString HelperPath()
{
    return BesideThisProgram("install_test_helper.exe").c_str();
}
