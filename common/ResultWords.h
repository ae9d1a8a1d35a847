// The companion's result words: KorvessaX64.exe prints exactly one of them, without a line
// end, as the whole answer of its run. Korvessa.exe reads the same words back, so both
// programs spell them from here.
#pragma once

#include <windows.h>

#include "common/SetupApiErrors.h"

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

// The installation call's error codes that have a word of their own.
inline constexpr CompanionErrorWord kCompanionErrorWords[] = {
    {ERROR_FILE_NOT_FOUND, COMPANION_WORD_FILE_NOT_FOUND},
    {ERROR_ACCESS_DENIED, COMPANION_WORD_ACCESS_DENIED},
    {ERROR_INVALID_PARAMETER, COMPANION_WORD_INVALID_PARAMETER},
    {SetupApiError::kGeneralSyntax, COMPANION_WORD_INF_INVALID},
    {SetupApiError::kWrongInfStyle, COMPANION_WORD_MISSING_CAT_ENTRY},
    {SetupApiError::kNoSuchDevinst, COMPANION_WORD_DEVICE_NOT_FOUND},
    {SetupApiError::kNoCatalogForOemInf, COMPANION_WORD_REJECT_UNSIGNED},
    {SetupApiError::kNoAuthenticodeCatalog, COMPANION_WORD_USER_CANCELLED},
    {SetupApiError::kDriverStoreAddFailed, COMPANION_WORD_USER_DECLINED},
    {SetupApiError::kFileHashNotInCatalog, COMPANION_WORD_SIGNATURE_FAILED},
    {SetupApiError::kNoCat, COMPANION_WORD_NO_CAT},
};
