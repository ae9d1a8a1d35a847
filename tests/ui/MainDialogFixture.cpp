// The main dialog on its own thread, for the tests of its events, list and worker operations.
#include "tests/ui/MainDialogFixture.h"

#include <commctrl.h>

#include "resources/resource.h"
#include "tests/support/RegistryValues.h"

void AddAdbNode(FakeDeviceTree& tree, const std::string& hardwareId, const std::string& description,
                ULONG status, ULONG problem)
{
    const DEVINST node = tree.AddChild(1);
    FakeDeviceTree::Node& n = tree[node];
    n.properties[CM_DRP_COMPATIBLEIDS] = MultiStringValue({"USB\\Class_ff&SubClass_42&Prot_01", "USB\\Class_ff"});
    n.properties[CM_DRP_HARDWAREID] = MultiStringValue({hardwareId});
    n.properties[CM_DRP_DEVICEDESC] = TextValue(description);
    n.status = status;
    n.problem = problem;
}

GatedInstallPlatform::GatedInstallPlatform() : m_gate(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

GatedInstallPlatform::~GatedInstallPlatform()
{
    CloseHandle(m_gate);
}

BOOL GatedInstallPlatform::ExtractDriverFile(int resourceId)
{
    // The first file of a run: one count per worker.
    if (resourceId == 130)
        ++m_runs;
    return TRUE;
}

DWORD GatedInstallPlatform::TestPendingInstallEvents()
{
    WaitForSingleObject(m_gate, 30000);
    return WAIT_OBJECT_0;
}

BOOL GatedInstallPlatform::RunCompanion(ChildProcessRecord&, CString& answer, const CString&)
{
    Sleep(companionMs);
    answer = "success";
    return TRUE;
}

BOOL GatedInstallPlatform::UpdateDriver(LPCSTR, LPCSTR, DWORD& lastError)
{
    lastError = ERROR_FILE_NOT_FOUND;
    return FALSE;
}

OpenMainDialog::OpenMainDialog()
{
    RegisterCommonControls();
    m_tree.AddRoot();
    m_thread.reset(new ModalDialogThread([this] {
        TestMainDialog dialog(m_shell, m_platform, m_tree);
        m_app.m_pMainWnd = &dialog;
        m_dialog = &dialog;
        const INT_PTR result = dialog.DoModal();
        m_dialog = nullptr;
        return result;
    }));
    m_window = m_thread->WaitForWindow();
}

OpenMainDialog::~OpenMainDialog()
{
    m_platform.OpenGate();
    if (m_window)
        PostMessageA(m_window, WM_CLOSE, 0, 0);
    m_thread.reset();
}

void OpenMainDialog::Click(int id) const
{
    SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
}

std::string OpenMainDialog::StatusText() const
{
    char text[512] = {};
    GetWindowTextA(Control(IDC_STATUS), text, sizeof text);
    return text;
}

std::vector<std::string> OpenMainDialog::Rows() const
{
    std::vector<std::string> rows;
    const HWND list = Control(IDC_DEVICE_LIST);
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        std::string text = std::to_string(item.iImage);
        for (int column = 1; column <= 3; ++column) {
            char cell[256] = {};
            LVITEMA sub = {};
            sub.iSubItem = column;
            sub.pszText = cell;
            sub.cchTextMax = sizeof cell;
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
            text += std::string("|") + cell;
        }
        rows.push_back(text);
    }
    return rows;
}
