// The module whose resources the tests read, opened as data only, and the raw resources in it.
#pragma once

#include <windows.h>

#include <vector>

// KORVESSA_RESOURCE_MODULE, the path the build compiles in.
const char* ResourceModulePath();

// The module opened with LOAD_LIBRARY_AS_DATAFILE, once for the whole run; NULL when it
// cannot be opened.
HMODULE ResourceModule();

struct ResourceData {
    const BYTE* bytes = nullptr;
    DWORD size = 0;
};

// FindResourceA, LoadResource, LockResource and SizeofResource; empty when missing.
ResourceData LoadResourceData(LPCSTR type, LPCSTR name);

// Every language the module holds that resource in.
std::vector<WORD> ResourceLanguages(LPCSTR type, LPCSTR name);
