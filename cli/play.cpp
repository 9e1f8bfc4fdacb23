// play: the console's game of idiom chain against the computer, a loop of
// lines around the game's turn (game.h): the player and the computer
// alternate; each idiom must be a candidate after the one before and may be
// played once in a game; whoever has no move loses. With --json, one JSON
// object a line answers each line read.
#include <optional>
#include <random>

#include "answers.h"
#include "ask.h"
#include "cli.h"
#include "facts.h"
#include "facts_json.h"
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
    Game(Console &console, const Options &options)
        : console_(console), rules_(options.rules), level_(options.level), json_(options.json),
          seed_(options.seed ? *options.seed : std::random_device()())
    {
    }

    int Run()
    {
        // A rule the library cannot play by (its readings damaged) ends the game before it begins.
        if (!CanAnswerBy(rules_))
            return LibraryFailed(console_, json_);
        Prompt(Tr(GREETING));
        while (ok_) {
            const std::optional<std::u16string> move = ReadMove();
            if (!move)
                break;
            if (!json_ && !chain_.empty() && move->empty())
                continue;  // nothing typed: ask again
            if (!json_ && IsHint(*move)) {
                Hint();
                continue;
            }
            const std::string last = chain_.empty() ? "" : Utf16ToUtf8(chain_.back());
            const Turn turn = PlayTurn(rules_, level_, chain_, IsHint(*move) ? u"" : *move, seed_);
            if (turn.failed)
                return LibraryFailed(console_, json_);
            if (!Tell(turn, Utf16ToUtf8(*move), last))
                break;
        }
        return Finish();
    }

private:
    void Prompt(const std::string &text)
    {
        if (json_)
            return;
        if (console_.InputIsTerminal())
            ok_ = ok_ && console_.Out(text);
        else
            console_.Err(text);
    }

    void Say(const std::string &text) { ok_ = ok_ && console_.Out(text); }

    // The player's next line, without a byte-order mark and trimmed as a
    // query is (what is not valid UTF-8 becomes U+FFFD, which no idiom has);
    // nullopt at the end of input, on "quit" (认输), or once output cannot be
    // written.
    std::optional<std::u16string> ReadMove()
    {
        Prompt(chain_.empty() ? Tr(N_("Your opening idiom (or nothing): "))
                              : Said(N_("Your idiom after %1: "), {Utf16ToUtf8(chain_.back())}));
        std::string line;
        if (!ok_ || !console_.ReadLine(line))
            return std::nullopt;
        const std::u16string move(TrimWhiteSpace(Utf8ToUtf16Lossy(WithoutByteOrderMark(line))));
        if (IsQuit(move))
            return std::nullopt;
        return move;
    }

    void Hint()
    {
        if (chain_.empty()) {
            Say(Said(N_("Any idiom that is not a dead end may open; nothing lets the computer open.")) + "\n");
            return;
        }
        std::string hint = Tr(N_("Your best moves:"));
        for (const QuovantFacts &f : hints_)
            hint += Said(N_(" %1 (%2, %3)"), {Utf8Of(f.idiom), OutcomeSaid(f), std::to_string(f.followers)});
        Say(hint + "\n" + Said(NOTE_ASIDE, {Tr(OUTCOME_NOTE)}) + "\n");
    }

    // Tells what the turn did; false when the game is over.
    bool Tell(const Turn &turn, const std::string &move, const std::string &last)
    {
        const GameVerdict said = turn.over ? *turn.over : turn.verdict;
        if (json_) {
            const std::string message =
                said == GameVerdict::PLAYED ? "" : FilledMessage(VerdictMessage(said), {move, last});
            Say(JsonText(TurnAnswer(turn, rules_, message)));
        } else {
            if (turn.verdict != GameVerdict::PLAYED)
                Say(Said(VerdictMessage(turn.verdict), {move, last}) + "\n");
            if (turn.computer)
                Say(Said(N_("Computer: %1"), {Utf8Of(turn.computer->idiom)}) + "\n");
            if (turn.over)
                Say(Said(VerdictMessage(*turn.over)) + "\n");
        }
        if (turn.verdict == GameVerdict::PLAYED)
            hints_ = turn.hints;
        return !turn.over;
    }

    int Finish()
    {
        if (!json_ && !chain_.empty()) {
            std::string chain;
            for (const std::u16string &idiom : chain_)
                chain += (chain.empty() ? "" : " ") + Utf16ToUtf8(idiom);
            Say(Said(N_("The chain: %1"), {chain}) + "\n");
        }
        return ok_ ? EXIT_ALL_FOUND : EXIT_OUTPUT_FAILED;
    }

    Console &console_;
    const int rules_;  // the rule played (QUOVANT_RULE_*, maybe with QUOVANT_FOUR_ONLY)
    const Level level_;
    const bool json_;
    const std::uint64_t seed_;
    std::vector<std::u16string> chain_;  // the idioms played, in order
    std::vector<QuovantFacts> hints_;    // the player's best moves, from the last turn
    bool ok_ = true;                     // every output was written
};

}  // namespace

int RunPlay(const Options &options, Console &console)
{
    return Game(console, options).Run();
}
