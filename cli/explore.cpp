// next, info and path: the candidates after a text, the facts of idioms and
// shortest chains, as text for people or as one JSON document for programs.
#include <nlohmann/json.hpp>

#include <optional>

#include "answers.h"
#include "ask.h"
#include "binding.h"
#include "cli.h"
#include "facts.h"
#include "facts_json.h"
#include "messages.h"
#include "options.h"
#include "product.h"
#include "utf8.h"

using Json = nlohmann::ordered_json;

namespace {

// How many idioms can follow one, %1.
const char FOLLOWERS[] = N_("%1 followers");

// How common an idiom is, with two spaces before it; nothing where the
// figures are unavailable. A player's own idiom is said to be one instead.
std::string CommonnessSaid(const QuovantFacts &f)
{
    if (f.origin == QUOVANT_FROM_PLAYER)
        return "  " + Said(N_("your own idiom"));
    if (f.origin == QUOVANT_FROM_PLAYER_CUSTOMARY)
        return "  " + Said(N_("your own idiom, each character read by its most customary reading"));
    return f.commonness == QUOVANT_COMMONNESS_UNAVAILABLE
               ? std::string()
               : "  " + Said(N_("commonness %1"), {std::to_string(f.commonness)});
}

// Why `word` (UTF-8 or not) is not an idiom, for a message: the empty text,
// text that is not valid UTF-8 (shown with U+FFFD), or not in the dictionary.
std::string NotAnIdiom(std::string_view word)
{
    if (word.empty())
        return Said(N_("the empty text is not an idiom of the dictionary"));
    if (!Utf8ToUtf16(word))
        return Said(N_("%1 is not valid UTF-8"), {ShownUtf8(word)});
    return Said(N_("%1 is not an idiom of the dictionary"), {word});
}

// A meaning on one line, its senses joined by " / ".
std::string OneLine(const QuovantChar *meaning)
{
    std::string text = Utf8Of(meaning);
    for (std::size_t at; (at = text.find('\n')) != std::string::npos;)
        text.replace(at, 1, " / ");
    return text;
}

// Tells once that meanings are unavailable, when they are.
void NoteMissingMeanings(Console &console)
{
    if (g_library.HasIdiomMeanings() == 0)
        console.Err("quovant: " + Said(N_("meanings are unavailable: their data in the library is damaged")) + "\n");
}

// The idioms of a --used file: one a line, trimmed, blank lines left out.
// Gives 0, or the exit code after telling the user what is wrong.
int ReadUsed(const std::string &path, bool json, std::vector<std::u16string> &used, Console &console)
{
    std::string file;
    if (!console.ReadTextFile(path, file))
        return Fail(console, json, EXIT_USAGE, N_("cannot read %1"), {ShownUtf8(path)});
    const std::string_view content = WithoutByteOrderMark(file);
    std::size_t start = 0;
    for (std::size_t number = 1; start < content.size(); ++number) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        const std::optional<std::u16string> line = Utf8ToUtf16(content.substr(start, end - start));
        if (!line)
            return Fail(console, json, EXIT_USAGE, N_("%1: line %2 is not valid UTF-8"),
                        {ShownUtf8(path), std::to_string(number)});
        const std::u16string_view idiom = TrimWhiteSpace(*line);
        if (!idiom.empty())
            used.emplace_back(idiom);
        start = end + 1;
    }
    return 0;
}

}  // namespace

int RunNext(const Options &options, Console &console)
{
    if (options.words.size() != 1)
        return Fail(console, options.json, EXIT_USAGE, N_("next takes one text (see quovant --help)"));
    std::vector<std::u16string> used;
    if (options.used)
        if (const int code = ReadUsed(*options.used, options.json, used, console))
            return code;
    const std::optional<std::u16string> text = Utf8ToUtf16(options.words[0]);
    if (!text)
        return Fail(console, options.json, EXIT_NOT_FOUND, N_("the text is not valid UTF-8"));

    std::vector<QuovantFacts> candidates;
    if (!NextCandidatesOf(options.rules | options.order, *text, used, candidates,
                          options.all ? SIZE_MAX : QUOVANT_MAX_IDIOMS))
        return LibraryFailed(console, options.json);
    NoteMissingMeanings(console);
    if (options.json) {
        // The text as queries trim it, for the answer to name.
        if (!console.Out(JsonText(CandidatesAnswer(Utf16ToUtf8(TrimWhiteSpace(*text)), options.rules, candidates))))
            return EXIT_OUTPUT_FAILED;
    } else {
        std::string out;
        for (const QuovantFacts &f : candidates)
            out += std::string(f.outcome == QUOVANT_WIN ? "* " : "  ") + Utf8Of(f.idiom) + "  " + OutcomeSaid(f) +
                   "  " + Said(FOLLOWERS, {std::to_string(f.followers)}) + CommonnessSaid(f) + "  " +
                   OneLine(f.meaning) + "\n";
        if (!candidates.empty())
            out += Said(N_("(* wins for the player who plays it; 0 followers: a dead end. %1)"), {Tr(OUTCOME_NOTE)}) +
                   "\n";
        if (!console.Out(out))
            return EXIT_OUTPUT_FAILED;
    }
    if (candidates.empty()) {
        console.Err(QUOVANT_NOT_FOUND_TEXT "\n");
        return EXIT_NOT_FOUND;
    }
    return EXIT_ALL_FOUND;
}

int RunInfo(const Options &options, Console &console)
{
    if (options.words.empty())
        return Fail(console, options.json, EXIT_USAGE, N_("info takes one or more idioms (see quovant --help)"));
    NoteMissingMeanings(console);
    int code = EXIT_ALL_FOUND;
    Json list = Json::array();
    std::string out;
    for (const std::string &word : options.words) {
        QuovantFacts f{};
        const int known = LookUpFacts(options.rules, Utf8ToUtf16Lossy(word), f);
        if (known < 0)
            return LibraryFailed(console, options.json);
        list.push_back(IdiomAnswer(word, options.rules, known == QUOVANT_FOUND ? &f : nullptr));
        if (known == QUOVANT_UNKNOWN_IDIOM) {
            code = EXIT_NOT_FOUND;
            console.Err("quovant: " + NotAnIdiom(word) + "\n");
            continue;
        }
        out += word + "  " + (f.reading ? Utf8Of(f.reading) + "  " : std::string()) + "(" + Utf8Of(f.readings) +
               ")  " + Said(FOLLOWERS, {std::to_string(f.followers)}) + "  " + OutcomeSaid(f) + CommonnessSaid(f) +
               "\n  " +
               (f.meaning ? OneLine(f.meaning) : Said(N_("(no meaning)"))) + "\n" +
               (f.english ? "  " + OneLine(f.english) + "\n" : std::string());
    }
    if (!options.json && !out.empty())
        out += Said(NOTE_ASIDE, {Tr(OUTCOME_NOTE)}) + "\n";
    if (!console.Out(options.json ? JsonText(list) : out))
        return EXIT_OUTPUT_FAILED;
    return code;
}

int RunPath(const Options &options, Console &console)
{
    if (options.words.size() != 2)
        return Fail(console, options.json, EXIT_USAGE, N_("path takes two idioms, FROM and TO (see quovant --help)"));
    // Text that is not valid UTF-8 keeps U+FFFD, which no idiom has.
    std::vector<std::string> found;
    const int result =
        ChainOf(options.rules, Utf8ToUtf16Lossy(options.words[0]), Utf8ToUtf16Lossy(options.words[1]), found);
    if (result < 0)
        return LibraryFailed(console, options.json);

    std::string out;
    for (const std::string &idiom : found)
        out += idiom + "\n";
    std::vector<std::string> unknown;
    for (int which : {0, 1}) {
        if (result > 0 && (result & (which == 0 ? QUOVANT_UNKNOWN_IDIOM : QUOVANT_UNKNOWN_TO))) {
            unknown.push_back(options.words[which]);
            console.Err("quovant: " + NotAnIdiom(options.words[which]) + "\n");
        }
    }
    const Json doc = ChainAnswer(options.words[0], options.words[1], options.rules,
                                 result == QUOVANT_FOUND ? &found : nullptr, unknown);
    if (result == QUOVANT_NO_CHAIN)
        console.Err("quovant: " + Said(N_("no chain leads from %1 to %2"), {options.words[0], options.words[1]}) + "\n");
    if ((options.json || !out.empty()) && !console.Out(options.json ? JsonText(doc) : out))
        return EXIT_OUTPUT_FAILED;
    if (result == QUOVANT_FOUND)
        return EXIT_ALL_FOUND;
    return unknown.empty() ? EXIT_NOT_FOUND : EXIT_UNKNOWN_IDIOM;
}
