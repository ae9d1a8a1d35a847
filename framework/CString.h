// CString: the 8-bit text of the ANSI code page that all of Korvessa's Windows calls take.
// Only what the program uses: construction, comparison, slicing, lower-casing and Format.
#pragma once

#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text);  // a null pointer gives the empty text
    // The text up to the first NUL, reading at most length bytes: safe on a fixed buffer
    // that may hold no NUL at all.
    CString(const char* text, int length);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    // Replaces the text with length bytes of text, reusing the storage it already has.
    void SetString(const char* text, int length);
    operator LPCSTR() const { return m_text.c_str(); }

    // printf-style formatting; the result replaces the text.
    void Format(const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));

    // Turns A to Z into a to z and leaves every other byte alone, whatever the code page.
    CString& MakeLower();

    // Index of the first occurrence at or after start, or -1.
    int Find(const char* part, int start = 0) const;
    // Up to count characters from first; out-of-range arguments are clamped, as the
    // class library does.
    CString Mid(int first, int count) const;
    CString Mid(int first) const { return Mid(first, GetLength()); }
    CString Left(int count) const { return Mid(0, count); }

    // Multibyte comparisons of the current code page (_mbscmp, _mbsicmp).
    int Compare(const char* other) const;
    int CompareNoCase(const char* other) const;

    CString& operator+=(const CString& tail);

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_text != b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator!=(const CString& a, const char* b) { return a.Compare(b) != 0; }
    // Orders keys of ordered maps, such as the vendor table.
    friend bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
    friend CString operator+(CString a, const CString& b) { return a += b; }

private:
    std::string m_text;
};
