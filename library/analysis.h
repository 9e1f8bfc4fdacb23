// What the chain game makes of the dictionary under each rule (rule.h),
// without GetIdioms' limit of eight: the candidates after a text, how many
// idioms can follow an idiom, what playing it leads to, and shortest chains.
// Built on first use of a rule from the keyed, indexed tables (never at
// load), and again after the dictionary changed: once, under a lock, after
// which the functions below only read it, from any number of threads.
//
// The game: players alternate, each playing an idiom of the follow group of
// the idiom before; a player without one loses. The analysis lets an idiom
// be repeated, so its outcomes are a strong guide for a real game, where it
// is not, and not a proof (position.h searches exactly where it can).
#ifndef QUOVANT_ANALYSIS_H
#define QUOVANT_ANALYSIS_H

#include <cstddef>
#include <cstdint>

#include "array.h"
#include "quovant_knowledge.h"
#include "rule.h"

// What playing an idiom leads to for the player who plays it, with best play
// after it: the opponent is left without a win (WIN), with a win (LOSS), or
// play can go on for ever (DRAW). The values are the C interface's.
enum class Outcome { LOSS = QUOVANT_LOSS, DRAW = QUOVANT_DRAW, WIN = QUOVANT_WIN };

// Marks "no such number" in the arrays below.
constexpr std::uint32_t NONE = UINT32_MAX;

// One rule's analysis: the idioms' follow groups, each the set of idioms
// that may follow an idiom, numbered once per set, and joined by the
// groups of their members.
struct Analysis {
    int rules = 0;
    Array<std::uint32_t> groupOf;      // per first entry of a text, the number of its follow group
    Array<std::uint32_t> memberStart;  // per group, where its idioms start in members; groups + 1
    Array<std::uint32_t> members;      // per group, its idioms each once, as first entries, in the rule's order
    Array<signed char> mover;          // per group, what the player to move there reaches (Outcome)

    std::size_t Groups() const { return memberStart.Empty() ? 0 : memberStart.Size() - 1; }
};

// The analysis of `rules` (rule.h), built unless it is up to date (with
// the idioms' texts). Null when `rules` is no rule, there is no idiom table,
// a sound rule lacks the readings, or memory ran out.
const Analysis *AnalysisOf(int rules);

// Makes the idioms' texts below (Idioms, FirstOfText, FindIdiom) up to date
// with the idiom table, without analysing any rule. False when there is no
// idiom table or memory ran out.
bool EnsureTexts();

// Entry numbers below need an up-to-date analysis of some rule, or the
// texts made by EnsureTexts.

// The idioms, each text once, as their first entries in table order.
const Array<std::uint32_t> &Idioms();

// The first entry with the text of `entry`.
std::uint32_t FirstOfText(std::uint32_t entry);

// The first entry whose text is exactly `text` (its first 14 units at most
// are read: a longer text is no idiom), or -1 when no idiom has it.
long FindIdiom(const char16_t *text);

// The number of the follow group of the idiom of `entry`.
inline std::uint32_t GroupOf(const Analysis &a, std::uint32_t entry)
{
    return a.groupOf[FirstOfText(entry)];
}

// Makes `out` the idioms of `group`, each text once (its first entry), in
// the rule's order. False when memory ran out.
bool Candidates(const FollowGroup &group, Array<std::uint32_t> &out);

// What the player to move reaches in each group when the idioms marked in
// `played` (per entry, nonzero for a first entry played) are out of the
// game: retrograde analysis over what is left. False when memory ran out.
bool SolveOutcomes(const Analysis &a, const unsigned char *played, Array<signed char> &mover);

// Makes `chain` a shortest chain from the idiom of `from` to the idiom of
// `to`, each idiom in the follow group of the one before (breadth first over
// the groups, each in the rule's order from the idiom that reached it first;
// the first chain found): the entry numbers from `from` to `to`, `from` alone
// when both are the same idiom, empty when `to` cannot be reached. False
// when memory ran out.
bool ShortestChain(const Analysis &a, std::uint32_t from, std::uint32_t to, Array<std::uint32_t> &chain);

#endif
