// The run-time class records: the banner and the restart dialog have their own, with their
// framework bases; the main dialog, which has none, reports its base's.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/ui/UiTestSupport.h"
#include "ui/Banner.h"
#include "ui/DriverSignatureDlg.h"
#include "ui/KorvessaDlg.h"

namespace {

TEST(RuntimeClass, EachWindowClassReportsItsRecordWithItsBase)
{
    RecordingShell shell;
    const CBanner banner(shell);
    const CDriverSignatureDlg signatureDialog(shell);
    const CKorvessaDlg mainDialog(shell);
    const CStatic plainStatic;
    const struct {
        const CWnd& object;
        const char* name;
        const CRuntimeClass* base;
    } cases[] = {
        {banner, "CBanner", RUNTIME_CLASS(CStatic)},
        {signatureDialog, "CDriverSignatureDlg", RUNTIME_CLASS(CDialog)},
        {mainDialog, "CDialog", RUNTIME_CLASS(CWnd)},
        {plainStatic, "CStatic", RUNTIME_CLASS(CWnd)},
    };
    for (const auto& c : cases) {
        const CRuntimeClass* record = c.object.GetRuntimeClass();
        ASSERT_NE(nullptr, record) << c.name;
        EXPECT_STREQ(c.name, record->m_lpszClassName);
        EXPECT_EQ(c.base, record->m_pBaseClass) << c.name;
        EXPECT_EQ(0xFFFFu, record->m_wSchema) << c.name;
        EXPECT_EQ(nullptr, record->m_pfnCreateObject) << c.name;
    }
    EXPECT_EQ(RUNTIME_CLASS(CBanner), banner.GetRuntimeClass());
    EXPECT_EQ(RUNTIME_CLASS(CDriverSignatureDlg), signatureDialog.GetRuntimeClass());
    EXPECT_STREQ("CWnd", RUNTIME_CLASS(CWnd)->m_lpszClassName);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CWnd)->m_pBaseClass);
}

}  // namespace
