// The banner on control 1006 of the main window's template: the hand cursor whatever the
// hit test, the address opened on each release through the shell seam, and the release
// still handed to the control's own processing.
#include <gtest/gtest.h>

#include <functional>

#include "framework/Dialog.h"
#include "resources/resource.h"
#include "tests/support/Waiting.h"
#include "tests/ui/ModalDialogThread.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/Banner.h"

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

constexpr UINT kRunScript = WM_APP + 100;

// Template 102 with only the banner bound; the script runs once the modal loop runs.
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
        PostMessage(kRunScript);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_BANNER, m_banner); }

    CBanner m_banner;

protected:
    LRESULT OnRunScript(WPARAM, LPARAM)
    {
        m_script(*this);
        EndDialog(IDOK);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    Script m_script;
};

BEGIN_MESSAGE_MAP(BannerDialog, CDialog)
    ON_MESSAGE(kRunScript, &BannerDialog::OnRunScript)
END_MESSAGE_MAP()

// Moves the pointer to a point of the window's client area and waits until the system has
// let the window under it choose the cursor: the wait cursor set here gives way to another.
HCURSOR CursorAt(HWND window, POINT point)
{
    const HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    SetCursor(wait);
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    WaitUntil([&] { return GetCursor() != wait; });
    return GetCursor();
}

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

// The picture is centred in a wider control: its margins show the hand too.
TEST_F(Banner, ShowsTheHandWhereverThePointerIsOverTheControl)
{
    const HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    Run([&](BannerDialog& d) {
        // Above the windows that other tests may open meanwhile.
        SetWindowPos(d.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        RECT banner = {};
        d.m_banner.GetClientRect(&banner);
        const POINT inside[] = {{1, 1}, {banner.right / 2, banner.bottom / 2}, {banner.right - 2, banner.bottom - 2}};
        for (const POINT& point : inside)
            EXPECT_EQ(hand, CursorAt(d.m_banner, point)) << point.x << "," << point.y;
        // Below the banner, over the dialog itself.
        RECT below = {};
        GetWindowRect(d.m_banner, &below);
        POINT outside = {below.left + 1, below.bottom + 4};
        ScreenToClient(d.m_hWnd, &outside);
        EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), CursorAt(d.m_hWnd, outside));
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
    ASSERT_EQ(2u, m_shell.Executed().size());  // the press opened nothing
    for (const RecordingShell::Request& request : m_shell.Executed()) {
        EXPECT_EQ(nullptr, request.owner);
        EXPECT_TRUE(request.verbGiven);
        EXPECT_EQ("open", request.verb);
        EXPECT_EQ("https://www.example.com/product/", request.file);
        EXPECT_EQ(SW_SHOWNORMAL, request.showCommand);
    }
    EXPECT_EQ(2, g_releasesReachingStatic);
    EXPECT_TRUE(m_shell.Runs().empty());
}

TEST_F(Banner, HasAnEmptyAddressBeforeSetUrl)
{
    Run([](BannerDialog& d) {
        EXPECT_STREQ("", d.m_banner.m_url);
        d.m_banner.SendMessage(WM_LBUTTONUP, 0, 0);
    });
    ASSERT_EQ(1u, m_shell.Executed().size());
    EXPECT_EQ("", m_shell.Executed()[0].file);
}

}  // namespace
