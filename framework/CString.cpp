// CString: formatting, slicing and the code page's comparisons.
#include "framework/CString.h"

#include <mbstring.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

CString::CString(const char* text) : m_text(text ? text : "") {}

CString::CString(const char* text, int length)
    : m_text(text, text && length > 0 ? ::strnlen(text, static_cast<size_t>(length)) : 0)
{
}

void CString::SetString(const char* text, int length)
{
    if (length > 0)
        m_text.assign(text, static_cast<size_t>(length));
    else
        m_text.clear();
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    if (length < 0) {
        m_text.clear();
    } else {
        std::string text(static_cast<size_t>(length) + 1, '\0');
        std::vsnprintf(&text[0], text.size(), format, args);
        text.resize(static_cast<size_t>(length));
        m_text.swap(text);
    }
    va_end(args);
}

CString& CString::MakeLower()
{
    for (char& c : m_text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return *this;
}

int CString::Find(const char* part, int start) const
{
    if (start < 0 || start > GetLength())
        return -1;
    const size_t at = m_text.find(part, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (first >= GetLength() || count <= 0)
        return CString();
    if (count > GetLength() - first)
        count = GetLength() - first;
    return CString(m_text.c_str() + first, count);
}

int CString::Compare(const char* other) const
{
    return ::_mbscmp(reinterpret_cast<const unsigned char*>(m_text.c_str()),
                     reinterpret_cast<const unsigned char*>(other ? other : ""));
}

int CString::CompareNoCase(const char* other) const
{
    return ::_mbsicmp(reinterpret_cast<const unsigned char*>(m_text.c_str()),
                      reinterpret_cast<const unsigned char*>(other ? other : ""));
}

CString& CString::operator+=(const CString& tail)
{
    m_text += tail.m_text;
    return *this;
}
