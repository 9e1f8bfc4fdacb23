// Helpers for test programs that run under Wine.
#ifndef QUOVANT_TESTS_WIN32_SUPPORT_H
#define QUOVANT_TESTS_WIN32_SUPPORT_H

#include <string>

// A build-tree path (/work/...) as Wine sees it: Z:\work\...
inline std::wstring WindowsPath(const char *path)
{
    std::wstring out = L"Z:";
    for (const char *p = path; *p != '\0'; ++p)
        out += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return out;
}

#endif
