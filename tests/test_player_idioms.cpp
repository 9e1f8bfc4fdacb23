// The file of the player's own idioms as the programs read and edit it:
// where it is, which lines name idioms, and what an edit keeps.
#include <gtest/gtest.h>

#include "player_idioms.h"

namespace {

TEST(PlayerFile, WhereItIs)
{
    EXPECT_EQ(PlayerFilePath("/x/data", "/home/p"), "/x/data/quovant/idioms.txt");
    EXPECT_EQ(PlayerFilePath(nullptr, "/home/p"), "/home/p/.local/share/quovant/idioms.txt");
    EXPECT_EQ(PlayerFilePath("relative", "/home/p"), "/home/p/.local/share/quovant/idioms.txt")
        << "a relative XDG_DATA_HOME is ignored";
    EXPECT_EQ(PlayerFilePath("", nullptr), "");
    EXPECT_EQ(PlayerFilePathUnder("C:\\Users\\p\\AppData\\Roaming"), "C:\\Users\\p\\AppData\\Roaming\\quovant\\idioms.txt");
    EXPECT_EQ(PlayerFilePathUnder(nullptr), "");
}

TEST(PlayerFile, LinesThatNameIdioms)
{
    const std::vector<PlayerLine> lines =
        PlayerLines("\xEF\xBB\xBF万里挑一\r\n\n   \n\t囧囧有神  jiong3 jiong3\tyou3 shen2 \r\n坏\n末行无换行");
    ASSERT_EQ(lines.size(), 4u);
    const PlayerLine expected[] = {
        {1, "万里挑一", ""}, {4, "囧囧有神", "jiong3 jiong3\tyou3 shen2"}, {5, "坏", ""}, {6, "末行无换行", ""}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].number, expected[i].number) << i;
        EXPECT_EQ(lines[i].idiom, expected[i].idiom) << i;
        EXPECT_EQ(lines[i].reading, expected[i].reading) << i;
    }
}

TEST(PlayerFile, EditsKeepEveryOtherLine)
{
    const struct {
        const char *what;
        std::string before;
        const char *idiom;
        const char *reading;  // null: removed
        std::string after;
        bool found;
    } cases[] = {
        {"added to a new file", "", "万里挑一", "", "万里挑一\n", false},
        {"added after a last line without its line end", "坏 x\r\n甲乙丙丁", "万里挑一", "wan4 li3 tiao1 yi1",
         "坏 x\r\n甲乙丙丁\n万里挑一 wan4 li3 tiao1 yi1\n", false},
        {"its reading replaced in place, a repeat dropped", "甲\n万里挑一\n乙\n  万里挑一 x\n", "万里挑一", "wan4",
         "甲\n万里挑一 wan4\n乙\n", true},
        {"after the byte-order mark", "\xEF\xBB\xBF", "万里挑一", "", "\xEF\xBB\xBF万里挑一\n", false},
        {"removed, bad lines kept", "坏\n万里挑一 w\n\n万里挑一\n尾", "万里挑一", nullptr, "坏\n\n尾", true},
        {"removed from the first line after the mark", "\xEF\xBB\xBF万里挑一\n乙\n", "万里挑一", nullptr,
         "\xEF\xBB\xBF乙\n", true},
        {"nothing to remove", "甲\n万里挑一二\n", "万里挑一", nullptr, "甲\n万里挑一二\n", false},
    };
    for (const auto &c : cases) {
        bool found = false;
        const std::string after = c.reading != nullptr ? WithPlayerIdiom(c.before, c.idiom, c.reading)
                                                       : WithoutPlayerIdiom(c.before, c.idiom, &found);
        EXPECT_EQ(after, c.after) << c.what;
        if (c.reading == nullptr)
            EXPECT_EQ(found, c.found) << c.what;
    }
}

}  // namespace
