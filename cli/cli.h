// The quovant command-line tool, apart from its platform entry: arguments or
// standard-input lines in, one line of suggestions out per query, and the
// subcommands that use the idiom knowledge. Text is UTF-8 here and UTF-16 at
// the library's boundary.
#ifndef QUOVANT_CLI_H
#define QUOVANT_CLI_H

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "message.h"

// The tool's exit codes, each failure its own.
enum ExitCode {
    EXIT_ALL_FOUND = 0,
    EXIT_NOT_FOUND = 1,
    EXIT_USAGE = 2,
    EXIT_NO_LIBRARY = 3,
    EXIT_OUTPUT_FAILED = 4,
    EXIT_UNKNOWN_IDIOM = 5,
    EXIT_FILE_FAILED = 6,
};

// What each exit code means, as --help says it (each further line of a
// meaning indented under its first), the manual page and the README too.
struct ExitCodeMeaning {
    ExitCode code;
    const char *meaning;
};
inline constexpr ExitCodeMeaning EXIT_CODES[] = {
    {EXIT_ALL_FOUND, N_("every query found something, or standard input was read to its end")},
    {EXIT_NOT_FOUND, N_("a query found nothing or was not valid UTF-8; info: an unknown idiom;\n"
                        "path: no chain")},
    {EXIT_USAGE, N_("an unknown option or a bad argument")},
    {EXIT_NO_LIBRARY, N_("the library is missing or its dictionary is damaged, or it ran out\n"
                         "of memory")},
    {EXIT_OUTPUT_FAILED, N_("standard output could not be written (a closed pipe ends quietly)")},
    {EXIT_UNKNOWN_IDIOM, N_("path: FROM or TO is not an idiom of the dictionary (or not valid UTF-8)")},
    {EXIT_FILE_FAILED, N_("add, remove: the file of your own idioms could not be read or written")},
};

// The tool's view of its terminal, provided by each platform's entry.
class Console {
public:
    virtual ~Console() = default;
    // The next line of standard input without its line end ("\n" or "\r\n"),
    // as raw bytes; false at the end of input.
    virtual bool ReadLine(std::string &line) = 0;
    // True when a further complete line of standard input has already been
    // read, so that an answer may wait to be written with the next one's.
    virtual bool LineWaiting() const = 0;
    // Writes UTF-8 text to standard output; false when it could not be
    // written (the tool then stops).
    virtual bool Out(std::string_view text) = 0;
    // Writes UTF-8 text to standard error.
    virtual void Err(std::string_view text) = 0;
    // True when standard input is a terminal that a person types at.
    virtual bool InputIsTerminal() const = 0;
    // The bytes of the file at `path` (UTF-8); false when it cannot be read.
    virtual bool ReadTextFile(const std::string &path, std::string &content) = 0;
    // True when something exists at `path` (UTF-8).
    virtual bool FileExists(const std::string &path) const = 0;
    // Where the player's own idioms are kept (player_idioms.h); empty when
    // the environment names no place for them.
    virtual std::string PlayerFile() const = 0;
    // Puts `content` in the file at `path` whole or not at all: written
    // beside it (its folder made where missing), then renamed over it.
    // Empty on success, else why not, for the user.
    virtual std::string ReplaceTextFile(const std::string &path, const std::string &content) = 0;
    // Why the last Out failed, for the user; empty when standard output's
    // reader has gone (a closed pipe), which ends the tool quietly.
    virtual std::string OutputError() const = 0;
};

// Runs the tool with its arguments (without the program name): binds the
// library (but for --help), answers the queries, and returns the exit code;
// stops at the first output that cannot be written. Reads standard input
// when there are no arguments.
int RunQuovant(const std::vector<std::string> &args, Console &console);

// Appends to `out` the first eight idioms that can follow `text` under
// `rules` (GetIdioms' answer under the classic rule), separated by single
// spaces, or nothing when there are none; false when there are none. `query`
// is memory of the caller's, reused from call to call. Needs the bound
// library.
bool AppendSuggestion(int rules, std::u16string_view text, std::u16string &query, std::string &out);

// `line` without a UTF-8 byte-order mark at its start.
std::string_view WithoutByteOrderMark(std::string_view line);

// Tells the user why a subcommand failed: "quovant: MESSAGE" on standard
// error in the user's language, and with `json` the one document on
// standard output, {"error": MESSAGE} in English, for programs. `message` is
// English (marked N_), its places (%1...) filled with `values`. Returns
// `code`, or EXIT_OUTPUT_FAILED when the document was not written.
int Fail(Console &console, bool json, int code, const char *message, std::initializer_list<std::string_view> values = {});
// The same with what is told and the JSON error given as they stand.
int FailTold(Console &console, bool json, int code, const std::string &told, const std::string &error);

// An unknown option, named by %1.
inline constexpr char UNKNOWN_OPTION[] = N_("unknown option %1 (see quovant --help)");

// Tells the user that the library could not answer (it ran out of memory,
// or the readings a rule needs are damaged).
int LibraryFailed(Console &console, bool json);

// The subcommands, with the options and words given after the subcommand's
// name (options.h); each returns the exit code.
struct Options;
int RunNext(const Options &options, Console &console);
int RunInfo(const Options &options, Console &console);
int RunPath(const Options &options, Console &console);
int RunPlay(const Options &options, Console &console);
int RunAdd(const Options &options, Console &console);
int RunRemove(const Options &options, Console &console);

// Hands the player's own idioms, from their file, to the bound library, and
// tells on standard error of each line left out. Without the file, or a
// library that takes no such idioms, nothing changes.
void LoadPlayerIdioms(Console &console);

#endif
