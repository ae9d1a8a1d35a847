// The shared key filter: only the key-downs of Esc and Enter are swallowed.
#include "ui/KeyFilter.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
    const char* name;
    UINT message;
    WPARAM key;
    BOOL swallowed;
};

const KeyCase kKeyCases[] = {
    {"Esc key-down", WM_KEYDOWN, VK_ESCAPE, TRUE},
    {"Enter key-down", WM_KEYDOWN, VK_RETURN, TRUE},
    {"space key-down", WM_KEYDOWN, VK_SPACE, FALSE},
    {"tab key-down", WM_KEYDOWN, VK_TAB, FALSE},
    {"F4 key-down", WM_KEYDOWN, VK_F4, FALSE},
    {"A key-down", WM_KEYDOWN, 'A', FALSE},
    {"Esc system key-down", WM_SYSKEYDOWN, VK_ESCAPE, FALSE},
    {"Enter system key-down", WM_SYSKEYDOWN, VK_RETURN, FALSE},
    {"Alt+F4", WM_SYSKEYDOWN, VK_F4, FALSE},
    {"Esc key-up", WM_KEYUP, VK_ESCAPE, FALSE},
    {"Enter key-up", WM_KEYUP, VK_RETURN, FALSE},
    {"Esc character", WM_CHAR, VK_ESCAPE, FALSE},
    {"Enter character", WM_CHAR, VK_RETURN, FALSE},
    {"a command that carries Enter's number", WM_COMMAND, VK_RETURN, FALSE},
};

TEST(KeyFilter, SwallowsOnlyTheKeyDownsOfEscAndEnter)
{
    for (const KeyCase& c : kKeyCases) {
        MSG message = {};
        message.message = c.message;
        message.wParam = c.key;
        EXPECT_EQ(c.swallowed, IsSwallowedDialogKey(message)) << c.name;
    }
}

}  // namespace
