// Dialog templates 102 (the main window) and 162 (the driver signature dialog), read back
// from the module and compared field by field with their tables.
#include "tests/resources/DialogTemplate.h"
#include "tests/resources/ResourceModule.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

const DWORD kNoId = static_cast<DWORD>(-1);

struct ExpectedControl {
    DWORD id;
    const char* windowClass;
    DWORD style;  // beyond WS_CHILD and WS_VISIBLE
    DWORD exStyle;
    short x, y, cx, cy;
    const char* text;
};

struct ExpectedDialog {
    int resourceId;
    DWORD style;
    DWORD exStyle;
    short cx, cy;
    WORD weight;
    const char* caption;
    std::vector<ExpectedControl> controls;
};

const char kInstructions[] =
    "Once your Computer has rebooted you will need to choose\r\n\r\n"
    "1) Troubleshoot\r\n\r\n"
    "2) Advanced setup\r\n\r\n"
    "3) Startup Settings \r\n\r\n"
    "4) Press F7 key corresponding to \"Disable driver signature enforcement\" entry.";

const ExpectedDialog kMainDialog = {
    102,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SHELLFONT,
    WS_EX_APPWINDOW,
    619, 290,
    FW_DONTCARE,
    "Korvessa 2.0 - www.korvessa.com",
    {
        {1002, "Static", SS_LEFT | WS_GROUP, 0, 113, 143, 152, 8, "N/A"},
        {1000, "msctls_progress32", 0, WS_EX_STATICEDGE, 78, 267, 58, 10, ""},
        {1001, "SysListView32", LVS_REPORT | LVS_ALIGNLEFT | WS_TABSTOP, 0, 9, 164, 597, 89, ""},
        {kNoId, "Static", SS_LEFT | WS_GROUP, 0, 10, 143, 90, 9, "Current Operating System:"},
        {1003, "Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 8, 263, 61, 19, "Help"},
        {1004, "Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 546, 262, 61, 19, "Install"},
        {1005, "Static", SS_LEFT | WS_GROUP, 0, 144, 268, 379, 8,
         "Korvessa 2.0 for Windows XP/Vista/7/8/10 [x86 or x64]"},
        {1006, "Static", SS_BITMAP | SS_NOTIFY | SS_CENTERIMAGE | SS_REALSIZEIMAGE, 0, 5, 3, 605, 133,
         "#161"},
        {1007, "Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 546, 139, 61, 19, "Refresh"},
        {1008, "Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 461, 139, 71, 19, "Device Manager"},
    },
};

const ExpectedDialog kDriverSignatureDialog = {
    162,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT,
    0,
    351, 179,
    FW_NORMAL,
    "Temporarily disable driver signature enforcement ",
    {
        {1011, "Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 217, 158, 73, 15, "Got it, Restart Now"},
        {1008, "Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 297, 158, 40, 15, "Cancel"},
        {kNoId, "Static", SS_LEFT | WS_GROUP, 0, 38, 17, 287, 81, kInstructions},
        {1013, "Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 234, 116, 101, 15, "Learn more (Recommended)"},
        {kNoId, "Static", SS_LEFT | WS_GROUP, 0, 11, 161, 68, 8, "www.korvessa.com"},
    },
};

class DialogTemplateTest : public testing::TestWithParam<const ExpectedDialog*> {};

TEST_P(DialogTemplateTest, MatchesItsTableFieldByField) {
    const ExpectedDialog& expected = *GetParam();
    ASSERT_NE(ResourceModule(), nullptr) << ResourceModulePath();
    ResourceData data = LoadResourceData(RT_DIALOG, MAKEINTRESOURCEA(expected.resourceId));
    DialogTemplate dialog;
    ASSERT_TRUE(ParseDialogTemplate(data.bytes, data.size, &dialog));

    EXPECT_EQ(dialog.helpId, 0u);
    EXPECT_EQ(dialog.style, expected.style);
    EXPECT_EQ(dialog.exStyle, expected.exStyle);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, expected.cx);
    EXPECT_EQ(dialog.cy, expected.cy);
    EXPECT_EQ(dialog.menu, "");
    EXPECT_EQ(dialog.windowClass, "");
    EXPECT_EQ(dialog.caption, expected.caption);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.weight, expected.weight);
    EXPECT_EQ(dialog.italic, 0);
    EXPECT_EQ(dialog.charset, DEFAULT_CHARSET);
    EXPECT_EQ(dialog.typeface, "MS Shell Dlg");

    ASSERT_EQ(dialog.items.size(), expected.controls.size());
    for (size_t i = 0; i < expected.controls.size(); ++i) {
        const ExpectedControl& want = expected.controls[i];
        const DialogItem& item = dialog.items[i];
        SCOPED_TRACE(testing::Message() << "control " << i << ", id " << static_cast<int>(want.id));
        EXPECT_EQ(item.id, want.id);
        EXPECT_EQ(item.windowClass, want.windowClass);
        EXPECT_EQ(item.style, WS_CHILD | WS_VISIBLE | want.style);
        EXPECT_EQ(item.exStyle, want.exStyle);
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_EQ(item.text, want.text);
        EXPECT_EQ(item.helpId, 0u);
        EXPECT_EQ(item.extraCount, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(BothDialogs, DialogTemplateTest,
                         testing::Values(&kMainDialog, &kDriverSignatureDialog),
                         [](const testing::TestParamInfo<const ExpectedDialog*>& info) {
                             return "Template" + std::to_string(info.param->resourceId);
                         });

TEST(DialogTemplateParser, RejectsCutTemplates) {
    ResourceData data = LoadResourceData(RT_DIALOG, MAKEINTRESOURCEA(102));
    ASSERT_GT(data.size, 40u);
    DialogTemplate dialog;
    EXPECT_FALSE(ParseDialogTemplate(data.bytes, data.size - 3, &dialog));
    EXPECT_FALSE(ParseDialogTemplate(data.bytes, 30, &dialog));
    EXPECT_FALSE(ParseDialogTemplate(nullptr, 0, &dialog));
}

}  // namespace
