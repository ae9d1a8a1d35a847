// The companion's result words and the messages they stand for.
#include "install/CompanionAnswers.h"

#include "common/ResultWords.h"
#include "install/StatusTexts.h"

namespace {

// Compared in this order; the first word that matches gives the message.
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
