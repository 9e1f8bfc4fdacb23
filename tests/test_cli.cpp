// The quovant tool as a user runs it, over the real library: arguments and
// standard input, their output lines, messages and exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "examples.h"
#include "program.h"

namespace {

const std::string YI = AsLine(AFTER_YI) + "\n";
const std::string LV = AsLine(AFTER_LV) + "\n";
const std::string NOT_FOUND = "没有找到合适的成语，请重试。\n";

// The tool speaks English to these tests whatever the user running them
// reads: no language asked for, and a UTF-8 locale that every system has.
const bool ENGLISH = [] {
    unsetenv("LANGUAGE");
    return setenv("LC_ALL", "C.UTF-8", 1) == 0;
}();

// The player's own idioms are looked for in a folder of the tests' own,
// empty unless a test puts a file there: never the user's.
const std::filesystem::path DATA_HOME = [] {
    const std::filesystem::path home = std::filesystem::temp_directory_path() / "quovant-test-data-home";
    std::filesystem::remove_all(home);
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    return home;
}();
const std::filesystem::path PLAYER_FILE = DATA_HOME / "quovant" / "idioms.txt";

std::string ContentOf(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// LANGUAGE set to `language` while it lives.
class Language {
public:
    explicit Language(const char *language) { setenv("LANGUAGE", language, 1); }
    ~Language() { unsetenv("LANGUAGE"); }
};

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

// A program that writes one line and waits gets its answer before it writes
// the next: answers are not held back for lines that have not come.
TEST(Cli, AnswersALineAtOnce)
{
    ProgramSession tool(QUOVANT_PROGRAM, {});
    for (const char *query : {"一心一意", "扒", "一心一意"}) {
        tool.Write(std::string(query) + "\n");
        EXPECT_EQ(tool.ReadLine(10), std::string(query) == "扒" ? AsLine(AFTER_PA) : AsLine(AFTER_YI)) << query;
    }
}

TEST(Cli, HelpNamesEveryExitCode)
{
    const ProgramRun run = RunProgram(QUOVANT_PROGRAM, {"--help"});
    EXPECT_EQ(run.code, 0);
    // Each exit code the tool gives (the tests here see every one) has a
    // line of its own: two spaces, the code, two spaces.
    std::set<int> listed;
    for (std::size_t at = 0; (at = run.out.find("\n  ", at)) != std::string::npos; ++at)
        if (at + 5 < run.out.size() && std::isdigit(static_cast<unsigned char>(run.out[at + 3])) &&
            run.out.compare(at + 4, 2, "  ") == 0)
            listed.insert(run.out[at + 3] - '0');
    EXPECT_EQ(listed, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(Cli, MissingLibraryGivesTheMessageAndCodeThree)
{
    const auto alone = std::filesystem::temp_directory_path() / "quovant-test-alone";
    std::filesystem::create_directories(alone);
    std::filesystem::copy_file(QUOVANT_PROGRAM, alone / "quovant", std::filesystem::copy_options::overwrite_existing);
    const ProgramRun run = RunProgram((alone / "quovant").string(), {"lv"});
    const ProgramRun json = RunProgram((alone / "quovant").string(), {"info", "--json", "一心一意"});
    std::filesystem::remove_all(alone);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "quovant: 丢失基本组件 libQuovant.so 程序无法运行。\n");
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(json.out, R"({"error":"the library libQuovant.so is missing or its dictionary is damaged"})" "\n");
    EXPECT_EQ(json.err, run.err);
    EXPECT_EQ(json.code, 3);
}

// The rules on the real dictionary: under sound, 三思而行 (xíng) is followed
// by idioms of 兴 and 星 and not by 行家里手 (háng); with 臂有四肘, the only
// idiom of 臂, played, 相失交臂 is a dead end, which wins at once.
TEST(Cli, RulesAndTheGameAsItStands)
{
    const ProgramRun sound = RunProgram(QUOVANT_PROGRAM, {"next", "--all", "--json", "--rule", "sound", "三思而行"}, "");
    EXPECT_EQ(sound.code, 0);
    EXPECT_TRUE(sound.out.starts_with(R"({"text":"三思而行","rule":"sound","four":false,)")) << sound.out.substr(0, 80);
    EXPECT_NE(sound.out.find(R"({"idiom":"兴)"), std::string::npos);
    EXPECT_NE(sound.out.find(R"({"idiom":"星)"), std::string::npos);
    EXPECT_EQ(sound.out.find("行家里手"), std::string::npos);

    const std::string usedFile = (std::filesystem::temp_directory_path() / "quovant-test-played.txt").string();
    std::ofstream(usedFile) << "臂有四肘\n";
    const ProgramRun before = RunProgram(QUOVANT_PROGRAM, {"next", "--all", "--json", "相"}, "");
    const ProgramRun after = RunProgram(QUOVANT_PROGRAM, {"next", "--all", "--json", "--used", usedFile, "相"}, "");
    EXPECT_NE(before.out.find(R"({"idiom":"相失交臂","followers":1,)"), std::string::npos);
    EXPECT_NE(after.out.find(R"({"idiom":"相失交臂","followers":0,"outcome":"win","proven":true,)"), std::string::npos);
    std::filesystem::remove(usedFile);

    // An idiom asked after was played: it does not follow itself.
    const ProgramRun itself = RunProgram(QUOVANT_PROGRAM, {"next", "--all", "--json", "--rule", "char", "天外有天"}, "");
    EXPECT_EQ(itself.out.find(R"({"idiom":"天外有天")"), std::string::npos);
    EXPECT_NE(itself.out.find(R"({"idiom":"天下太平")"), std::string::npos);
}

// The subcommands through the real program: output, messages and exit codes.
TEST(Cli, Subcommands)
{
    const std::string usedFile = (std::filesystem::temp_directory_path() / "quovant-test-used.txt").string();
    {
        std::ofstream used(usedFile);
        used << "\xEF\xBB\xBF意出望外\r\n\n 意得志满\xC2\xA0\n";  // a no-break space is white space too
    }
    // 一心一意 leaves its opponent a dead end (一笔抹摋): a proven loss.
    const std::string yiFacts = R"({"idiom":"一心一意","known":true,"readings":"yi","rule":"classic","four":false,)"
                                R"("followers":)" + std::to_string(YI_FOLLOWERS) +
                                R"(,"outcome":"loss","proven":true,"reading":"yī xīn yī yì",)"
                                R"("meaning":"只有一个心眼儿，没有别的考虑。",)"
                                R"("english":"concentrating one's thoughts and efforts; single-minded; bent on; intently",)"
                                R"("commonness":79,"origin":"dictionary"})";
    const CliCase cases[] = {
        {"info --json: known and unknown idioms, code 1", {"info", "--json", "一心一意", "不是成语"}, "",
         {"[" + yiFacts + R"(,{"idiom":"不是成语","known":false,"rule":"classic","four":false}])" "\n",
          "quovant: 不是成语 is not an idiom of the dictionary\n", 1}},
        {"path: a shortest chain, one idiom a line", {"path", "一心一意", "做贼心虚"}, "",
         {"一心一意\n一家之作\n做贼心虚\n", "", 0}},
        {"path --json: an idiom to itself", {"path", "--json", "做贼心虚", "做贼心虚"}, "",
         {R"({"from":"做贼心虚","to":"做贼心虚","rule":"classic","four":false,"chain":["做贼心虚"]})" "\n", "", 0}},
        {"path --json: an unknown idiom has its own code", {"path", "--json", "不是成语", "一心一意"}, "",
         {R"({"from":"不是成语","to":"一心一意","rule":"classic","four":false,"chain":null,"unknown":["不是成语"]})" "\n",
          "quovant: 不是成语 is not an idiom of the dictionary\n", 5}},
        {"path: no chain, code 1", {"path", "一笔抹摋", "一心一意"}, "",
         {"", "quovant: no chain leads from 一笔抹摋 to 一心一意\n", 1}},
        {"next --json: nothing follows a dead end's last character", {"next", "--json", "一笔抹摋"}, "",
         {R"({"text":"一笔抹摋","rule":"classic","four":false,"candidates":[]})" "\n", "没有找到合适的成语，请重试。\n", 1}},
        {"info --json: text that is not UTF-8 is unknown, shown as U+FFFD", {"info", "--json", "\xFF"}, "",
         {"[{\"idiom\":\"\xEF\xBF\xBD\",\"known\":false,\"rule\":\"classic\",\"four\":false}]\n",
          "quovant: \xEF\xBF\xBD is not valid UTF-8\n", 1}},
        {"info: the empty text is named", {"info", ""}, "",
         {"", "quovant: the empty text is not an idiom of the dictionary\n", 1}},
        {"info --json: no idiom is a usage error, in JSON too", {"info", "--json"}, "",
         {R"j({"error":"info takes one or more idioms (see quovant --help)"})j" "\n",
          "quovant: info takes one or more idioms (see quovant --help)\n", 2}},
        {"path: text that is not UTF-8 is not an idiom", {"path", "\xFF", "一心一意"}, "",
         {"", "quovant: \xEF\xBF\xBD is not valid UTF-8\n", 5}},
        {"path --json: text that is not UTF-8", {"path", "--json", "\xFF", "一心一意"}, "",
         {"{\"from\":\"\xEF\xBF\xBD\",\"to\":\"一心一意\",\"rule\":\"classic\",\"four\":false,\"chain\":null,"
          "\"unknown\":[\"\xEF\xBF\xBD\"]}\n",
          "quovant: \xEF\xBF\xBD is not valid UTF-8\n", 5}},
        {"next --json: text that is not UTF-8", {"next", "--json", "\xFF"}, "",
         {R"({"error":"the text is not valid UTF-8"})" "\n", "quovant: the text is not valid UTF-8\n", 1}},
        {"next: an unknown rule", {"next", "--rule", "rhyme", "--json", "一"}, "",
         {R"j({"error":"--rule needs one of classic, char, sound, tone (see quovant --help)"})j" "\n",
          "quovant: --rule needs one of classic, char, sound, tone (see quovant --help)\n", 2}},
        {"a query by the same character: only 行 after 三思而行", {"--rule", "char", "三思而行"}, "",
         {"行百里者半九十 行百里者半于九十 行兵布阵 行不从径 行不得也哥哥 行不贰过 行不副言 行不更名，坐不改姓\n", "", 0}},
        {"a syllable with its tone under the tone rule: only xǐng", {"--rule", "tone", "xǐng"}, "",
         {"醒聩震聋\n", "", 0}},
        {"a neutral tone matches only a neutral one, and no idiom begins with xing0", {"--rule", "tone", "xing5"},
         "", {"\n", "没有找到合适的成语，请重试。\n", 1}},
        {"next: an unknown option", {"next", "--frobnicate", "一"}, "",
         {"", "quovant: unknown option --frobnicate (see quovant --help)\n", 2}},
        {"next: --used needs a file", {"next", "一", "--used"}, "",
         {"", "quovant: --used needs a file (see quovant --help)\n", 2}},
        {"next --json: a --used file that cannot be read", {"next", "--used", "/nonexistent/used", "--json", "一"}, "",
         {R"({"error":"cannot read /nonexistent/used"})" "\n", "quovant: cannot read /nonexistent/used\n", 2}},
    };
    for (const CliCase &c : cases) {
        const ProgramRun run = RunProgram(QUOVANT_PROGRAM, c.args, c.input, c.output);
        EXPECT_EQ(run.out, c.expected.out) << c.what;
        EXPECT_EQ(run.err, c.expected.err) << c.what;
        EXPECT_EQ(run.code, c.expected.code) << c.what;
    }

    // next --json leaves out the --used idioms before the first eight are taken.
    const ProgramRun all = RunProgram(QUOVANT_PROGRAM, {"next", "--json", "--all", "一心一意"});
    const ProgramRun left = RunProgram(QUOVANT_PROGRAM, {"next", "--json", "--used", usedFile, "一心一意"});
    std::filesystem::remove(usedFile);
    EXPECT_EQ(all.code, 0);
    EXPECT_NE(all.out.find(R"({"idiom":"意出望外","followers":22,"outcome":"loss","proven":true,"reading":"yì chū wàng wài",)"
                            R"("meaning":"出乎意料之外。","english":null,"commonness":13,)"
                            R"("origin":"dictionary"})"),
              std::string::npos);
    // CC-CEDICT's English, in JSON and as a line of its own in the text.
    const std::string snake = "lit. draw legs on a snake; fig. to ruin the effect by adding sth superfluous; to overdo it";
    const std::string stump = "lit. to guard a tree-stump, waiting for rabbits; to wait idly for opportunities; "
                              "to trust to chance rather than show initiative";
    const ProgramRun english = RunProgram(QUOVANT_PROGRAM, {"info", "--json", "画蛇添足", "守株待兔"});
    EXPECT_NE(english.out.find(R"("english":")" + snake + R"(","commonness":52,)"), std::string::npos) << english.out;
    EXPECT_NE(english.out.find(R"("english":")" + stump + R"(","commonness":54,)"), std::string::npos) << english.out;
    const ProgramRun englishText = RunProgram(QUOVANT_PROGRAM, {"info", "画蛇添足"});
    EXPECT_NE(englishText.out.find("\n  " + snake + "\n"), std::string::npos) << englishText.out;
    EXPECT_EQ(left.out.find(R"("idiom":"意出望外")"), std::string::npos);
    EXPECT_EQ(left.out.find(R"("idiom":"意得志满")"), std::string::npos);
    EXPECT_NE(left.out.find(R"("idiom":"意马心猿")"), std::string::npos) << "the tenth is the eighth left";
    EXPECT_EQ(left.out.find(R"("idiom":"意满志得")"), std::string::npos) << "the eleventh is not taken";
}

TEST(Cli, ThePlayersOwnIdioms)
{
    const auto listed = [](const char *idiom) {
        const ProgramRun run = RunProgram(QUOVANT_PROGRAM, {"next", "--all", "成千上万"});
        return run.out.find(std::string("  ") + idiom + "  ") != std::string::npos;
    };
    ASSERT_FALSE(listed("万里挑一"));

    const ProgramRun added = RunProgram(QUOVANT_PROGRAM, {"add", "万里挑一"});
    EXPECT_EQ(added.code, 0) << added.err;
    EXPECT_NE(added.out.find("\n  wàn lǐ tiāo yī\n"), std::string::npos) << added.out;
    EXPECT_NE(added.out.find("most customary reading"), std::string::npos) << added.out;
    EXPECT_EQ(ContentOf(PLAYER_FILE), "万里挑一\n");
    EXPECT_TRUE(listed("万里挑一"));
    const ProgramRun info = RunProgram(QUOVANT_PROGRAM, {"info", "--json", "万里挑一"});
    EXPECT_NE(info.out.find(R"("reading":"wàn lǐ tiāo yī",)"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find(R"("origin":"player-customary"})"), std::string::npos) << info.out;

    // A reading given replaces the customary one; a bad line is told and kept.
    EXPECT_EQ(RunProgram(QUOVANT_PROGRAM, {"add", "行乐及时", "hang2", "le4", "ji2", "shi2"}).code, 0);
    {
        std::ofstream file(PLAYER_FILE, std::ios::app);
        file << "坏\n";
    }
    const std::string kept = "万里挑一\n行乐及时 hang2 le4 ji2 shi2\n坏\n";
    ASSERT_EQ(ContentOf(PLAYER_FILE), kept);
    const ProgramRun bySound = RunProgram(QUOVANT_PROGRAM, {"--rule", "tone", "hang2"});
    EXPECT_NE(bySound.out.find("行乐及时"), std::string::npos) << bySound.out;
    EXPECT_EQ(bySound.err, "quovant: " + PLAYER_FILE.string() +
                               ":3: 坏 is not an idiom: it must be 3 to 13 Chinese characters (left out of the game)\n");

    const CliCase refused[] = {
        {"add: the dictionary has it", {"add", "一心一意"}, "",
         {"", "quovant: 一心一意 is an idiom of the dictionary already\n", 2}},
        {"add: a reading a syllable short", {"add", "千里挑一", "qian1 li3 tiao1"}, "",
         {"", "quovant: the reading of 千里挑一 must give one syllable with its tone for each character, as in "
              "wan4 li3 tiao1 yi1 (0 for the neutral tone)\n", 2}},
        {"add: two words as one idiom", {"add", "不是 成语"}, "",
         {"", "quovant: 不是 成语 is not an idiom: it must be 3 to 13 Chinese characters\n", 2}},
        {"remove: nothing", {"remove", ""}, "", {"", "quovant:  is not one of your own idioms", 1}},
        {"remove: not one of them", {"remove", "千里挑一"}, "",
         {"", "quovant: 千里挑一 is not one of your own idioms (" + PLAYER_FILE.string() + ")\n", 1}},
    };
    for (const CliCase &c : refused) {
        const ProgramRun run = RunProgram(QUOVANT_PROGRAM, c.args, c.input, c.output);
        EXPECT_EQ(run.out, c.expected.out) << c.what;
        EXPECT_NE(run.err.find(c.expected.err), std::string::npos) << c.what << ": " << run.err;
        EXPECT_EQ(run.code, c.expected.code) << c.what;
        EXPECT_EQ(ContentOf(PLAYER_FILE), kept) << c.what << ": the file is as it was";
    }

    const ProgramRun removed = RunProgram(QUOVANT_PROGRAM, {"remove", "万里挑一"});
    EXPECT_EQ(removed.code, 0) << removed.err;
    EXPECT_EQ(ContentOf(PLAYER_FILE), "行乐及时 hang2 le4 ji2 shi2\n坏\n");
    EXPECT_FALSE(listed("万里挑一"));

    // A file that cannot be read is never written over.
    std::filesystem::remove(PLAYER_FILE);
    std::filesystem::create_directories(PLAYER_FILE / "in the way");
    const ProgramRun blocked = RunProgram(QUOVANT_PROGRAM, {"add", "万里挑一"});
    EXPECT_EQ(blocked.code, 6);
    EXPECT_NE(blocked.err.find("cannot read " + PLAYER_FILE.string()), std::string::npos) << blocked.err;
    EXPECT_TRUE(std::filesystem::exists(PLAYER_FILE / "in the way"));
    std::filesystem::remove_all(DATA_HOME);
}

// Scripted games: the computer's moves are deterministic.
TEST(Cli, Play)
{
    const struct {
        const char *what;
        std::string moves;
        std::string out;
    } games[] = {
        {"the player opens; the computer answers with a dead end and wins", "一心一意\nquit\n",
         "Computer: 一笔抹摋\nYou have no idiom to play: the computer wins.\nThe chain: 一心一意 一笔抹摋\n"},
        {"the computer opens; a non-idiom and a repeat are refused; a hint: the one idiom after its opening",
         "\n不是成语\n挨肩擦膀\nhint\n",
         "Computer: 挨肩擦膀\n不是成语 is not an idiom of the dictionary.\n"
         "挨肩擦膀 has been played already in this game.\nYour best moves: 膀大腰圆 (loss (proven), 138)\n"},
        {"the player wins the same way", "百岁之盟\n海誓山盟\n",
         "Computer: 盟山誓海\nThe computer has no idiom to play: you win.\nThe chain: " + PLAYER_WINS + "\n"},
        {"moves are trimmed as queries are: a no-break space and an ideographic space",
         "百岁之盟\xC2\xA0\n\xE3\x80\x80海誓山盟\n",
         "Computer: 盟山誓海\nThe computer has no idiom to play: you win.\n"},
        {"a dead end may not open; quit ends the game", "一笔抹摋\n意气风发\n发扬光大\nquit\n",
         "一笔抹摋 is a dead end: no idiom can follow it, so it may not open.\nComputer: "},
        {"the end of input ends the game", "百岁之盟\n", "Computer: 盟山誓海\nThe chain: 百岁之盟 盟山誓海\n"},
        {"a move that is not UTF-8 is shown with U+FFFD", "\xFF\nquit\n",
         "\xEF\xBF\xBD is not an idiom of the dictionary.\n"},
        {"a move that does not follow is refused", "\n做贼心虚\nquit\n",
         "Computer: 挨肩擦膀\n做贼心虚 does not follow 挨肩擦膀.\n"},
    };
    for (const auto &g : games) {
        const ProgramRun run = RunProgram(QUOVANT_PROGRAM, {"play", "--level", "hard"}, g.moves);
        EXPECT_TRUE(run.out.starts_with(g.out)) << g.what << "\n" << run.out;
        EXPECT_EQ(run.code, 0) << g.what;
        EXPECT_NE(run.err.find("Your opening idiom"), std::string::npos) << "prompts go to standard error";
    }
    const ProgramRun full = RunProgram(QUOVANT_PROGRAM, {"play"}, "\n" + std::string(100, '\n'), OutputTo::DEV_FULL);
    EXPECT_EQ(full.code, 4) << "a game stops when its output cannot be written";
    EXPECT_TRUE(full.err.ends_with(
        "Your opening idiom (or nothing): quovant: cannot write standard output: No space left on device\n"))
        << "no prompt after the failed write\n" << full.err;
}

// At the default level the computer opens with a known idiom that wins,
// never with a dead end, which would end the game at once.
TEST(Cli, TheComputerOpensWithAWinningIdiom)
{
    const ProgramRun game = RunProgram(QUOVANT_PROGRAM, {"play", "--seed", "7"}, "\nquit\n");
    ASSERT_TRUE(game.out.starts_with("Computer: ")) << game.out;
    const std::string opening = game.out.substr(10, game.out.find('\n') - 10);
    const ProgramRun facts = RunProgram(QUOVANT_PROGRAM, {"info", "--json", opening});
    EXPECT_NE(facts.out.find(R"("outcome":"win")"), std::string::npos) << facts.out;
    EXPECT_EQ(facts.out.find(R"("followers":0,)"), std::string::npos) << facts.out;
    const std::size_t at = facts.out.find(R"("commonness":)");
    ASSERT_NE(at, std::string::npos) << facts.out;
    EXPECT_GE(std::atoi(facts.out.c_str() + at + 13), 30) << facts.out;
    EXPECT_EQ(RunProgram(QUOVANT_PROGRAM, {"play", "--seed", "7"}, "\nquit\n").out, game.out) << "a seed repeats a game";
}

// next --order: the candidates ranked, the first eight the same as the
// first eight of all of them.
TEST(Cli, NextInOrder)
{
    const auto listed = [](const std::vector<std::string> &args) {
        std::vector<std::pair<int, int>> list;  // outcome's rank, commonness
        const std::string out = RunProgram(QUOVANT_PROGRAM, args).out;
        for (std::size_t at = 0; (at = out.find(R"("outcome":")", at)) != std::string::npos; ++at) {
            const char first = out[at + 11];
            const std::size_t c = out.find(R"("commonness":)", at);
            list.emplace_back(first == 'w' ? 0 : first == 'd' ? 1 : 2, std::atoi(out.c_str() + c + 13));
        }
        return list;
    };
    const auto best = listed({"next", "--json", "--all", "--order", "best", "盟山誓海"});
    ASSERT_GT(best.size(), 8u);
    for (std::size_t i = 1; i < best.size(); ++i)
        EXPECT_TRUE(best[i - 1].first < best[i].first ||
                    (best[i - 1].first == best[i].first && best[i - 1].second >= best[i].second))
            << "wins, draws, losses, the more common first: at " << i;
    const auto eight = listed({"next", "--json", "--order", "best", "盟山誓海"});
    EXPECT_EQ(eight, std::vector(best.begin(), best.begin() + 8));
    const auto common = listed({"next", "--json", "--all", "--order", "common", "盟山誓海"});
    const auto known = [](const std::pair<int, int> &f) { return f.second >= 30; };
    EXPECT_TRUE(std::is_partitioned(common.begin(), common.end(), known)) << "known idioms first";
    EXPECT_EQ(common.size(), best.size());
}

// play --json: one object a line, each line answered before the next is read.
TEST(Cli, PlayInJson)
{
    ProgramSession game(QUOVANT_PROGRAM, {"play", "--json", "--level", "hard"});
    game.Write("不是成语\n");
    EXPECT_EQ(game.ReadLine(10), R"({"verdict":"not-an-idiom","message":"不是成语 is not an idiom of the dictionary.",)"
                                 R"("player":null,"computer":null,"over":null,"position":null,"hint":[]})");
    game.Write("一心一意\n");
    const std::string played = game.ReadLine(10);
    EXPECT_TRUE(played.starts_with(R"({"verdict":"played","message":"You have no idiom to play: the computer wins.",)"
                                   R"("player":{"idiom":"一心一意",)"))
        << played;
    EXPECT_NE(played.find(R"("computer":{"idiom":"一笔抹摋",)"), std::string::npos) << played;
    EXPECT_TRUE(played.ends_with(R"("over":"computer-wins","position":null,"hint":[]})")) << played;
}

}  // namespace

// In Chinese: the help, a refused move and a finished game; JSON stays
// English; 提示 and 认输 work in every language; a language without a
// catalogue is English.
TEST(Cli, SpeaksChinese)
{
    ASSERT_TRUE(ENGLISH);
    {
        const Language chinese("zh_CN");
        const ProgramRun help = RunProgram(QUOVANT_PROGRAM, {"--help"});
        EXPECT_TRUE(help.out.starts_with("用法：quovant [规则] 文字...\n")) << help.out;
        EXPECT_NE(help.out.find("\n退出码：\n  0  每个查询都有结果，或标准输入已读完\n"), std::string::npos) << help.out;

        const ProgramRun game = RunProgram(QUOVANT_PROGRAM, {"play", "--level", "hard"}, "百岁之盟\n做贼心虚\n海誓山盟\n");
        EXPECT_EQ(game.out, "电脑：盟山誓海\n“做贼心虚”接不上“盟山誓海”。\n电脑接不下去了：你赢了！\n"
                            "本局接龙：百岁之盟 盟山誓海 海誓山盟\n");
        EXPECT_TRUE(game.err.starts_with("人机成语接龙。")) << game.err;

        const ProgramRun json = RunProgram(QUOVANT_PROGRAM, {"next", "--json", "--bogus"});
        EXPECT_EQ(json.out, "{\"error\":\"unknown option --bogus (see quovant --help)\"}\n");
        EXPECT_EQ(json.err, "quovant: 未知选项 --bogus（见 quovant --help）\n");
        EXPECT_EQ(json.code, 2);
    }
    const ProgramRun english = RunProgram(QUOVANT_PROGRAM, {"play", "--level", "hard"}, "百岁之盟\n提示\n认输\n");
    // Hints by outcome, the known idioms (commonness 30 and up) first within each.
    EXPECT_EQ(english.out, "Computer: 盟山誓海\nYour best moves: 海誓山盟 (win (proven), 0) 海约山盟 (win (proven), 0) "
                           "害人不浅 (win, 4) 海桑陵谷 (win, 3) 海纳百川 (draw, 26) 海市蜃楼 (draw, 34) 海枯石烂 (draw, 36) "
                           "海角天涯 (draw, 47)\n(Outcomes assume best play and let an idiom be played twice, which a real "
                           "game does not: a strong guide, not a proof, unless marked proven (searched to the end "
                           "without repeats).)\nThe chain: 百岁之盟 盟山誓海\n");
    const Language unknown("xx_YY");
    EXPECT_EQ(RunProgram(QUOVANT_PROGRAM, {"--bogus"}).err, "quovant: unknown option --bogus (see quovant --help)\n");
}
