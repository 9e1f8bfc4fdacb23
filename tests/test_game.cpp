// The game's turn over the real library, bound as the programs bind it:
// the computer at each level against a player who plays known idioms at
// random, seeds that repeat a game, and the moves of a game of several
// players. Prints the figures of the games it plays (QUOVANT_GAMES of them
// per level, 20 unless set).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

#include "ask.h"
#include "binding.h"
#include "computer.h"
#include "game.h"
#include "utf8.h"

namespace {

const bool BOUND = BindLibrary(QUOVANT_GOOD_LIBRARY);

struct Played {
    int games = 0, computerWins = 0, computerMoves = 0, knownMoves = 0;
    bool earlyDeadEnd = false;  // a dead end among the computer's first three moves, where it had a choice
};

// A game at `level` (seeded by `seed`) against a player who picks a known
// idiom at random among those that follow (any, where none is known).
void PlayOne(Level level, std::uint64_t seed, Played &played)
{
    std::vector<std::u16string> chain;
    std::mt19937_64 player(seed * 7 + 1);
    Turn turn = PlayTurn(QUOVANT_RULE_CLASSIC, level, chain, u"", seed);
    bool forced = false;  // the computer's move was a dead end or none
    for (int computer = 0; !turn.failed; ++computer) {
        ASSERT_TRUE(turn.computer) << "the computer moves every turn";
        ++played.computerMoves;
        played.knownMoves += IsKnown(*turn.computer) ? 1 : 0;
        played.earlyDeadEnd = played.earlyDeadEnd || (computer < 3 && turn.computer->followers == 0 && !forced);
        if (turn.over) {
            played.computerWins += *turn.over == GameVerdict::COMPUTER_WINS ? 1 : 0;
            break;
        }
        std::vector<QuovantFacts> moves;
        ASSERT_TRUE(CandidatesOf(QUOVANT_RULE_CLASSIC | QUOVANT_GUIDE_ONLY, chain.back(), chain, moves));
        ASSERT_FALSE(moves.empty()) << "a game not over leaves the player a move";
        std::vector<QuovantFacts> known;
        std::copy_if(moves.begin(), moves.end(), std::back_inserter(known), IsKnown);
        const std::vector<QuovantFacts> &pool = known.empty() ? moves : known;
        const std::u16string move = TextOf(pool[player() % pool.size()].idiom);
        // Whether every idiom that may answer it is a dead end.
        std::vector<std::u16string> after = chain;
        after.push_back(move);
        std::vector<QuovantFacts> answers;
        ASSERT_TRUE(CandidatesOf(QUOVANT_RULE_CLASSIC | QUOVANT_GUIDE_ONLY, move, after, answers));
        forced = std::all_of(answers.begin(), answers.end(), [](const QuovantFacts &f) { return f.followers == 0; });
        turn = PlayTurn(QUOVANT_RULE_CLASSIC, level, chain, move, seed);
        ASSERT_EQ(turn.verdict, GameVerdict::PLAYED);
        if (turn.over == GameVerdict::PLAYER_WINS)
            break;  // the computer has no answer
    }
    EXPECT_FALSE(turn.failed);
    ++played.games;
}

int Games()
{
    const char *games = std::getenv("QUOVANT_GAMES");
    return games != nullptr ? std::atoi(games) : 20;
}

TEST(Game, LevelsAgainstAPlayerOfKnownIdioms)
{
    ASSERT_TRUE(BOUND);
    for (const LevelName &l : LEVEL_NAMES) {
        Played played;
        for (int g = 0; g < Games(); ++g)
            PlayOne(l.level, 1000 + g, played);
        const double known = 100.0 * played.knownMoves / played.computerMoves;
        std::printf("%-6s %d games: the computer won %d, %d moves, %.1f %% of them known\n", l.name, played.games,
                    played.computerWins, played.computerMoves, known);
        if (l.level == Level::HARD)
            continue;
        EXPECT_GE(known, 90.0) << l.name;
        EXPECT_FALSE(l.level == Level::EASY && played.earlyDeadEnd) << "easy plays no dead end in its first three moves";
        EXPECT_TRUE(l.level != Level::EASY || played.computerWins < played.games) << "a beginner can beat easy";
    }
}

TEST(Game, SeedsRepeatAGameAndVaryItsOpening)
{
    ASSERT_TRUE(BOUND);
    std::set<std::u16string> openings;
    for (std::uint64_t seed = 0; seed < 20; ++seed) {
        std::vector<std::u16string> chain;
        const Turn turn = PlayTurn(QUOVANT_RULE_CLASSIC, Level::NORMAL, chain, u"", seed);
        ASSERT_TRUE(turn.computer && !turn.failed);
        EXPECT_TRUE(IsKnown(*turn.computer) && turn.computer->followers > 0) << Utf8Of(turn.computer->idiom);
        openings.insert(TextOf(turn.computer->idiom));
        std::vector<std::u16string> again;
        EXPECT_EQ(TextOf(PlayTurn(QUOVANT_RULE_CLASSIC, Level::NORMAL, again, u"", seed).computer->idiom),
                  TextOf(turn.computer->idiom))
            << "seed " << seed;
    }
    EXPECT_GE(openings.size(), 10u);
    // Hard is the same whatever the seed: 一心一意 leaves the dead end 一笔抹摋.
    for (std::uint64_t seed : {1u, 2u}) {
        std::vector<std::u16string> chain;
        const Turn turn = PlayTurn(QUOVANT_RULE_CLASSIC, Level::HARD, chain, u"一心一意", seed);
        ASSERT_TRUE(turn.computer);
        EXPECT_EQ(Utf8Of(turn.computer->idiom), "一笔抹摋");
        EXPECT_EQ(turn.over, GameVerdict::COMPUTER_WINS);
    }
}

TEST(Game, MovesOfSeveralPlayers)
{
    ASSERT_TRUE(BOUND);
    const std::vector<std::u16string> played = {u"一心一意", u"意气风发"};
    const struct {
        const char16_t *last, *move;
        GameVerdict verdict;
        bool nextStuck;
    } cases[] = {
        {u"意气风发", u"发扬光大", GameVerdict::PLAYED, false},
        {u"意气风发", u"不是成语", GameVerdict::NOT_AN_IDIOM, false},
        {u"意气风发", u"做贼心虚", GameVerdict::DOES_NOT_FOLLOW, false},
        {u"", u"一心一意", GameVerdict::PLAYED_ALREADY, false},
        {u"", u"一笔抹摋", GameVerdict::PLAYED, true},  // a new chain: any idiom, a dead end too
    };
    for (const auto &c : cases) {
        const GroupMove m = PlayGroupMove(QUOVANT_RULE_CLASSIC, Level::HARD, played, c.last, c.move, 1);
        EXPECT_FALSE(m.failed);
        EXPECT_EQ(m.verdict, c.verdict) << Utf16ToUtf8(c.move);
        EXPECT_EQ(m.played.has_value(), c.verdict == GameVerdict::PLAYED) << Utf16ToUtf8(c.move);
        EXPECT_EQ(m.nextStuck, c.nextStuck) << Utf16ToUtf8(c.move);
    }
    // The computer's seat: nothing follows a dead end, so it is stuck.
    EXPECT_TRUE(PlayGroupMove(QUOVANT_RULE_CLASSIC, Level::NORMAL, {u"一笔抹摋"}, u"一笔抹摋", u"", 1).stuck);
    const GroupMove opened = PlayGroupMove(QUOVANT_RULE_CLASSIC, Level::NORMAL, played, u"", u"", 1);
    ASSERT_TRUE(opened.played);
    EXPECT_TRUE(IsKnown(*opened.played));
}

}  // namespace
