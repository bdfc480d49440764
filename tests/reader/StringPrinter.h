// Lets GoogleTest print framework strings as readable UTF-8 text in failures.
#pragma once
#include <windows.h>
#include <ostream>
#include <string>
#include "platform/framework/Strings.h"

inline void PrintTo(const CString& text, std::ostream* out)
{
    std::string utf8;
    int n = WideCharToMultiByte(CP_UTF8, 0, text.GetString(), text.GetLength(), nullptr, 0, nullptr, nullptr);
    if (n > 0) {
        utf8.resize(size_t(n));
        WideCharToMultiByte(CP_UTF8, 0, text.GetString(), text.GetLength(), &utf8[0], n, nullptr, nullptr);
    }
    *out << "L\"" << utf8 << "\"";
}
