// The bytes of registry values as the platform hands them over, for the fakes and tests.
#pragma once

#include <initializer_list>
#include <string>

// A REG_SZ value: the text and its NUL.
inline std::string TextValue(const std::string& text)
{
    return text + '\0';
}

// A REG_MULTI_SZ value: each string with its NUL, then the final NUL.
inline std::string MultiStringValue(std::initializer_list<std::string> strings)
{
    std::string value;
    for (const std::string& text : strings)
        value += text + '\0';
    return value + '\0';
}
