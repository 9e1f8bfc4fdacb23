// How the computer plays the chain game against a person, over the bound
// library's idiom knowledge: the ranking of its moves and its opening. Apart
// from any input and output, so that the tool and a page play the same game.
#ifndef QUOVANT_CLIENT_COMPUTER_H
#define QUOVANT_CLIENT_COMPUTER_H

#include <vector>

#include "quovant_knowledge.h"

// True when the computer prefers the move `a` to `b`: a dead end first (it
// wins at once), then a win, a draw, a loss; within each, the one leaving
// the opponent the fewest followers.
bool IsBetterMove(const QuovantFacts &a, const QuovantFacts &b);

// The moves in the computer's order of preference; ties keep their order.
std::vector<QuovantFacts> RankedMoves(std::vector<QuovantFacts> moves);

// The computer's opening: the idiom it ranks first of all that are not dead
// ends (a dead end would end the game at once), the first of them in the
// dictionary's order on a tie, under `rules` (QUOVANT_RULE_*, maybe with
// QUOVANT_FOUR_ONLY, which lets only idioms of four characters open). Needs
// the bound library's idiom knowledge.
QuovantFacts ComputerOpening(int rules);

#endif
