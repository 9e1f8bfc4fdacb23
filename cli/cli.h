// The quovant command-line tool, apart from its platform entry: arguments or
// standard-input lines in, one line of suggestions out per query. Text is
// UTF-8 here and UTF-16 at the library's boundary.
#ifndef QUOVANT_CLI_H
#define QUOVANT_CLI_H

#include <string>
#include <string_view>
#include <vector>

#include "utf8.h"

// The tool's view of its terminal, provided by each platform's entry.
class Console {
public:
    virtual ~Console() = default;
    // The next line of standard input without its line end ("\n" or "\r\n"),
    // as raw bytes; false at the end of input.
    virtual bool ReadLine(std::string &line) = 0;
    // Writes UTF-8 text to standard output or standard error.
    virtual void Out(std::string_view text) = 0;
    virtual void Err(std::string_view text) = 0;
};

// The idioms that can follow `text`, separated by single spaces, or the empty
// string when there are none. Needs the bound library.
std::string Suggest(std::u16string_view text);

// Runs the tool with its arguments (without the program name) and returns
// the exit code: 0 when every query found something, 1 when one did not or
// its text was not valid UTF-8, 2 for an unknown option. Reads standard
// input when there are no arguments.
int RunQuovant(const std::vector<std::string> &args, Console &console);

#endif
