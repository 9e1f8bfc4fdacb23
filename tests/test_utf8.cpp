// The UTF-8 conversions at the boundary between UTF-8 files, arguments and
// streams and the library's UTF-16.
#include <gtest/gtest.h>

#include "utf8.h"

namespace {

TEST(Utf8, DecodesValidAndRefusesInvalidText)
{
    const struct {
        std::string in;
        std::optional<std::u16string> out;
    } cases[] = {
        {"", u""},
        {"abc", u"abc"},
        {"一心一意", u"一心一意"},
        {"l\xC3\xBC", u"lü"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},  // outside the BMP: a surrogate pair
        {"\xFF", std::nullopt},
        {"\xC0\xAF", std::nullopt},          // overlong
        {"\xE0\x80\xAF", std::nullopt},      // overlong
        {"\xED\xA0\x80", std::nullopt},      // a surrogate
        {"\xF4\x90\x80\x80", std::nullopt},  // past U+10FFFF
        {"\xE4\xB8", std::nullopt},          // cut short
        {"\xE4" "a" "\x80", std::nullopt},   // a broken continuation
    };
    for (const auto &c : cases)
        EXPECT_EQ(Utf8ToUtf16(c.in), c.out) << c.in;
}

TEST(Utf8, EncodesAndRoundTrips)
{
    EXPECT_EQ(Utf16ToUtf8(u"一心一意 lv"), "一心一意 lv");
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    for (const std::string s : {"", "ü", "驴唇不对马嘴", "\xF0\x9F\x98\x80x"})
        EXPECT_EQ(Utf16ToUtf8(*Utf8ToUtf16(s)), s);
}

}  // namespace
