// The quovant tool as a user runs it, over the real library: arguments and
// standard input, their output lines, messages and exit codes.
#include <gtest/gtest.h>

#include <filesystem>

#include "examples.h"
#include "program.h"

namespace {

const std::string YI = AsLine(AFTER_YI) + "\n";
const std::string LV = AsLine(AFTER_LV) + "\n";
const std::string NOT_FOUND = "没有找到合适的成语，请重试。\n";

struct CliCase {
    const char *what;
    std::vector<std::string> args;
    std::string input;
    ProgramRun expected;
    OutputTo output = OutputTo::PIPE;
};

TEST(Cli, StreamsAndExitCodes)
{
    const CliCase cases[] = {
        {"arguments: a line each", {"一心一意", "lv"}, "", {YI + LV, "", 0}},
        {"an argument that finds nothing: an empty line, a message, code 1",
         {"艾", "lv", "   "}, "", {"\n" + LV + "\n", NOT_FOUND + NOT_FOUND, 1}},
        {"invalid UTF-8 argument: named, the others still run, code 1",
         {"lv", "\xE4\xB8", "一心一意"}, "", {LV + "\n" + YI, "quovant: argument 2 is not valid UTF-8\n", 1}},
        {"after --, text that starts with - is a query", {"--", "-"}, "", {"\n", NOT_FOUND, 1}},
        {"standard input: one line per line, CRLF, blank, none found, no final newline",
         {}, "lv\r\n\n艾\n扒", {LV + "\n\n" + AsLine(AFTER_PA) + "\n", "", 0}},
        {"standard input: invalid UTF-8 named, its place kept, code 1",
         {}, "lv\n\xFF\n一心一意\n", {LV + "\n" + YI, "quovant: line 2 is not valid UTF-8\n", 1}},
        {"standard input: a byte-order mark before the first line is skipped", {}, "\xEF\xBB\xBFlv\n", {LV, "", 0}},
        {"empty standard input: no output, code 0", {}, "", {"", "", 0}},
        {"an unknown option: code 2", {"--frobnicate"}, "",
         {"", "quovant: unknown option --frobnicate (see quovant --help)\n", 2}},
        {"a full disk: a message, code 4", {"lv"}, "",
         {"", "quovant: cannot write standard output: No space left on device\n", 4}, OutputTo::DEV_FULL},
        {"a closed pipe: quiet, code 4", {}, std::string(20000, '\n'), {"", "", 4}, OutputTo::CLOSED},
    };
    for (const CliCase &c : cases) {
        const ProgramRun run = RunProgram(QUOVANT_PROGRAM, c.args, c.input, c.output);
        EXPECT_EQ(run.out, c.expected.out) << c.what;
        EXPECT_EQ(run.err, c.expected.err) << c.what;
        EXPECT_EQ(run.code, c.expected.code) << c.what;
    }
}

TEST(Cli, HelpNamesEveryExitCode)
{
    const ProgramRun run = RunProgram(QUOVANT_PROGRAM, {"--help"});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: quovant TEXT...\n"));
    for (const char *code : {"  0  every query", "  1  a query", "  2  an unknown", "  3  the library", "  4  standard"})
        EXPECT_NE(run.out.find(code), std::string::npos) << code;
}

TEST(Cli, MissingLibraryGivesTheMessageAndCodeThree)
{
    const auto alone = std::filesystem::temp_directory_path() / "quovant-test-alone";
    std::filesystem::create_directories(alone);
    std::filesystem::copy_file(QUOVANT_PROGRAM, alone / "quovant", std::filesystem::copy_options::overwrite_existing);
    const ProgramRun run = RunProgram((alone / "quovant").string(), {"lv"});
    std::filesystem::remove_all(alone);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "quovant: 丢失基本组件 libQuovant.so 程序无法运行。\n");
    EXPECT_EQ(run.code, 3);
}

}  // namespace
