// An extended dialog template (DLGTEMPLATEEX and its DLGITEMTEMPLATEEX items) read back from
// its resource bytes, with texts narrowed to 8 bits.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A name-or-ordinal field reads as its text, as "#n" for an ordinal, or, for a control's
// class, as the predefined class the ordinal stands for ("Button", "Static", ...).
struct DialogItem {
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    DWORD id;
    std::string windowClass;
    std::string text;
    WORD extraCount;
};

struct DialogTemplate {
    WORD version;
    WORD signature;
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    std::string menu;
    std::string windowClass;
    std::string caption;
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    std::string typeface;
    std::vector<DialogItem> items;
};

// False when the bytes are not a whole extended template with a font.
bool ParseDialogTemplate(const BYTE* bytes, DWORD size, DialogTemplate* result);
