// The judge of the chain game and its words.
#include "game.h"

#include <algorithm>
#include <string_view>

#include "ask.h"
#include "computer.h"

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
    {GameVerdict::NOT_AN_IDIOM, "not-an-idiom", "%1 is not an idiom of the dictionary.", "“%1”不是词典里的成语。"},
    {GameVerdict::NOT_FOUR, "not-four", "%1 is not four characters long, and only such idioms are played.",
     "“%1”不是四字成语，这一局只接四字成语。"},
    {GameVerdict::DEAD_END_OPENING, "dead-end-opening",
     "%1 is a dead end: no idiom can follow it, so it may not open.", "“%1”后面没有成语可接，不能用来开局。"},
    {GameVerdict::PLAYED_ALREADY, "played-already", "%1 has been played already in this game.",
     "“%1”这一局已经用过了。"},
    {GameVerdict::DOES_NOT_FOLLOW, "does-not-follow", "%1 does not follow %2.", "“%1”接不上“%2”。"},
    {GameVerdict::PLAYER_WINS, "player-wins", "The computer has no idiom to play: you win.",
     "电脑接不下去了：你赢了！"},
    {GameVerdict::COMPUTER_WINS, "computer-wins", "You have no idiom to play: the computer wins.",
     "你接不下去了：电脑赢了。"},
};

const VerdictWords &WordsOf(GameVerdict verdict)
{
    return *std::find_if(std::begin(VERDICTS), std::end(VERDICTS),
                         [&](const VerdictWords &w) { return w.verdict == verdict; });
}

// `text` with %1 and %2 replaced, in one pass (what replaces them is never
// read again: a player may type "%2").
std::string Filled(std::string_view text, const std::string &idiom, const std::string &last)
{
    std::string filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2'))
            filled += text[++i] == '1' ? idiom : last;
        else
            filled += text[i];
    }
    return filled;
}

}  // namespace

GameVerdict JudgeOpening(int rules, const std::u16string &move, QuovantFacts &facts)
{
    if (LookUpFacts(rules, move, facts) != 1)
        return GameVerdict::NOT_AN_IDIOM;
    if ((rules & QUOVANT_FOUR_ONLY) != 0 && !IsFourCharacters(facts.idiom))
        return GameVerdict::NOT_FOUR;
    if (facts.followers == 0)
        return GameVerdict::DEAD_END_OPENING;
    return GameVerdict::PLAYED;
}

GameVerdict JudgeMove(int rules, const std::vector<std::u16string> &chain, const std::vector<QuovantFacts> &moves,
                      const std::u16string &move, QuovantFacts &facts)
{
    if (LookUpFacts(rules, move, facts) != 1)
        return GameVerdict::NOT_AN_IDIOM;
    if (std::find(chain.begin(), chain.end(), move) != chain.end())
        return GameVerdict::PLAYED_ALREADY;
    if (std::none_of(moves.begin(), moves.end(), [&](const QuovantFacts &m) { return TextOf(m.idiom) == move; }))
        return GameVerdict::DOES_NOT_FOLLOW;
    return GameVerdict::PLAYED;
}

std::string VerdictText(GameVerdict verdict, const std::string &idiom, const std::string &last)
{
    return Filled(WordsOf(verdict).english, idiom, last);
}

std::string VerdictTextChinese(GameVerdict verdict, const std::string &idiom, const std::string &last)
{
    return Filled(WordsOf(verdict).chinese, idiom, last);
}

const char *VerdictName(GameVerdict verdict)
{
    return WordsOf(verdict).name;
}
