// The judge of the chain game and its words.
#include "game.h"

#include <algorithm>

#include "ask.h"
#include "computer.h"
#include "message.h"

namespace {

struct VerdictWords {
    GameVerdict verdict;
    const char *name;
    const char *english;
    const char *chinese;
};

// Every verdict's words: %1 is the idiom judged, %2 the idiom it must follow.
constexpr VerdictWords VERDICTS[] = {
    {GameVerdict::PLAYED, "played", "", ""},
    {GameVerdict::NOT_AN_IDIOM, "not-an-idiom", N_("%1 is not an idiom of the dictionary."), "“%1”不是词典里的成语。"},
    {GameVerdict::NOT_FOUR, "not-four", N_("%1 is not four characters long, and only such idioms are played."),
     "“%1”不是四字成语，这一局只接四字成语。"},
    {GameVerdict::DEAD_END_OPENING, "dead-end-opening",
     N_("%1 is a dead end: no idiom can follow it, so it may not open."), "“%1”后面没有成语可接，不能用来开局。"},
    {GameVerdict::PLAYED_ALREADY, "played-already", N_("%1 has been played already in this game."),
     "“%1”这一局已经用过了。"},
    {GameVerdict::DOES_NOT_FOLLOW, "does-not-follow", N_("%1 does not follow %2."), "“%1”接不上“%2”。"},
    {GameVerdict::PLAYER_WINS, "player-wins", N_("The computer has no idiom to play: you win."),
     "电脑接不下去了：你赢了！"},
    {GameVerdict::COMPUTER_WINS, "computer-wins", N_("You have no idiom to play: the computer wins."),
     "你接不下去了：电脑赢了。"},
};

const VerdictWords &WordsOf(GameVerdict verdict)
{
    return *std::find_if(std::begin(VERDICTS), std::end(VERDICTS),
                         [&](const VerdictWords &w) { return w.verdict == verdict; });
}

}  // namespace

GameVerdict JudgeOpening(int rules, const std::u16string &move, QuovantFacts &facts)
{
    if (LookUpFacts(rules, move, facts) != QUOVANT_FOUND)
        return GameVerdict::NOT_AN_IDIOM;
    if ((rules & QUOVANT_FOUR_ONLY) != 0 && !QuovantIsFourCharacters(facts.idiom))
        return GameVerdict::NOT_FOUR;
    if (facts.followers == 0)
        return GameVerdict::DEAD_END_OPENING;
    return GameVerdict::PLAYED;
}

GameVerdict JudgeMove(int rules, const std::vector<std::u16string> &chain, const std::vector<QuovantFacts> &moves,
                      const std::u16string &move, QuovantFacts &facts)
{
    if (LookUpFacts(rules, move, facts) != QUOVANT_FOUND)
        return GameVerdict::NOT_AN_IDIOM;
    if (std::find(chain.begin(), chain.end(), move) != chain.end())
        return GameVerdict::PLAYED_ALREADY;
    if (std::none_of(moves.begin(), moves.end(), [&](const QuovantFacts &m) { return TextOf(m.idiom) == move; }))
        return GameVerdict::DOES_NOT_FOLLOW;
    return GameVerdict::PLAYED;
}

const char *VerdictMessage(GameVerdict verdict)
{
    return WordsOf(verdict).english;
}

std::string VerdictTextChinese(GameVerdict verdict, const std::string &idiom, const std::string &last)
{
    return FilledMessage(WordsOf(verdict).chinese, {idiom, last});
}

const char *VerdictName(GameVerdict verdict)
{
    return WordsOf(verdict).name;
}
