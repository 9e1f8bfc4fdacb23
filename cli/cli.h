// The quovant command-line tool, apart from its platform entry: arguments or
// standard-input lines in, one line of suggestions out per query. Text is
// UTF-8 here and UTF-16 at the library's boundary.
#ifndef QUOVANT_CLI_H
#define QUOVANT_CLI_H

#include <string>
#include <string_view>
#include <vector>

#include "utf8.h"

// The tool's exit codes, each failure its own.
constexpr int EXIT_ALL_FOUND = 0;       // every query found something
constexpr int EXIT_NOT_FOUND = 1;       // a query found nothing, or its text was not valid UTF-8
constexpr int EXIT_USAGE = 2;           // an unknown option
constexpr int EXIT_NO_LIBRARY = 3;      // the library is missing or its dictionary is damaged
constexpr int EXIT_OUTPUT_FAILED = 4;   // standard output could not be written
constexpr int EXIT_UNKNOWN_IDIOM = 5;   // path: FROM or TO is not an idiom of the dictionary

// The tool's view of its terminal, provided by each platform's entry.
class Console {
public:
    virtual ~Console() = default;
    // The next line of standard input without its line end ("\n" or "\r\n"),
    // as raw bytes; false at the end of input.
    virtual bool ReadLine(std::string &line) = 0;
    // Writes UTF-8 text to standard output; false when it could not be
    // written (the tool then stops).
    virtual bool Out(std::string_view text) = 0;
    // Writes UTF-8 text to standard error.
    virtual void Err(std::string_view text) = 0;
    // True when standard input is a terminal that a person types at.
    virtual bool InputIsTerminal() const = 0;
    // The bytes of the file at `path` (UTF-8); false when it cannot be read.
    virtual bool ReadTextFile(const std::string &path, std::string &content) = 0;
    // Why the last Out failed, for the user; empty when standard output's
    // reader has gone (a closed pipe), which ends the tool quietly.
    virtual std::string OutputError() const = 0;
};

// The idioms that can follow `text`, separated by single spaces, or the empty
// string when there are none. Needs the bound library.
std::string Suggest(std::u16string_view text);

// Runs the tool with its arguments (without the program name): binds the
// library (but for --help), answers the queries, and returns the exit code
// (EXIT_*); stops at the first output that cannot be written. Reads standard
// input when there are no arguments.
int RunQuovant(const std::vector<std::string> &args, Console &console);

#endif
