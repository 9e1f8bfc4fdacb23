// What the chain game makes of the dictionary, by the rule of what may
// follow (rule.h) but without GetIdioms' limit of eight: the candidates after
// a text, how many idioms can follow an idiom, what playing it leads to, and
// shortest chains. Built on first use from the keyed, indexed tables (never
// at load), and again after the dictionary changed: once, under a lock,
// after which the functions below only read it, from any number of threads.
//
// The game: players alternate, each playing an idiom of the follow group of
// the idiom before; a player without one loses. Repeating an idiom is allowed
// here, so the outcomes are a strong guide for a real game, where it is not,
// and not a proof.
#ifndef QUOVANT_ANALYSIS_H
#define QUOVANT_ANALYSIS_H

#include <cstddef>
#include <cstdint>

#include "array.h"
#include "rule.h"

// What playing an idiom leads to for the player who plays it, with best play
// after it: the opponent is left without a win (WIN), with a win (LOSS), or
// play can go on for ever (DRAW).
enum class Outcome { LOSS = -1, DRAW = 0, WIN = 1 };

// Builds the analysis unless it is up to date. False when there is no idiom
// table or memory ran out.
bool EnsureAnalysis();

// Entry numbers below need an up-to-date analysis.

// The idioms, each text once, as their first entries in table order.
const Array<std::uint32_t> &Idioms();

// The first entry whose text is exactly `text` (its first 14 units at most
// are read: a longer text is no idiom), or -1 when no idiom has it.
long FindIdiom(const char16_t *text);

// Makes `out` the idioms of `group`, each text once (its first entry), in
// the rule's order. False when memory ran out.
bool Candidates(const FollowGroup &group, Array<std::uint32_t> &out);

// How many idioms may follow the idiom of `entry`; 0 makes it a dead end.
std::size_t Followers(std::uint32_t entry);

// What playing the idiom of `entry` leads to.
Outcome OutcomeOf(std::uint32_t entry);

// Makes `chain` a shortest chain from the idiom of `from` to the idiom of
// `to`, each idiom in the follow group of the one before (breadth first over
// the groups, each in the rule's order from the idiom that reached it first;
// the first chain found): the entry numbers from `from` to `to`, `from` alone
// when both are the same idiom, empty when `to` cannot be reached. False
// when memory ran out.
bool ShortestChain(std::uint32_t from, std::uint32_t to, Array<std::uint32_t> &chain);

#endif
