// The game as it stands: the idioms played so far are out of the game, and
// followers and outcomes are those of what is left (retrograde analysis
// over the rest, which still lets a later idiom repeat). Where a search of
// the rest of the game without any repeat finishes within PROOF_NODES
// steps, the outcome is exact: the limit is a count, not a time, so that
// the answer never depends on the machine.
#ifndef QUOVANT_POSITION_H
#define QUOVANT_POSITION_H

#include <cstddef>
#include <cstdint>

#include "analysis.h"
#include "array.h"

// Steps (idioms looked at, as moves or to choose them) that one exact
// search may take.
constexpr std::size_t PROOF_NODES = 5000;

struct Position {
    const Analysis *analysis = nullptr;
    Array<unsigned char> played;  // per entry, 1 for the first entry of a played text; made when needed
    Array<signed char> mover;     // per group, what the player to move there reaches
    bool anyPlayed = false;
};

// Makes `out` the position under `a` after the idioms of the `count`
// entries of `played` (any order; repeats allowed). False when memory ran
// out.
bool MakePosition(const Analysis &a, const std::uint32_t *played, std::size_t count, Position &out);

// Makes the scratch that ProveOutcome needs. False when memory ran out.
bool ReadyForProofs(Position &p);

// True when the idiom of `entry` was played.
bool WasPlayed(const Position &p, std::uint32_t entry);

// How many idioms not played may follow the idiom of `entry` (itself among
// them where it may follow itself: the guide lets it repeat).
std::size_t FollowersIn(const Position &p, std::uint32_t entry);

// What playing the idiom of `entry` now leads to, by the guide.
Outcome OutcomeIn(const Position &p, std::uint32_t entry);

// What playing the idiom of `entry` now leads to when no idiom may be played
// twice, searched exactly: true and `*outcome` (WIN or LOSS) when the
// search finished within PROOF_NODES steps, false when it did not (or `p`
// is not ready for proofs). Uses `p`'s marks as its scratch and leaves them
// as they were.
bool ProveOutcome(Position &p, std::uint32_t entry, Outcome *outcome);

#endif
