// The banner on control 1006 of the main window's template: the hand cursor whatever the
// hit test, the address opened on each release through the shell seam, and the release
// still handed to the control's own processing.
#include <gtest/gtest.h>

#include <functional>

#include "Banner.h"
#include "Dialog.h"
#include "RecordingShell.h"
#include "StartedProgram.h"
#include "resource.h"

namespace {

// The control's procedure before the banner took it: it notes the releases that reach it.
WNDPROC g_staticProc = nullptr;
int g_releasesReachingStatic = 0;

LRESULT CALLBACK CountReleases(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONUP)
        ++g_releasesReachingStatic;
    return CallWindowProcA(g_staticProc, hwnd, message, wParam, lParam);
}

class BannerDialog : public CDialog {
public:
    using Script = std::function<void(BannerDialog&)>;

    BannerDialog(ShellRequests& shell, Script script)
        : CDialog(IDD_KORVESSA_DIALOG), m_banner(shell), m_script(std::move(script)) {}

    BOOL OnInitDialog() override
    {
        g_releasesReachingStatic = 0;
        g_staticProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            GetDlgItem(IDC_BANNER), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountReleases)));
        CDialog::OnInitDialog();
        m_script(*this);
        EndDialog(IDOK);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_BANNER, m_banner); }

    CBanner m_banner;

private:
    Script m_script;
};

class Banner : public testing::Test {
protected:
    void SetUp() override { RegisterCommonControls(); }
    void Run(BannerDialog::Script script)
    {
        BannerDialog dialog(m_shell, std::move(script));
        ASSERT_EQ(IDOK, dialog.DoModal());
    }
    RecordingShell m_shell;
};

TEST_F(Banner, ShowsTheHandWhateverTheHitTestOrMouseMessage)
{
    const struct {
        short hitTest;
        WORD mouseMessage;
    } cases[] = {{HTCLIENT, WM_MOUSEMOVE}, {HTNOWHERE, 0}, {HTBORDER, WM_LBUTTONDOWN}, {HTTRANSPARENT, WM_MOUSEMOVE}};
    const HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    Run([&](BannerDialog& d) {
        for (const auto& c : cases) {
            SetCursor(LoadCursorA(nullptr, IDC_ARROW));
            EXPECT_TRUE(d.m_banner.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(d.m_banner.m_hWnd),
                                               MAKELPARAM(c.hitTest, c.mouseMessage)))
                << c.hitTest;
            EXPECT_EQ(hand, GetCursor()) << c.hitTest;
        }
    });
}

TEST_F(Banner, OpensItsAddressOnEachReleaseAndPassesTheReleaseOn)
{
    Run([](BannerDialog& d) {
        d.m_banner.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        d.m_banner.SetUrl("https://www.example.com/product/");
        d.m_banner.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        d.m_banner.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(600, 2));
    });
    const std::vector<RecordingShell::Request> requests = m_shell.Requests();
    ASSERT_EQ(2u, requests.size());  // the press opened nothing
    for (const RecordingShell::Request& request : requests) {
        EXPECT_FALSE(request.run);
        EXPECT_EQ(nullptr, request.owner);
        EXPECT_TRUE(request.hasVerb);
        EXPECT_EQ("open", request.verb);
        EXPECT_EQ("https://www.example.com/product/", request.file);
        EXPECT_EQ(SW_SHOWNORMAL, request.showCommand);
    }
    EXPECT_EQ(2, g_releasesReachingStatic);
}

TEST_F(Banner, HasAnEmptyAddressBeforeSetUrl)
{
    Run([](BannerDialog& d) {
        EXPECT_STREQ("", d.m_banner.m_url);
        d.m_banner.SendMessage(WM_LBUTTONUP, 0, 0);
    });
    const std::vector<RecordingShell::Request> requests = m_shell.Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("", requests[0].file);
}

}  // namespace
