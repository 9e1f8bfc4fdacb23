// The chain game against the computer, apart from any input and output, so
// that the tool, the page and every other front end play the same game:
// whether a player's idiom may be played, one whole turn, how the game ends,
// and what each is called. The computer's choice of move is computer.h's.
#ifndef QUOVANT_CLIENT_GAME_H
#define QUOVANT_CLIENT_GAME_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "computer.h"
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

// One turn of the game.
struct Turn {
    GameVerdict verdict = GameVerdict::PLAYED;  // of the player's move (PLAYED where none was given)
    std::optional<QuovantFacts> player;         // the player's move, played
    std::optional<QuovantFacts> computer;       // the computer's answer, or its opening
    std::optional<GameVerdict> over;            // PLAYER_WINS or COMPUTER_WINS once the game is over
    std::optional<int> position;                // what the player to move reaches with best play, once advised
    std::vector<QuovantFacts> hints;            // the player's best moves (HintedMoves)
    bool failed = false;                        // the library could not answer: nothing was played
};

// Plays one turn at `level` after the game `chain` (the idioms played, in
// order; none: the game has not begun), which gains what is played. The
// player's `move` (trimmed) is judged, and when it is played the computer
// answers; an empty move lets the computer open a game not begun, and in a
// game only advises the player again. `seed` chooses among the computer's
// equal moves: the same seed and chain give the same turn.
Turn PlayTurn(int rules, Level level, std::vector<std::u16string> &chain, const std::u16string &move,
              std::uint64_t seed);

// One move of a game of several players (多人接龙), where a player who
// cannot go on is out and the next one opens a new chain.
struct GroupMove {
    GameVerdict verdict = GameVerdict::PLAYED;  // of the move given
    std::optional<QuovantFacts> played;         // the idiom played
    bool stuck = false;                         // the computer, to move, had no idiom to play
    bool nextStuck = false;                     // no idiom can follow the one played
    bool failed = false;                        // the library could not answer
};

// Judges `move` (trimmed) after `last` (empty: a new chain, which any idiom
// not played opens), where the idioms of `played` are out of the game; an
// empty move is the computer's, at `level`, chosen by `seed`.
GroupMove PlayGroupMove(int rules, Level level, const std::vector<std::u16string> &played, const std::u16string &last,
                        const std::u16string &move, std::uint64_t seed);

// What is said of a verdict in English, a message to translate (message.h)
// in which %1 stands for the idiom judged and %2 for the idiom to follow;
// and the same in Chinese as the page shows it, filled in.
const char *VerdictMessage(GameVerdict verdict);
std::string VerdictTextChinese(GameVerdict verdict, const std::string &idiom, const std::string &last);

// The verdict's name in JSON ("played", "not-an-idiom", ...).
const char *VerdictName(GameVerdict verdict);

#endif
