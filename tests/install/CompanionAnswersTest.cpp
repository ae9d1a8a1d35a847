// The companion's answers turned into status messages.
#include "install/InstallMessages.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "tests/support/TestPrograms.h"

namespace {

struct Mapped {
    BOOL installed;
    CString message;
};

Mapped Map(const char* answer, BOOL isWindowsVista)
{
    Mapped mapped{TRUE, "earlier"};
    mapped.installed = MapHelperResult(answer, mapped.message, isWindowsVista);
    return mapped;
}

// The word with every step-th letter in capitals, starting with the first.
CString Capitalised(const char* word, int step)
{
    std::string text = word;
    for (size_t i = 0; i < text.size(); i += step)
        text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    return text.c_str();
}

}  // namespace

TEST(MapHelperResult, SuccessIsTheExactWord)
{
    const Mapped elsewhere = Map("success", FALSE);
    EXPECT_TRUE(elsewhere.installed);
    EXPECT_STREQ("[Done] Installation success.", elsewhere.message);

    const Mapped onVista = Map("success", TRUE);
    EXPECT_TRUE(onVista.installed);
    EXPECT_STREQ("[Done] Installation Success, You must restart your computer to task effect.", onVista.message);
}

TEST(MapHelperResult, EveryFailureWordInAnyCase)
{
    const struct {
        const char* word;
        const char* message;
    } rows[] = {
        {"require admin privileges", "[Error] Require admin privileges."},
        {"file not found", "[Error] Require admin privileges."},
        {"invalid parameter on path", "[Error] Invalid parameter on path"},
        {"inf is invalid", "[Error] Inf is invalid"},
        {"device not found", "[Error] Device not found"},
        {"access denied", "[Error] Require admin privileges."},
        {"user decided not to install on warnings",
         "[Error] Select Install this driver software anyway, please try again."},
        {"user cancelled on warnings", "[Error] Select Install this driver software anyway, please try again."},
        {"no cat", "[Error] No cat file."},
        {"missing cat entry in inf", "[Error] Missing cat entry in inf."},
        {"reject unsigned drivers", "[Error] No cat file for inf"},
        {"failed signature validation", "[Error] Windows 8 x64 driver signature verification failed"},
    };
    for (const auto& row : rows) {
        for (const CString& answer : {CString(row.word), Capitalised(row.word, 1), Capitalised(row.word, 2)}) {
            for (const BOOL isWindowsVista : {FALSE, TRUE}) {
                const Mapped mapped = Map(answer, isWindowsVista);
                EXPECT_FALSE(mapped.installed) << answer;
                EXPECT_STREQ(row.message, mapped.message) << answer;
            }
        }
    }
}

TEST(MapHelperResult, AnyOtherAnswerIsTheMessageUnchanged)
{
    for (const char* answer : {"SUCCESS", "Success", "success\r\n", "success\n", " success", "", "mfc init failed",
                               "[Error] code=0xe0000235", "no cat file", "access denied "}) {
        for (const BOOL isWindowsVista : {FALSE, TRUE}) {
            const Mapped mapped = Map(answer, isWindowsVista);
            EXPECT_FALSE(mapped.installed) << '"' << answer << '"';
            EXPECT_STREQ(answer, mapped.message) << '"' << answer << '"';
        }
    }
}
