// The tool's options, parsed once.
#include "options.h"

#include <charconv>

#include "facts.h"
#include "messages.h"
#include "utf8.h"

namespace {

// True when `args` ask for JSON: --json before any "--" (and not the value
// of an option that takes one).
bool JsonAsked(const std::vector<std::string> &args)
{
    for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
        if (args[i] == "--json")
            return true;
        if (args[i] == "--used" || args[i] == "--rule" || args[i] == "--order" || args[i] == "--level" ||
            args[i] == "--seed")
            ++i;  // its file, name or number
    }
    return false;
}

}  // namespace

int ParseOptions(const std::vector<std::string> &args, unsigned taken, Options &options, Console &console,
                 const char *refusal)
{
    options.json = (taken & TAKES_JSON) != 0 && JsonAsked(args);
    const bool wordsTaken = (taken & (TAKES_WORDS | LEADING_OPTIONS)) != 0;
    const auto refuse = [&](const std::string &a) {
        return Fail(console, options.json, EXIT_USAGE, refusal, {ShownUtf8(a)});
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool word = options.endOfOptions || a.size() < 2 || a[0] != '-' ||
                          ((taken & LEADING_OPTIONS) != 0 && !options.words.empty());
        if (word) {
            if (!wordsTaken)
                return refuse(a);
            options.words.push_back(a);
        } else if (a == "--" && wordsTaken) {
            options.endOfOptions = true;
        } else if (a == "--four") {
            options.rules |= QUOVANT_FOUR_ONLY;
        } else if (a == "--rule") {
            const int rule = i + 1 < args.size() ? RuleNamed(args[i + 1]) : -1;
            if (rule < 0)
                return Fail(console, options.json, EXIT_USAGE,
                            N_("--rule needs one of classic, char, sound, tone (see quovant --help)"));
            options.rules = (options.rules & ~QUOVANT_RULE_MASK) | rule;
            ++i;
        } else if (a == "--json" && options.json) {
        } else if (a == "--all" && (taken & TAKES_ALL) != 0) {
            options.all = true;
        } else if (a == "--used" && (taken & TAKES_USED) != 0) {
            if (i + 1 == args.size())
                return Fail(console, options.json, EXIT_USAGE, N_("--used needs a file (see quovant --help)"));
            options.used = args[++i];
        } else if (a == "--order" && (taken & TAKES_ORDER) != 0) {
            const int order = i + 1 < args.size() ? OrderNamed(args[i + 1]) : -1;
            if (order < 0)
                return Fail(console, options.json, EXIT_USAGE,
                            N_("--order needs one of rule, common, best (see quovant --help)"));
            options.order = order;
            ++i;
        } else if (a == "--level" && (taken & TAKES_LEVEL) != 0) {
            const std::optional<Level> level = i + 1 < args.size() ? LevelNamed(args[i + 1]) : std::nullopt;
            if (!level)
                return Fail(console, options.json, EXIT_USAGE,
                            N_("--level needs one of easy, normal, hard (see quovant --help)"));
            options.level = *level;
            ++i;
        } else if (a == "--seed" && (taken & TAKES_LEVEL) != 0) {
            const std::string number = i + 1 < args.size() ? args[i + 1] : "";
            std::uint64_t seed = 0;
            const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), seed);
            if (number.empty() || error != std::errc() || end != number.data() + number.size())
                return Fail(console, options.json, EXIT_USAGE,
                            N_("--seed needs a whole number from 0 (see quovant --help)"));
            options.seed = seed;
            ++i;
        } else {
            return refuse(a);
        }
    }
    return 0;
}
