// The companion's result words: KorvessaX64.exe prints exactly one of them, without a line
// end, as the whole answer of its run. Korvessa.exe reads the same words back, so both
// programs spell them from here.
#pragma once

#include <windows.h>

#define COMPANION_WORD_SUCCESS "success"
#define COMPANION_WORD_NOT_ADMIN "require admin privileges"
#define COMPANION_WORD_START_UP_FAILED "mfc init failed"
#define COMPANION_WORD_FILE_NOT_FOUND "file not found"
#define COMPANION_WORD_ACCESS_DENIED "access denied"
#define COMPANION_WORD_INVALID_PARAMETER "invalid parameter on path"
#define COMPANION_WORD_INF_INVALID "inf is invalid"
#define COMPANION_WORD_MISSING_CAT_ENTRY "missing cat entry in inf"
#define COMPANION_WORD_DEVICE_NOT_FOUND "device not found"
#define COMPANION_WORD_REJECT_UNSIGNED "reject unsigned drivers"
#define COMPANION_WORD_USER_CANCELLED "user cancelled on warnings"
#define COMPANION_WORD_USER_DECLINED "user decided not to install on warnings"
#define COMPANION_WORD_SIGNATURE_FAILED "failed signature validation"
#define COMPANION_WORD_NO_CAT "no cat"
// Any other error code of a failed installation, 0 included: eight lower-case hex digits.
#define COMPANION_WORD_ERROR_FORMAT "[Error] code=0x%08x"

struct CompanionErrorWord {
    DWORD errorCode;
    const char* word;
};

// The installation call's error codes that have a word of their own. The SetupAPI codes are
// written out because not every SDK's headers name them all.
inline constexpr CompanionErrorWord kCompanionErrorWords[] = {
    {ERROR_FILE_NOT_FOUND, COMPANION_WORD_FILE_NOT_FOUND},
    {ERROR_ACCESS_DENIED, COMPANION_WORD_ACCESS_DENIED},
    {ERROR_INVALID_PARAMETER, COMPANION_WORD_INVALID_PARAMETER},
    {0xE0000003, COMPANION_WORD_INF_INVALID},          // ERROR_GENERAL_SYNTAX
    {0xE0000100, COMPANION_WORD_MISSING_CAT_ENTRY},    // ERROR_WRONG_INF_STYLE
    {0xE000020B, COMPANION_WORD_DEVICE_NOT_FOUND},     // ERROR_NO_SUCH_DEVINST
    {0xE000022F, COMPANION_WORD_REJECT_UNSIGNED},      // ERROR_NO_CATALOG_FOR_OEM_INF
    {0xE000023F, COMPANION_WORD_USER_CANCELLED},       // ERROR_NO_AUTHENTICODE_CATALOG
    {0xE0000247, COMPANION_WORD_USER_DECLINED},        // ERROR_DRIVER_STORE_ADD_FAILED
    {0xE000024B, COMPANION_WORD_SIGNATURE_FAILED},     // ERROR_FILE_HASH_NOT_IN_CATALOG
    {0xE0000304, COMPANION_WORD_NO_CAT},
};
