// The quovant tool's queries and its two modes, one query per argument or one
// per line of standard input with exactly one output line each; the
// dispatch to the subcommands; and how failures are told.
#include "cli.h"

#include "ask.h"
#include "binding.h"
#include "facts.h"
#include "facts_json.h"
#include "help.h"
#include "messages.h"
#include "options.h"
#include "product.h"
#include "utf8.h"

namespace {

const char NO_KNOWLEDGE[] = N_("the library knows nothing of its idioms beyond GetIdioms");

int RunArguments(int rules, const std::vector<std::string> &args, Console &console)
{
    int exitCode = EXIT_ALL_FOUND;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::optional<std::u16string> text = Utf8ToUtf16(args[i]);
        std::string idioms;
        std::u16string query;
        bool found = false;
        if (!text)
            console.Err("quovant: " + Said(N_("argument %1 is not valid UTF-8"), {std::to_string(i + 1)}) + "\n");
        else if (!(found = AppendSuggestion(rules, *text, query, idioms)))
            console.Err(QUOVANT_NOT_FOUND_TEXT "\n");
        if (!found)
            exitCode = EXIT_NOT_FOUND;
        if (!console.Out(idioms + "\n"))
            return EXIT_OUTPUT_FAILED;
    }
    return exitCode;
}

// Answers wait in one buffer while further input lines are already read,
// and go out together in one write of at most about this many bytes: a
// stream of queries costs few writes, yet a program that writes one line and
// waits gets its answer at once.
constexpr std::size_t ANSWERS_CHUNK = 64 * 1024;

int RunLines(int rules, Console &console)
{
    int exitCode = EXIT_ALL_FOUND;
    std::string line, answers;
    std::u16string text, query;  // reused from line to line
    const auto flush = [&] {
        if (answers.empty())
            return true;
        const bool written = console.Out(answers);
        answers.clear();
        return written;
    };
    for (std::size_t number = 1; console.ReadLine(line); ++number) {
        if (Utf8ToUtf16Into(number == 1 ? WithoutByteOrderMark(line) : std::string_view(line), text)) {
            AppendSuggestion(rules, text, query, answers);
        } else {
            // The answers before it go first, for a reader of both streams at once.
            if (!flush())
                return EXIT_OUTPUT_FAILED;
            console.Err("quovant: " + Said(N_("line %1 is not valid UTF-8"), {std::to_string(number)}) + "\n");
            exitCode = EXIT_NOT_FOUND;
        }
        answers += '\n';
        if ((answers.size() >= ANSWERS_CHUNK || !console.LineWaiting()) && !flush())
            return EXIT_OUTPUT_FAILED;
    }
    return exitCode;
}

// The subcommands, what each takes, and what it says of anything else.
const struct {
    const char *name;
    int (*run)(const Options &, Console &);
    unsigned taken;
    const char *refusal;
} SUBCOMMANDS[] = {
    {"next", RunNext, TAKES_JSON | TAKES_ALL | TAKES_USED | TAKES_ORDER | TAKES_WORDS, UNKNOWN_OPTION},
    {"info", RunInfo, TAKES_JSON | TAKES_WORDS, UNKNOWN_OPTION},
    {"path", RunPath, TAKES_JSON | TAKES_WORDS, UNKNOWN_OPTION},
    {"play", RunPlay, TAKES_JSON | TAKES_LEVEL,
     N_("play takes only --rule, --four, --level, --seed and --json (see quovant --help)")},
    {"add", RunAdd, TAKES_WORDS, UNKNOWN_OPTION},
    {"remove", RunRemove, TAKES_WORDS, UNKNOWN_OPTION},
};

int RunQueries(const std::vector<std::string> &args, Console &console)
{
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h"))
        return console.Out(HelpText()) ? EXIT_ALL_FOUND : EXIT_OUTPUT_FAILED;
    Options options;
    for (const auto &sub : SUBCOMMANDS) {
        if (args.empty() || args[0] != sub.name)
            continue;
        if (const int code = ParseOptions({args.begin() + 1, args.end()}, sub.taken, options, console, sub.refusal))
            return code;
        if (!BindLibrary(LIBRARY_FILE_NAME))
            return FailTold(console, options.json, EXIT_NO_LIBRARY, Utf16ToUtf8(BINDING_FAILURE_TEXT),
                            BINDING_FAILURE_ERROR);
        if (!HasIdiomKnowledge())
            return Fail(console, options.json, EXIT_NO_LIBRARY, NO_KNOWLEDGE);
        LoadPlayerIdioms(console);
        return sub.run(options, console);
    }
    // The rule options, then the queries.
    if (const int code = ParseOptions(args, LEADING_OPTIONS, options, console))
        return code;
    const int rules = options.rules;
    if (!BindLibrary(LIBRARY_FILE_NAME)) {
        console.Err("quovant: " + Utf16ToUtf8(BINDING_FAILURE_TEXT) + "\n");
        return EXIT_NO_LIBRARY;
    }
    if (rules != QUOVANT_RULE_CLASSIC && !HasIdiomKnowledge()) {
        console.Err("quovant: " + Said(NO_KNOWLEDGE) + "\n");
        return EXIT_NO_LIBRARY;
    }
    LoadPlayerIdioms(console);
    // A rule the library cannot answer by (its readings damaged) fails every query: said once.
    if (rules != QUOVANT_RULE_CLASSIC && !CanAnswerBy(rules))
        return LibraryFailed(console, false);
    const bool fromArguments = !options.words.empty() || options.endOfOptions;
    return fromArguments ? RunArguments(rules, options.words, console) : RunLines(rules, console);
}

}  // namespace

bool AppendSuggestion(int rules, std::u16string_view text, std::u16string &query, std::string &out)
{
    // The library reads a terminated copy; GetIdioms trims it in place.
    query.assign(text);
    if (rules != QUOVANT_RULE_CLASSIC) {
        QuovantFacts first[QUOVANT_MAX_IDIOMS];
        const long count = g_library.GetIdiomCandidatesByRule(
            rules, reinterpret_cast<const QuovantChar *>(query.c_str()), nullptr, 0, first, QUOVANT_MAX_IDIOMS);
        for (long i = 0; i < count && i < QUOVANT_MAX_IDIOMS; ++i) {
            if (i > 0)
                out += ' ';
            if (first[i].idiom != nullptr)
                AppendUtf8(reinterpret_cast<const char16_t *>(first[i].idiom), out);
        }
        return count > 0;
    }
    const auto *result = reinterpret_cast<const char16_t *>(
        g_library.GetIdioms(reinterpret_cast<QuovantChar *>(query.data())));
    if (result == nullptr)
        return false;
    std::u16string_view idioms(result);
    while (!idioms.empty() && idioms.back() == u' ')
        idioms.remove_suffix(1);
    AppendUtf8(idioms, out);
    return !idioms.empty();
}

std::string_view WithoutByteOrderMark(std::string_view line)
{
    static constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
    if (line.starts_with(BYTE_ORDER_MARK))
        line.remove_prefix(BYTE_ORDER_MARK.size());
    return line;
}

int FailTold(Console &console, bool json, int code, const std::string &told, const std::string &error)
{
    console.Err("quovant: " + told + "\n");
    if (json && !console.Out(JsonText(nlohmann::ordered_json{{"error", error}})))
        return EXIT_OUTPUT_FAILED;
    return code;
}

int Fail(Console &console, bool json, int code, const char *message, std::initializer_list<std::string_view> values)
{
    return FailTold(console, json, code, Said(message, values), FilledMessage(message, values));
}

int LibraryFailed(Console &console, bool json)
{
    return Fail(console, json, EXIT_NO_LIBRARY,
                N_("the library could not answer (out of memory, or the readings a rule needs are damaged)"));
}

int RunQuovant(const std::vector<std::string> &args, Console &console)
{
    const int code = RunQueries(args, console);
    if (code == EXIT_OUTPUT_FAILED && !console.OutputError().empty())
        console.Err("quovant: " + Said(N_("cannot write standard output: %1"), {console.OutputError()}) + "\n");
    return code;
}
