// The companion's result words and the in-process installation's error codes, and the
// messages they stand for.
#include "install/InstallMessages.h"

#include "common/ResultWords.h"
#include "common/SetupApiErrors.h"
#include "install/StatusTexts.h"

namespace {

// The companion's failure words, compared in this order; the first word that matches gives
// the message.
const struct {
    const char* word;
    const char* message;
} kFailureWords[] = {
    {COMPANION_WORD_NOT_ADMIN, StatusText::kAdminRequired},
    {COMPANION_WORD_FILE_NOT_FOUND, StatusText::kAdminRequired},
    {COMPANION_WORD_INVALID_PARAMETER, StatusText::kInvalidParameterOnPath},
    {COMPANION_WORD_INF_INVALID, StatusText::kInfInvalid},
    {COMPANION_WORD_DEVICE_NOT_FOUND, StatusText::kDeviceNotFound},
    {COMPANION_WORD_ACCESS_DENIED, StatusText::kAdminRequired},
    {COMPANION_WORD_USER_DECLINED, StatusText::kInstallAnyway},
    {COMPANION_WORD_USER_CANCELLED, StatusText::kInstallAnyway},
    {COMPANION_WORD_NO_CAT, StatusText::kNoCatalog},
    {COMPANION_WORD_MISSING_CAT_ENTRY, StatusText::kMissingCatalogEntry},
    {COMPANION_WORD_REJECT_UNSIGNED, StatusText::kNoCatalogForInf},
    {COMPANION_WORD_SIGNATURE_FAILED, StatusText::kWindows8SignatureFailed},
};

// The in-process installation's error codes, compared in this order.
const struct {
    DWORD code;
    const char* message;
} kInstallErrors[] = {
    {ERROR_FILE_NOT_FOUND, StatusText::kFileMissing},
    {ERROR_INVALID_PARAMETER, StatusText::kInvalidParameterOnPath},
    {ERROR_ACCESS_DENIED, StatusText::kAccessDenied},
    {SetupApiError::kNoSuchDevinst, StatusText::kDeviceNotFound},
    {SetupApiError::kNoCat, StatusText::kInstallAnyway},
    {SetupApiError::kNoAuthenticodeCatalog, StatusText::kInstallAnyway},
    {SetupApiError::kDriverStoreAddFailed, StatusText::kInstallAnyway},
    {SetupApiError::kFileHashNotInCatalog, StatusText::kSignatureFailed},
    {SetupApiError::kNoCatalogForOemInf, StatusText::kNoCatalogForInf},
    {SetupApiError::kInWow64, StatusText::kRunningOn64Bit},
};

}  // namespace

BOOL MapHelperResult(CString answer, CString& message, BOOL isWindowsVista)
{
    if (answer.Compare(COMPANION_WORD_SUCCESS) == 0) {
        message = isWindowsVista ? StatusText::kInstalledRestartNeeded : StatusText::kCompanionInstalled;
        return TRUE;
    }
    for (const auto& known : kFailureWords) {
        if (answer.CompareNoCase(known.word) == 0) {
            message = known.message;
            return FALSE;
        }
    }
    message = answer;
    return FALSE;
}

CString InstallErrorMessage(DWORD code)
{
    for (const auto& error : kInstallErrors) {
        if (error.code == code)
            return error.message;
    }
    CString message;
    message.Format(StatusText::kOtherErrorFormat, static_cast<unsigned>(code));
    return message;
}
