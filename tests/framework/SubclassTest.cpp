// Binding a dialog's controls: a control class with a map of its own is subclassed and
// passes what it does not take, and what it hands on with Default, to the control's own
// procedure; a class without one is only attached.
#include <gtest/gtest.h>

#include "framework/ListCtrl.h"
#include "framework/Static.h"
#include "tests/framework/ScriptedDialog.h"

namespace {

constexpr LRESULT kAdded = 100;

class CountingLabel : public CStatic {
public:
    CPoint m_releasedAt{-1, -1};
    UINT m_releaseFlags = 0;
    LRESULT m_releaseDefault = -1;

protected:
    LRESULT OnGetTextLength(WPARAM, LPARAM) { return Default() + kAdded; }
    void OnLButtonUp(UINT nFlags, CPoint point)
    {
        m_releaseFlags = nFlags;
        m_releasedAt = point;
        m_releaseDefault = Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingLabel, CStatic)
    ON_MESSAGE(WM_GETTEXTLENGTH, &CountingLabel::OnGetTextLength)
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

class BindingDialog : public ScriptedDialog {
public:
    using ScriptedDialog::ScriptedDialog;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_TEST_LABEL, m_label);
        DDX_Control(pDX, IDC_TEST_LIST, m_list);
    }

    CountingLabel m_label;
    CListCtrl m_list;
};

bool HasOwnProcedure(HWND control)
{
    return GetWindowLongPtrA(control, GWLP_WNDPROC) != static_cast<LONG_PTR>(GetClassLongPtrA(control, GCLP_WNDPROC));
}

TEST(DataExchange, SubclassesAControlWithAMapOfItsOwnAndAttachesTheOthers)
{
    BindingDialog dialog([](ScriptedDialog& d) {
        BindingDialog& b = static_cast<BindingDialog&>(d);
        EXPECT_EQ(d.GetDlgItem(IDC_TEST_LABEL), b.m_label.m_hWnd);
        EXPECT_EQ(d.GetDlgItem(IDC_TEST_LIST), b.m_list.m_hWnd);
        EXPECT_TRUE(HasOwnProcedure(b.m_label));
        EXPECT_FALSE(HasOwnProcedure(b.m_list));
        // A second exchange binds nothing twice.
        d.UpdateData(FALSE);
        EXPECT_EQ(static_cast<LRESULT>(strlen("Label text")) + kAdded, b.m_label.SendMessage(WM_GETTEXTLENGTH));
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    // Let go when the control went away with the dialog.
    EXPECT_EQ(nullptr, dialog.m_label.m_hWnd);
}

TEST(DataExchange, ASubclassedControlKeepsItsOwnProcessingForTheRest)
{
    BindingDialog dialog([](ScriptedDialog& d) {
        BindingDialog& b = static_cast<BindingDialog&>(d);
        char text[32] = {};
        EXPECT_EQ(static_cast<LRESULT>(strlen("Label text")),
                  b.m_label.SendMessage(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)));
        EXPECT_STREQ("Label text", text);

        // The static's own answer to a release, as the handler's Default got it.
        const LRESULT platform = CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(b.m_label, GCLP_WNDPROC)),
                                                 b.m_label, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(3, 4));
        b.m_label.SendMessage(WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(3, 4));
        EXPECT_EQ(3, b.m_label.m_releasedAt.x);
        EXPECT_EQ(4, b.m_label.m_releasedAt.y);
        EXPECT_EQ(static_cast<UINT>(MK_SHIFT), b.m_label.m_releaseFlags);
        EXPECT_EQ(platform, b.m_label.m_releaseDefault);
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
}

TEST(DataExchange, AControlObjectGoneBeforeItsWindowGivesTheWindowBackItsProcedure)
{
    ScriptedDialog dialog([](ScriptedDialog& d) {
        HWND label = d.GetDlgItem(IDC_TEST_LABEL);
        {
            CountingLabel early;
            early.SubclassWindow(label);
            EXPECT_TRUE(HasOwnProcedure(label));
        }
        EXPECT_FALSE(HasOwnProcedure(label));
        EXPECT_EQ(static_cast<LRESULT>(strlen("Label text")), SendMessageA(label, WM_GETTEXTLENGTH, 0, 0));
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
}

TEST(DataExchange, UnsubclassWindowGivesTheControlBackItsProcedure)
{
    BindingDialog dialog([](ScriptedDialog& d) {
        BindingDialog& b = static_cast<BindingDialog&>(d);
        HWND label = b.m_label;
        EXPECT_EQ(label, b.m_label.UnsubclassWindow());
        EXPECT_FALSE(HasOwnProcedure(label));
        EXPECT_EQ(nullptr, b.m_label.m_hWnd);
        EXPECT_EQ(static_cast<LRESULT>(strlen("Label text")), SendMessageA(label, WM_GETTEXTLENGTH, 0, 0));
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
}

}  // namespace
