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

Turn PlayTurn(int rules, Level level, std::vector<std::u16string> &chain, const std::u16string &move,
              std::uint64_t seed)
{
    Turn turn;
    std::vector<QuovantFacts> moves;
    const std::vector<std::u16string> before = chain;
    const auto failed = [&] {
        chain = before;
        Turn none;
        none.failed = true;
        return none;
    };
    // The candidates after the last idiom played, played ones left out.
    const auto movesNow = [&] { return CandidatesOf(rules, chain.back(), chain, moves); };
    if (!CanAnswerBy(rules))
        return failed();
    if (!move.empty()) {
        QuovantFacts f{};
        if (chain.empty())
            turn.verdict = JudgeOpening(rules, move, f);
        else if (!movesNow())
            return failed();
        else
            turn.verdict = JudgeMove(rules, chain, moves, move, f);
        if (turn.verdict != GameVerdict::PLAYED)
            return turn;
        chain.push_back(TextOf(f.idiom));
        turn.player = f;
        if (!movesNow())
            return failed();
        if (moves.empty()) {
            turn.over = GameVerdict::PLAYER_WINS;
            return turn;
        }
    }
    // The computer opens, or answers the player; asked with nothing in the
    // middle of a game, the player is only advised again.
    if (chain.empty() || !move.empty()) {
        std::mt19937_64 random = TurnRandom(seed, chain.size());
        bool stuck = false;
        const QuovantFacts reply = chain.empty() ? ComputerOpening(rules, level, random, &stuck)
                                                 : ComputerMove(rules, level, chain, moves, random, &stuck);
        if (stuck || reply.idiom == nullptr)
            return failed();
        chain.push_back(TextOf(reply.idiom));
        turn.computer = reply;
    }
    if (!movesNow())
        return failed();
    if (moves.empty()) {
        turn.over = GameVerdict::COMPUTER_WINS;
        return turn;
    }
    turn.hints = HintedMoves(moves);
    // The player's best move decides the position: a dead end wins at once.
    const QuovantFacts best = RankedMoves(moves).front();
    turn.position = best.followers == 0 ? QUOVANT_WIN : best.outcome;
    return turn;
}

GroupMove PlayGroupMove(int rules, Level level, const std::vector<std::u16string> &played, const std::u16string &last,
                        const std::u16string &move, std::uint64_t seed)
{
    GroupMove result;
    std::vector<QuovantFacts> moves;
    const auto failed = [] {
        GroupMove none;
        none.failed = true;
        return none;
    };
    if (!CanAnswerBy(rules) || (!last.empty() && !CandidatesOf(rules, last, played, moves)))
        return failed();
    QuovantFacts f{};
    if (move.empty()) {
        bool stuck = false;
        std::mt19937_64 random = TurnRandom(seed, played.size());
        if (last.empty())
            f = ComputerOpening(rules, level, random, &stuck, played);
        else if (!moves.empty())
            f = ComputerMove(rules, level, played, moves, random, &stuck);
        if (stuck)
            return failed();
        if (f.idiom == nullptr) {
            result.stuck = true;
            return result;
        }
    } else {
        result.verdict = JudgeOpening(rules, move, f);
        // Any idiom not played opens a new chain, a dead end too: it puts the next player out.
        if (result.verdict == GameVerdict::DEAD_END_OPENING)
            result.verdict = GameVerdict::PLAYED;
        if (result.verdict == GameVerdict::PLAYED && std::find(played.begin(), played.end(), move) != played.end())
            result.verdict = GameVerdict::PLAYED_ALREADY;
        if (result.verdict == GameVerdict::PLAYED && !last.empty())
            result.verdict = JudgeMove(rules, played, moves, move, f);
        if (result.verdict != GameVerdict::PLAYED)
            return result;
    }
    result.played = f;
    std::vector<std::u16string> after = played;
    after.push_back(TextOf(f.idiom));
    if (!CandidatesOf(rules, after.back(), after, moves, 1))
        return failed();
    result.nextStuck = moves.empty();
    return result;
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
