// What the chain game makes of the dictionary, by the rule GetIdioms uses but
// without its limit of eight: the candidates after a character, how many
// idioms can follow an idiom, what playing it leads to, and shortest chains.
// Built on first use from the keyed, indexed tables (never at load), and
// again after the dictionary changed: once, under a lock, after which the
// functions below only read it, from any number of threads.
//
// The candidates after a character c: the idioms that begin with c, in table
// order, then those whose key equals c's readings and that do not begin
// with c; an idiom that stands in two entries counts once, at its first.
//
// The game: players alternate, each playing a candidate after the idiom
// before; a player without one loses. Repeating an idiom is allowed here, so
// the outcomes are a strong guide for a real game, where it is not, and not
// a proof.
#ifndef QUOVANT_ANALYSIS_H
#define QUOVANT_ANALYSIS_H

#include <cstddef>
#include <cstdint>
#include <vector>

// What playing an idiom leads to for the player who plays it, with best play
// after it: the opponent is left without a win (WIN), with a win (LOSS), or
// play can go on for ever (DRAW).
enum class Outcome { LOSS = -1, DRAW = 0, WIN = 1 };

// Builds the analysis unless it is up to date. False when there is no idiom
// table or memory ran out.
bool EnsureAnalysis();

// Entry numbers below need an up-to-date analysis.

// The idioms, each text once, as their first entries in table order.
const std::vector<std::uint32_t> &Idioms();

// The first entry whose text is exactly `text` (its first 14 units at most
// are read: a longer text is no idiom), or -1 when no idiom has it.
long FindIdiom(const char16_t *text);

// The candidates after the character `c`, in order, as entry numbers.
std::vector<std::uint32_t> CandidatesAfter(char16_t c);

// The idioms whose key equals `reading` (a pinyin query), in table order,
// each text once.
std::vector<std::uint32_t> CandidatesOfReading(const char16_t *reading);

// How many candidates follow the idiom of `entry`; 0 makes it a dead end.
std::size_t Followers(std::uint32_t entry);

// What playing the idiom of `entry` leads to.
Outcome OutcomeOf(std::uint32_t entry);

// What the player to move after an idiom ending in `c` can reach, with best
// play: Outcome::WIN, LOSS or DRAW for that player.
Outcome MoverOutcome(char16_t c);

// A shortest chain from the idiom of `from` to the idiom of `to`, each idiom
// a candidate after the one before (breadth first over last characters,
// candidates in order, the first chain found): the entry numbers from `from`
// to `to`, `from` alone when both are the same idiom, empty when `to` cannot
// be reached.
std::vector<std::uint32_t> ShortestChain(std::uint32_t from, std::uint32_t to);

#endif
