// The SetupAPI error codes that the installation's outcomes tell apart, each named here once
// for both programs. They are written out because not every SDK's headers (mingw-w64's among
// them) name them all.
#pragma once

#include <windows.h>

namespace SetupApiError {

constexpr DWORD kGeneralSyntax = 0xE0000003;          // ERROR_GENERAL_SYNTAX
constexpr DWORD kWrongInfStyle = 0xE0000100;          // ERROR_WRONG_INF_STYLE
constexpr DWORD kNoSuchDevinst = 0xE000020B;          // ERROR_NO_SUCH_DEVINST
constexpr DWORD kNoCatalogForOemInf = 0xE000022F;     // ERROR_NO_CATALOG_FOR_OEM_INF
constexpr DWORD kInWow64 = 0xE0000235;                // ERROR_IN_WOW64
constexpr DWORD kNoAuthenticodeCatalog = 0xE000023F;  // ERROR_NO_AUTHENTICODE_CATALOG
constexpr DWORD kDriverStoreAddFailed = 0xE0000247;   // ERROR_DRIVER_STORE_ADD_FAILED
constexpr DWORD kFileHashNotInCatalog = 0xE000024B;   // ERROR_FILE_HASH_NOT_IN_CATALOG
// SetupAPI's headers give this code no name; the companion's word for it is "no cat".
constexpr DWORD kNoCat = 0xE0000304;

}  // namespace SetupApiError
