// The quovant tool's core over the real library: both modes, exit codes and
// invalid UTF-8.
#include <gtest/gtest.h>

#include <deque>

#include "binding.h"
#include "cli.h"

namespace {

const std::string AFTER_YI = "意出望外 意得志满 意广才疏 意合情投 意懒心灰 意懒心慵 意料之外 意乱心忙";
const std::string AFTER_LV = "驴唇不对马嘴 驴唇马觜 驴唇马嘴 驴鸣狗吠 驴鸣犬吠 驴年马月 驴前马后 驴头不对马嘴";
const std::string NOT_FOUND = "没有找到合适的成语，请重试。\n";

class FakeConsole : public Console {
public:
    explicit FakeConsole(std::deque<std::string> lines = {}) : lines_(std::move(lines)) {}
    bool ReadLine(std::string &line) override
    {
        if (lines_.empty())
            return false;
        line = lines_.front();
        lines_.pop_front();
        return true;
    }
    bool Out(std::string_view text) override
    {
        out += text;
        return true;
    }
    void Err(std::string_view text) override { err += text; }

    std::string out;
    std::string err;

private:
    std::deque<std::string> lines_;
};

class Cli : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(BindLibrary(QUOVANT_LIBRARY)); }
};

TEST_F(Cli, EachArgumentIsOneQueryAndOneLine)
{
    FakeConsole console;
    EXPECT_EQ(RunQuovant({"一心一意", "lv"}, console), 0);
    EXPECT_EQ(console.out, AFTER_YI + "\n" + AFTER_LV + "\n");
    EXPECT_EQ(console.err, "");
}

TEST_F(Cli, AnArgumentThatFindsNothingGivesAnEmptyLineAMessageAndCodeOne)
{
    FakeConsole console;
    EXPECT_EQ(RunQuovant({"艾", "lv", "   "}, console), 1);
    EXPECT_EQ(console.out, "\n" + AFTER_LV + "\n\n");
    EXPECT_EQ(console.err, NOT_FOUND + NOT_FOUND);
}

TEST_F(Cli, InvalidUtf8ArgumentIsNamedAndTheOthersStillRun)
{
    FakeConsole console;
    EXPECT_EQ(RunQuovant({"lv", "\xE4\xB8", "一心一意"}, console), 1);
    EXPECT_EQ(console.out, AFTER_LV + "\n\n" + AFTER_YI + "\n");
    EXPECT_EQ(console.err, "quovant: argument 2 is not valid UTF-8\n");
}

TEST_F(Cli, StandardInputGivesExactlyOneLinePerLine)
{
    FakeConsole console({"一心一意", "", "艾", "  lv\t", "abc"});
    EXPECT_EQ(RunQuovant({}, console), 0);
    EXPECT_EQ(console.out, AFTER_YI + "\n\n\n" + AFTER_LV + "\n\n");
    EXPECT_EQ(console.err, "") << "nothing found is an empty line, not an error";
}

TEST_F(Cli, InvalidUtf8LineIsNamedKeepsItsPlaceAndSetsCodeOne)
{
    FakeConsole console({"lv", "\xFF", "一心一意"});
    EXPECT_EQ(RunQuovant({}, console), 1);
    EXPECT_EQ(console.out, AFTER_LV + "\n\n" + AFTER_YI + "\n");
    EXPECT_EQ(console.err, "quovant: line 2 is not valid UTF-8\n");
}

TEST_F(Cli, HelpAndOptions)
{
    FakeConsole help;
    EXPECT_EQ(RunQuovant({"--help"}, help), 0);
    EXPECT_NE(help.out.find("Usage: quovant TEXT..."), std::string::npos);
    FakeConsole unknown;
    EXPECT_EQ(RunQuovant({"--frobnicate"}, unknown), 2);
    EXPECT_NE(unknown.err.find("unknown option --frobnicate"), std::string::npos);
    FakeConsole dashes;
    EXPECT_EQ(RunQuovant({"--", "-"}, dashes), 1) << "after --, text that starts with - is a query";
}

}  // namespace
