// The quovant tool's queries and its two modes: one query per argument, or
// one per line of standard input with exactly one output line each.
#include "cli.h"

#include "binding.h"
#include "explore.h"
#include "product.h"

static const char HELP_TEXT[] =
    "Usage: quovant TEXT...\n"
    "       quovant < FILE\n"
    "       quovant next [--all] [--used FILE] [--json] TEXT\n"
    "       quovant info [--json] IDIOM...\n"
    "       quovant path [--json] FROM TO\n"
    "       quovant play\n"
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
    "  --used FILE leaves out the idioms listed in FILE, one a line: the game so far.\n"
    "info: for each IDIOM its first character's readings, followers, outcome and\n"
    "  meaning; text that is not an idiom of the dictionary is reported.\n"
    "path: a shortest chain from the idiom FROM to the idiom TO, one idiom a line.\n"
    "play: a game against the computer, typed or read from standard input; moves\n"
    "  are trimmed as queries are.\n"
    "--json: one JSON document on standard output instead of text; a failure is\n"
    "  {\"error\": ...}, with the same exit code.\n"
    "Outcomes let an idiom be played twice, which a real game does not: they are a\n"
    "strong guide, not a proof.\n"
    "\n"
    "Exit codes:\n"
    "  0  every query found something, or standard input was read to its end\n"
    "  1  a query found nothing or was not valid UTF-8; info: an unknown idiom;\n"
    "     path: no chain\n"
    "  2  an unknown option or a bad argument\n"
    "  3  the library is missing or its dictionary is damaged\n"
    "  4  standard output could not be written (a closed pipe ends quietly)\n"
    "  5  path: FROM or TO is not an idiom of the dictionary (or not valid UTF-8)\n";

static const char BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";

std::string Suggest(std::u16string_view text)
{
    // GetIdioms trims its buffer in place: give it a copy, terminated.
    std::u16string buffer(text);
    const auto *result = reinterpret_cast<const char16_t *>(
        g_pfnGetIdioms(reinterpret_cast<QuovantChar *>(buffer.data())));
    if (result == nullptr)
        return {};
    std::u16string_view idioms(result);
    while (!idioms.empty() && idioms.back() == u' ')
        idioms.remove_suffix(1);
    return Utf16ToUtf8(idioms);
}

static int RunArguments(const std::vector<std::string> &args, Console &console)
{
    int exitCode = EXIT_ALL_FOUND;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::optional<std::u16string> text = Utf8ToUtf16(args[i]);
        std::string idioms;
        if (!text)
            console.Err("quovant: argument " + std::to_string(i + 1) + " is not valid UTF-8\n");
        else if ((idioms = Suggest(*text)).empty())
            console.Err(QUOVANT_NOT_FOUND_TEXT "\n");
        if (!text || idioms.empty())
            exitCode = EXIT_NOT_FOUND;
        if (!console.Out(idioms + "\n"))
            return EXIT_OUTPUT_FAILED;
    }
    return exitCode;
}

static int RunLines(Console &console)
{
    int exitCode = EXIT_ALL_FOUND;
    std::string line;
    for (std::size_t number = 1; console.ReadLine(line); ++number) {
        if (number == 1 && line.starts_with(BYTE_ORDER_MARK))
            line.erase(0, sizeof BYTE_ORDER_MARK - 1);
        const std::optional<std::u16string> text = Utf8ToUtf16(line);
        if (!text) {
            console.Err("quovant: line " + std::to_string(number) + " is not valid UTF-8\n");
            exitCode = EXIT_NOT_FOUND;
        }
        if (!console.Out((text ? Suggest(*text) : std::string()) + "\n"))
            return EXIT_OUTPUT_FAILED;
    }
    return exitCode;
}

// The subcommands, and whether they can answer in JSON.
static const struct {
    const char *name;
    int (*run)(const std::vector<std::string> &, Console &);
    bool json;
} SUBCOMMANDS[] = {{"next", RunNext, true}, {"info", RunInfo, true}, {"path", RunPath, true}, {"play", RunPlay, false}};

static int RunQueries(const std::vector<std::string> &args, Console &console)
{
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h"))
        return console.Out(HELP_TEXT) ? EXIT_ALL_FOUND : EXIT_OUTPUT_FAILED;
    for (const auto &sub : SUBCOMMANDS) {
        if (args.empty() || args[0] != sub.name)
            continue;
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        const bool json = sub.json && WantsJson(rest);
        if (!BindLibrary(LIBRARY_FILE_NAME))
            return Fail(console, json, EXIT_NO_LIBRARY, Utf16ToUtf8(MISSING_LIBRARY_TEXT),
                        std::string("the library ") + LIBRARY_FILE_NAME + " is missing or its dictionary is damaged");
        if (g_pfnGetIdiomCandidates == nullptr || g_pfnGetIdiomFacts == nullptr || g_pfnGetIdiomChain == nullptr ||
            g_pfnGetIdiomCount == nullptr || g_pfnGetIdiomFactsAt == nullptr)
            return Fail(console, json, EXIT_NO_LIBRARY, "the library knows nothing of its idioms beyond GetIdioms");
        return sub.run(rest, console);
    }
    if (!args.empty() && args[0].size() > 1 && args[0][0] == '-' && args[0] != "--") {
        console.Err("quovant: unknown option " + ShownUtf8(args[0]) + " (see quovant --help)\n");
        return EXIT_USAGE;
    }
    if (!BindLibrary(LIBRARY_FILE_NAME)) {
        console.Err("quovant: " + Utf16ToUtf8(MISSING_LIBRARY_TEXT) + "\n");
        return EXIT_NO_LIBRARY;
    }
    if (!args.empty() && args[0] == "--")
        return RunArguments(std::vector<std::string>(args.begin() + 1, args.end()), console);
    return args.empty() ? RunLines(console) : RunArguments(args, console);
}

int RunQuovant(const std::vector<std::string> &args, Console &console)
{
    const int code = RunQueries(args, console);
    if (code == EXIT_OUTPUT_FAILED && !console.OutputError().empty())
        console.Err("quovant: cannot write standard output: " + console.OutputError() + "\n");
    return code;
}
