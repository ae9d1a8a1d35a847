// The companion's result words and the messages they stand for.
#include "CompanionAnswers.h"

#include "StatusTexts.h"

namespace {

constexpr char kSuccessWord[] = "success";

// Compared in this order; the first word that matches gives the message.
const struct {
    const char* word;
    const char* message;
} kFailureWords[] = {
    {"require admin privileges", StatusText::kAdminRequired},
    {"file not found", StatusText::kAdminRequired},
    {"invalid parameter on path", StatusText::kInvalidParameterOnPath},
    {"inf is invalid", StatusText::kInfInvalid},
    {"device not found", StatusText::kDeviceNotFound},
    {"access denied", StatusText::kAdminRequired},
    {"user decided not to install on warnings", StatusText::kInstallAnyway},
    {"user cancelled on warnings", StatusText::kInstallAnyway},
    {"no cat", StatusText::kNoCatalog},
    {"missing cat entry in inf", StatusText::kMissingCatalogEntry},
    {"reject unsigned drivers", StatusText::kNoCatalogForInf},
    {"failed signature validation", StatusText::kWindows8SignatureFailed},
};

}  // namespace

BOOL MapHelperResult(CString answer, CString& message, BOOL isWindowsVista)
{
    if (answer.Compare(kSuccessWord) == 0) {
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
