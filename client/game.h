// The chain game against the computer, apart from any input and output, so
// that the tool and the page play the same game: whether a player's idiom may
// be played, how the game ends, and what each is called. The computer's
// choice of move is computer.h's.
#ifndef QUOVANT_CLIENT_GAME_H
#define QUOVANT_CLIENT_GAME_H

#include <string>
#include <vector>

#include "quovant_knowledge.h"

// What is said of a player's idiom, and of the game's end.
enum class GameVerdict {
    PLAYED,             // the idiom is played
    NOT_AN_IDIOM,       // not an idiom of the dictionary
    NOT_FOUR,           // the opening is not four characters long, and only such idioms are played
    DEAD_END_OPENING,   // the opening is a dead end: no idiom can follow it
    PLAYED_ALREADY,     // played before in this game
    DOES_NOT_FOLLOW,    // not a candidate after the last idiom
    PLAYER_WINS,        // the computer has no idiom to play
    COMPUTER_WINS,      // the player has no idiom to play
};

// Judges `move`, the player's opening idiom under `rules`; fills `facts`
// when it is played.
GameVerdict JudgeOpening(int rules, const std::u16string &move, QuovantFacts &facts);

// Judges `move`, the player's idiom after the game `chain` (the idioms played,
// in order, at least one) whose candidates are `moves`; fills `facts` when it
// is played.
GameVerdict JudgeMove(int rules, const std::vector<std::u16string> &chain, const std::vector<QuovantFacts> &moves,
                      const std::u16string &move, QuovantFacts &facts);

// What is said of a verdict in English, a message to translate (message.h)
// in which %1 stands for the idiom judged and %2 for the idiom to follow;
// and the same in Chinese as the page shows it, filled in.
const char *VerdictMessage(GameVerdict verdict);
std::string VerdictTextChinese(GameVerdict verdict, const std::string &idiom, const std::string &last);

// The verdict's name in JSON ("played", "not-an-idiom", ...).
const char *VerdictName(GameVerdict verdict);

#endif
