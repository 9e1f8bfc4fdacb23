// The tool's options, parsed once for the plain queries and for every
// subcommand: the rule options (--rule NAME, --four) that all take, and
// --json, --all, --used FILE, --order NAME, --level NAME and --seed N where a
// subcommand takes them.
#ifndef QUOVANT_CLI_OPTIONS_H
#define QUOVANT_CLI_OPTIONS_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli.h"
#include "computer.h"
#include "quovant_knowledge.h"

// The options given and the words left after them.
struct Options {
    bool json = false;
    bool all = false;
    int rules = QUOVANT_RULE_CLASSIC;  // with QUOVANT_FOUR_ONLY for --four
    int order = 0;  // QUOVANT_ORDER_* for --order, 0 for the rule's
    Level level = DEFAULT_LEVEL;
    std::optional<std::uint64_t> seed;
    std::optional<std::string> used;
    std::vector<std::string> words;
    bool endOfOptions = false;  // "--" was given: the words are arguments, even none
};

// What a command takes besides the rule options.
enum OptionsTaken : unsigned {
    TAKES_JSON = 1,
    TAKES_ALL = 2,
    TAKES_USED = 4,
    TAKES_WORDS = 8,       // words anywhere among the options
    LEADING_OPTIONS = 16,  // words after the options, every argument from the first word on a word
    TAKES_ORDER = 32,      // --order NAME
    TAKES_LEVEL = 64,      // --level NAME and --seed N
};

// Parses `args` into `options` by what `taken` allows; "--" ends the options,
// and an argument of one character ("-" too) is a word. Anything else is
// refused with `refusal` (English, marked N_; %1 names the argument). Gives
// 0, or the exit code after telling the user what is wrong (in JSON when
// --json was asked for, so that every failure can be told that way).
int ParseOptions(const std::vector<std::string> &args, unsigned taken, Options &options, Console &console,
                 const char *refusal = UNKNOWN_OPTION);

#endif
