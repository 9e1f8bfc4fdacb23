// play: the console's game of idiom chain against the computer. The player
// and the computer alternate; each idiom must be a candidate after the one
// before and may be played once in a game; whoever has no move loses. The
// computer plays as computer.h says, deterministically, so scripted games
// repeat.
#include <optional>

#include "ask.h"
#include "cli.h"
#include "computer.h"
#include "facts.h"
#include "game.h"
#include "messages.h"
#include "options.h"
#include "utf8.h"

namespace {

const char GREETING[] =
    N_("Idiom chain against the computer. Type an idiom to begin, or nothing to let the computer begin.\n"
       "\"hint\" shows your best moves, \"quit\" (or the end of input) ends the game.\n");

// The player's commands, in English and in Chinese, whatever the language.
bool IsHint(const std::u16string &move)
{
    return move == u"hint" || move == u"提示";
}

bool IsQuit(const std::u16string &move)
{
    return move == u"quit" || move == u"认输";
}

class Game {
public:
    Game(Console &console, int rules) : console_(console), rules_(rules) {}

    int Run()
    {
        // A rule the library cannot play by (its readings damaged) ends the game before it begins.
        if (!CanAnswerBy(rules_))
            return LibraryFailed(console_, false);
        Prompt(Tr(GREETING));
        if (!Opening())
            return Finish();
        // The opener has played; from here the other side moves.
        bool computerToMove = !computerOpened_;
        while (!over_ && ok_) {
            std::vector<QuovantFacts> moves;
            if (!CandidatesOf(rules_, chain_.back(), chain_, moves))
                return LibraryFailed(console_, false);
            if (moves.empty()) {
                Say(Said(VerdictMessage(computerToMove ? GameVerdict::PLAYER_WINS : GameVerdict::COMPUTER_WINS)) +
                    "\n");
                over_ = true;
                break;
            }
            if (computerToMove)
                Play(RankedMoves(moves).front(), true);
            else if (!PlayerMove(moves))
                break;
            computerToMove = !computerToMove;
        }
        return Finish();
    }

private:
    void Prompt(const std::string &text)
    {
        if (console_.InputIsTerminal())
            ok_ = ok_ && console_.Out(text);
        else
            console_.Err(text);
    }

    void Say(const std::string &text) { ok_ = ok_ && console_.Out(text); }

    void Play(const QuovantFacts &f, bool byComputer)
    {
        chain_.push_back(TextOf(f.idiom));
        if (byComputer)
            Say(Said(N_("Computer: %1"), {Utf8Of(f.idiom)}) + "\n");
    }

    // The player's next line, without a byte-order mark and trimmed as a
    // query is (what is not valid UTF-8 becomes U+FFFD, which no idiom has);
    // nullopt at the end of input, on "quit" (认输), or once output cannot be
    // written.
    std::optional<std::u16string> ReadMove(const std::string &prompt)
    {
        Prompt(prompt);
        std::string line;
        if (!ok_ || !console_.ReadLine(line))
            return std::nullopt;
        const std::u16string move(TrimWhiteSpace(Utf8ToUtf16Lossy(WithoutByteOrderMark(line))));
        if (IsQuit(move))
            return std::nullopt;
        return move;
    }

    bool Opening()
    {
        for (;;) {
            const std::optional<std::u16string> move = ReadMove(Tr(N_("Your opening idiom (or nothing): ")));
            if (!move)
                return false;
            if (move->empty()) {
                Play(ComputerOpening(rules_), true);
                computerOpened_ = true;
                return true;
            }
            if (IsHint(*move)) {
                Say(Said(N_("Any idiom that is not a dead end may open; nothing lets the computer open.")) + "\n");
                continue;
            }
            QuovantFacts f{};
            const GameVerdict verdict = JudgeOpening(rules_, *move, f);
            if (verdict == GameVerdict::PLAYED) {
                Play(f, false);
                return true;
            }
            Say(Said(VerdictMessage(verdict), {Utf16ToUtf8(*move)}) + "\n");
        }
    }

    // One move of the player's; false when the game ends without it.
    bool PlayerMove(const std::vector<QuovantFacts> &moves)
    {
        for (;;) {
            const std::optional<std::u16string> move =
                ReadMove(Said(N_("Your idiom after %1: "), {Utf16ToUtf8(chain_.back())}));
            if (!move)
                return false;
            if (move->empty())
                continue;  // nothing typed: ask again
            if (IsHint(*move)) {
                std::string hint = Tr(N_("Your best moves:"));
                const std::vector<QuovantFacts> best = RankedMoves(moves);
                for (std::size_t i = 0; i < best.size() && i < QUOVANT_MAX_IDIOMS; ++i)
                    hint += Said(N_(" %1 (%2, %3)"),
                                 {Utf8Of(best[i].idiom), OutcomeSaid(best[i]), std::to_string(best[i].followers)});
                Say(hint + "\n" + Said(NOTE_ASIDE, {Tr(OUTCOME_NOTE)}) + "\n");
                continue;
            }
            QuovantFacts f{};
            const GameVerdict verdict = JudgeMove(rules_, chain_, moves, *move, f);
            if (verdict == GameVerdict::PLAYED) {
                Play(f, false);
                return true;
            }
            Say(Said(VerdictMessage(verdict), {Utf16ToUtf8(*move), Utf16ToUtf8(chain_.back())}) + "\n");
        }
    }

    int Finish()
    {
        if (!chain_.empty()) {
            std::string chain;
            for (const std::u16string &idiom : chain_)
                chain += (chain.empty() ? "" : " ") + Utf16ToUtf8(idiom);
            Say(Said(N_("The chain: %1"), {chain}) + "\n");
        }
        return ok_ ? EXIT_ALL_FOUND : EXIT_OUTPUT_FAILED;
    }

    Console &console_;
    const int rules_;  // the rule played (QUOVANT_RULE_*, maybe with QUOVANT_FOUR_ONLY)
    std::vector<std::u16string> chain_;  // the idioms played, in order
    bool computerOpened_ = false;
    bool over_ = false;
    bool ok_ = true;  // every output was written
};

}  // namespace

int RunPlay(const Options &options, Console &console)
{
    return Game(console, options.rules).Run();
}
