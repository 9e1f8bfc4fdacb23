// The player's own idioms, kept in a file of the player's, one a line and
// optionally its reading ("万里挑一 wan4 li3 tiao1 yi1"): where the file is,
// what its lines say, handing them to the bound library, and the file's new
// content after an idiom is added or removed. The tool and the Linux window
// read it at start; a bad line is left out of the game and kept in the file.
#ifndef QUOVANT_CLIENT_PLAYER_IDIOMS_H
#define QUOVANT_CLIENT_PLAYER_IDIOMS_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The file's path on POSIX systems from the environment's XDG_DATA_HOME and
// HOME (either may be null): $XDG_DATA_HOME/quovant/idioms.txt where that is
// an absolute path, else $HOME/.local/share/quovant/idioms.txt; empty when
// neither is set.
std::string PlayerFilePath(const char *xdgDataHome, const char *home);

// The same on Windows from %APPDATA% (UTF-8, may be null):
// %APPDATA%\quovant\idioms.txt, empty without it.
std::string PlayerFilePathUnder(const char *appData);

// One line of the file that names an idiom: its number (from 1), the idiom
// (its first word) and the reading (the rest, trimmed; empty for none), as
// bytes of the file.
struct PlayerLine {
    std::size_t number;
    std::string idiom;
    std::string reading;
};

// The lines of `content` that name an idiom: all but blank ones.
std::vector<PlayerLine> PlayerLines(std::string_view content);

// Why a line was left out, beside the library's QUOVANT_PLAYER_* reasons.
constexpr int PLAYER_NOT_UTF8 = -1;

// Makes `lines` the bound library's player idioms. Fills `results` with
// each line's QUOVANT_PLAYER_* reason (or PLAYER_NOT_UTF8) and returns how
// many were taken, or the library's failure (negative). Needs the bound
// library's SetPlayerIdioms.
long SetPlayerLines(const std::vector<PlayerLine> &lines, std::vector<int> &results);

// Why a line with `result` was left out, %1 the idiom, in English (marked
// N_) and in Chinese, for the page; null for QUOVANT_PLAYER_ADDED.
const char *PlayerResultMessage(int result);
const char *PlayerResultChinese(int result);

// `content` with `idiom` and `reading` (may be empty) as its line: the first
// line of that idiom replaced, any further ones dropped, or a line added at
// the end. Every other line stays as it was.
std::string WithPlayerIdiom(std::string_view content, const std::string &idiom, const std::string &reading);

// `content` without the lines of `idiom`; `*found` tells whether it had any.
std::string WithoutPlayerIdiom(std::string_view content, const std::string &idiom, bool *found);

#endif
