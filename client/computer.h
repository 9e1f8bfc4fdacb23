// How the computer plays the chain game against a person, over the bound
// library's idiom knowledge, at the level the person chose: its moves, its
// opening, and the hints it gives. Apart from any input and output, so that
// the tool and the page play the same game.
#ifndef QUOVANT_CLIENT_COMPUTER_H
#define QUOVANT_CLIENT_COMPUTER_H

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "quovant_knowledge.h"

// How strongly the computer plays.
//   EASY    a known idiom that leaves the player a known reply, at random
//           among such; no dead end in its first three moves, and after
//           them a known dead end one time in twenty;
//   NORMAL  the best of the known idioms (a dead end, else a win, a draw, a
//           loss), the more common first, one of the few most common at
//           random; others only where no known idiom follows;
//   HARD    the best of all, deterministic: a dead end, else a win, a draw,
//           a loss, each the one leaving the fewest followers.
// Known: a commonness of QUOVANT_COMMONNESS_KNOWN or more.
enum class Level { EASY, NORMAL, HARD };

// Each level's name in the tool ("easy") and on the page (入门), in order.
struct LevelName {
    Level level;
    const char *name;
    const char *chinese;
};
extern const LevelName LEVEL_NAMES[3];

// The level named `name` ("easy", "normal", "hard"), or nullopt.
std::optional<Level> LevelNamed(std::string_view name);

// The level a game is played at unless another is chosen.
constexpr Level DEFAULT_LEVEL = Level::NORMAL;

// The chooser of one turn among equal moves: the same seed and the same
// number of idioms played give the same choices, on every platform.
std::mt19937_64 TurnRandom(std::uint64_t seed, std::size_t played);

// True when `f` counts as known to players.
bool IsKnown(const QuovantFacts &f);

// The moves in the hard computer's order of preference: a dead end first
// (it wins at once), then a win, a draw, a loss; within each, the one
// leaving the opponent the fewest followers; ties keep their order.
std::vector<QuovantFacts> RankedMoves(std::vector<QuovantFacts> moves);

// The player's best moves, as hints: in the order above by outcome, known
// idioms first within each; at most QUOVANT_MAX_IDIOMS.
std::vector<QuovantFacts> HintedMoves(std::vector<QuovantFacts> moves);

// The computer's move at `level` after the game `chain` (the idioms played,
// in order), whose candidates are `moves` (not empty). May ask the library
// about the positions a move leads to; false in `*failed` when it could not
// answer. Needs the bound library's idiom knowledge.
QuovantFacts ComputerMove(int rules, Level level, const std::vector<std::u16string> &chain,
                          const std::vector<QuovantFacts> &moves, std::mt19937_64 &random, bool *failed);

// The computer's opening at `level` under `rules` (QUOVANT_RULE_*, maybe with
// QUOVANT_FOUR_ONLY, which lets only idioms of four characters open): never
// a dead end. At hard, the idiom ranked first of all, the first of them in
// the dictionary's order on a tie; at normal, a known idiom of the best
// outcome at random; at easy, a known idiom that leaves the player a known
// reply, at random. The idioms of `played` are left out. Null facts where
// no idiom may open.
QuovantFacts ComputerOpening(int rules, Level level, std::mt19937_64 &random, bool *failed,
                             const std::vector<std::u16string> &played = {});

#endif
