// Quovant.dll as the front end meets it: LoadLibraryW, GetProcAddress of
// "GetIdioms", a query; and the test builds with a damaged stream, whose
// load the DLL's entry must refuse.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "quovant.h"
#include "examples.h"
#include "support.h"
#include "win32_support.h"

namespace {

TEST(Library, LoadsAndAnswers)
{
    HMODULE module = LoadLibraryW(WindowsPath(QUOVANT_GOOD_LIBRARY).c_str());
    ASSERT_NE(module, nullptr) << GetLastError();
    auto getIdioms = reinterpret_cast<QuovantGetIdiomsFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "GetIdioms")));
    ASSERT_NE(getIdioms, nullptr);
    wchar_t buffer[QUERY_UNITS] = L" 一心一意\t";
    const wchar_t *result = getIdioms(buffer);
    EXPECT_EQ(ToUtf8(reinterpret_cast<const char16_t *>(result)),
              AFTER_YI);
    EXPECT_STREQ(buffer, L"一心一意");
}

TEST(Library, DamagedStreamsRefuseTheLoad)
{
    for (const char *path : {QUOVANT_BAD_PINYIN_LIBRARY, QUOVANT_BAD_IDIOMS_LIBRARY}) {
        HMODULE module = LoadLibraryW(WindowsPath(path).c_str());
        EXPECT_EQ(module, nullptr) << path;
    }
}

}  // namespace
