// The quovant tool's queries and its two modes, one query per argument or one
// per line of standard input with exactly one output line each; the help;
// the dispatch to the subcommands; and how failures are told.
#include "cli.h"

#include "ask.h"
#include "binding.h"
#include "facts.h"
#include "facts_json.h"
#include "messages.h"
#include "product.h"
#include "utf8.h"

namespace {

const char NO_KNOWLEDGE[] = N_("the library knows nothing of its idioms beyond GetIdioms");

const char USAGE_TEXT[] = N_(
    "Usage: quovant [RULE] TEXT...\n"
    "       quovant [RULE] < FILE\n"
    "       quovant next [RULE] [--all] [--used FILE] [--json] TEXT\n"
    "       quovant info [RULE] [--json] IDIOM...\n"
    "       quovant path [RULE] [--json] FROM TO\n"
    "       quovant play [RULE]\n"
    "where RULE is [--rule classic|char|sound|tone] [--four].\n"
    "Suggests up to eight Chinese idioms that can follow each TEXT in the idiom\n"
    "chain game: first those beginning with its last character, then those whose\n"
    "first character reads the same. ASCII text is taken as a pinyin reading\n"
    "(\"yi\", \"he hu huo\", \"lv\" for lü).\n"
    "\n"
    "With arguments, each one is a query and gets one output line, the idioms\n"
    "separated by spaces; a query that finds nothing gets an empty line and a\n"
    "message on standard error, and the exit code is then 1.\n"
    "Without arguments, each line of standard input is a query and gets exactly\n"
    "one output line, empty where nothing was found; the exit code is 0.\n"
    "Text is UTF-8. Text that is not valid UTF-8 is reported on standard error\n"
    "with the argument or line it came from; the other queries still run, and\n"
    "the exit code is 1.\n"
    "A UTF-8 byte-order mark at the start of standard input is skipped.\n"
    "\n"
    "next: the idioms that can follow TEXT, in the same order, the first eight or\n"
    "  --all of them, each with how many idioms can follow it (its followers; 0\n"
    "  makes it a dead end, which wins at once), what playing it leads to with\n"
    "  best play (win, loss or draw; wins are marked *) and its meaning.\n"
    "  --used FILE names the idioms played so far, one a line: they are left out\n"
    "  of the list and out of the game, whose figures are then those of the game\n"
    "  as it stands.\n"
    "info: for each IDIOM its reading, its first character's readings, followers,\n"
    "  outcome and meaning; text that is not an idiom of the dictionary is reported.\n"
    "path: a shortest chain from the idiom FROM to the idiom TO, one idiom a line.\n"
    "play: a game against the computer, typed or read from standard input; moves\n"
    "  are trimmed as queries are.\n"
    "--json: one JSON document on standard output instead of text; a failure is\n"
    "  {\"error\": ...}, with the same exit code.\n"
    "\n"
    "Rules of what may follow a text:\n"
    "  --rule classic  (the default) an idiom that begins with the text's last\n"
    "                  character, then one whose first character reads the same\n"
    "  --rule char     only an idiom that begins with the text's last character\n"
    "  --rule sound    an idiom whose first syllable, as read in it, is the last\n"
    "                  syllable of the text as read there, tone ignored: one that\n"
    "                  begins with the same character read otherwise does not\n"
    "                  follow (after 三思而行, xíng, comes 行云流水, not\n"
    "                  行家里手, háng); a text that is no idiom uses every reading\n"
    "                  of its last character; \"xing\", \"xing2\", \"xíng\" are syllables\n"
    "  --rule tone     the same with the same tone\n"
    "  --four          idioms of four characters only, with any rule\n");

// Columns a terminal gives the UTF-16 unit `c`: two for the wide characters
// of Chinese (a pair's second unit none), else one.
std::size_t Columns(char16_t c)
{
    if (c >= 0xDC00 && c <= 0xDFFF)
        return 0;
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
                      (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0xD800 && c <= 0xDBFF);
    return wide ? 2 : 1;
}

// `text` broken into lines of at most 79 columns: at its spaces, and in
// Chinese between two characters too, but never before closing punctuation
// or after opening punctuation.
std::string Wrapped(std::string_view text)
{
    static constexpr std::u16string_view CLOSING = u"，。、；：？！）》」』”’】", OPENING = u"（《「『“‘【";
    const std::u16string all = Utf8ToUtf16Lossy(text);
    std::u16string out;
    std::size_t column = 0;
    for (std::size_t i = 0; i < all.size();) {
        // The next piece that a line may not break within: a word, or one
        // wide character with the punctuation that holds on to it.
        const bool gap = all[i] == u' ';
        if (gap && ++i == all.size())
            break;  // a space at the end goes
        std::size_t end = i, width = 0;
        const auto take = [&] { width += Columns(all[end++]); };
        while (end < all.size() && all[end] != u' ') {
            const bool wide = Columns(all[end]) == 2;
            if (wide && end > i && Columns(all[end - 1]) != 2 && OPENING.find(all[end - 1]) == std::u16string_view::npos &&
                CLOSING.find(all[end]) == std::u16string_view::npos)
                break;  // a word ends where Chinese begins
            take();
            if (wide && all[end - 1] >= 0xD800 && all[end - 1] <= 0xDBFF && end < all.size())
                take();  // a pair's second unit
            if (wide || OPENING.find(all[end - 1]) != std::u16string_view::npos) {
                while (end < all.size() && CLOSING.find(all[end]) != std::u16string_view::npos)
                    take();
                if (OPENING.find(all[end - 1]) == std::u16string_view::npos)
                    break;
            }
        }
        if (column > 0 && column + (gap ? 1 : 0) + width > 79) {
            out += u'\n';
            column = 0;
        } else if (gap && column > 0) {
            out += u' ';
            ++column;
        }
        out.append(all, i, end - i);
        column += width;
        i = end;
    }
    return Utf16ToUtf8(out) + "\n";
}

// The usage, the note on outcomes, then every exit code with its meaning.
std::string HelpText()
{
    std::string text = std::string(Tr(USAGE_TEXT)) + Wrapped(Tr(OUTCOME_NOTE)) + "\n" + Tr(N_("Exit codes:")) + "\n";
    for (const ExitCodeMeaning &exit : EXIT_CODES) {
        std::string meaning = Tr(exit.meaning);
        for (std::size_t at = 0; (at = meaning.find('\n', at)) != std::string::npos; at += 6)
            meaning.insert(at + 1, "     ");
        text += "  " + std::to_string(exit.code) + "  " + meaning + "\n";
    }
    return text;
}

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

// The subcommands, and whether they can answer in JSON.
const struct {
    const char *name;
    int (*run)(const std::vector<std::string> &, Console &);
    bool json;
} SUBCOMMANDS[] = {{"next", RunNext, true}, {"info", RunInfo, true}, {"path", RunPath, true}, {"play", RunPlay, false}};

int RunQueries(const std::vector<std::string> &args, Console &console)
{
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h"))
        return console.Out(HelpText()) ? EXIT_ALL_FOUND : EXIT_OUTPUT_FAILED;
    for (const auto &sub : SUBCOMMANDS) {
        if (args.empty() || args[0] != sub.name)
            continue;
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        const bool json = sub.json && JsonAsked(rest);
        if (!BindLibrary(LIBRARY_FILE_NAME))
            return FailTold(console, json, EXIT_NO_LIBRARY, Utf16ToUtf8(BINDING_FAILURE_TEXT), BINDING_FAILURE_ERROR);
        if (!HasIdiomKnowledge())
            return Fail(console, json, EXIT_NO_LIBRARY, NO_KNOWLEDGE);
        return sub.run(rest, console);
    }
    // The rule options, then the queries.
    int rules = QUOVANT_RULE_CLASSIC;
    std::size_t first = 0;
    for (; first < args.size(); ++first) {
        const int code = ParseRuleOption(args, first, false, rules, console);
        if (code > 0)
            return code;
        if (code < 0)
            break;
    }
    const std::vector<std::string> queries(args.begin() + static_cast<std::ptrdiff_t>(first), args.end());
    if (!queries.empty() && queries[0].size() > 1 && queries[0][0] == '-' && queries[0] != "--") {
        console.Err("quovant: " + Said(UNKNOWN_OPTION, {ShownUtf8(queries[0])}) + "\n");
        return EXIT_USAGE;
    }
    if (!BindLibrary(LIBRARY_FILE_NAME)) {
        console.Err("quovant: " + Utf16ToUtf8(BINDING_FAILURE_TEXT) + "\n");
        return EXIT_NO_LIBRARY;
    }
    if (rules != QUOVANT_RULE_CLASSIC && !HasIdiomKnowledge()) {
        console.Err("quovant: " + Said(NO_KNOWLEDGE) + "\n");
        return EXIT_NO_LIBRARY;
    }
    // A rule the library cannot answer by (its readings damaged) fails every query: said once.
    if (rules != QUOVANT_RULE_CLASSIC && !CanAnswerBy(rules))
        return LibraryFailed(console, false);
    if (!queries.empty() && queries[0] == "--")
        return RunArguments(rules, std::vector<std::string>(queries.begin() + 1, queries.end()), console);
    return queries.empty() ? RunLines(rules, console) : RunArguments(rules, queries, console);
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

bool JsonAsked(const std::vector<std::string> &args)
{
    for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
        if (args[i] == "--json")
            return true;
        if (args[i] == "--used" || args[i] == "--rule")
            ++i;  // its file or name
    }
    return false;
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

int ParseRuleOption(const std::vector<std::string> &args, std::size_t &i, bool json, int &rules, Console &console)
{
    if (args[i] == "--four") {
        rules |= QUOVANT_FOUR_ONLY;
        return 0;
    }
    if (args[i] != "--rule")
        return -1;
    const int rule = i + 1 < args.size() ? RuleNamed(args[i + 1]) : -1;
    if (rule < 0)
        return Fail(console, json, EXIT_USAGE, N_("--rule needs one of classic, char, sound, tone (see quovant --help)"));
    rules = (rules & ~QUOVANT_RULE_MASK) | rule;
    ++i;
    return 0;
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
