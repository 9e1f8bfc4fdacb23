// The tool's help, and text wrapped to a terminal's width, Chinese included.
#include "help.h"

#include "cli.h"
#include "facts.h"
#include "messages.h"
#include "utf8.h"

namespace {

const char USAGE_TEXT[] = N_(
    "Usage: quovant [RULE] TEXT...\n"
    "       quovant [RULE] < FILE\n"
    "       quovant next [RULE] [--all] [--used FILE] [--order ORDER] [--json] TEXT\n"
    "       quovant info [RULE] [--json] IDIOM...\n"
    "       quovant path [RULE] [--json] FROM TO\n"
    "       quovant play [RULE] [--level easy|normal|hard] [--seed N] [--json]\n"
    "       quovant add IDIOM [READING]\n"
    "       quovant remove IDIOM\n"
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
    "  as it stands. --order rule (the default) keeps the order above; common\n"
    "  lists the idioms players know first; best lists wins first, then draws,\n"
    "  then losses, the more common first.\n"
    "info: for each IDIOM its reading, its first character's readings, followers,\n"
    "  outcome and meaning; text that is not an idiom of the dictionary is reported.\n"
    "path: a shortest chain from the idiom FROM to the idiom TO, one idiom a line.\n"
    "play: a game against the computer, typed or read from standard input; moves\n"
    "  are trimmed as queries are. --level easy plays idioms players know and\n"
    "  leaves you one to answer with; normal (the default) plays the best of the\n"
    "  idioms players know; hard plays the best of all. --seed N repeats a game;\n"
    "  without it every game differs (hard is always the same). With --json, each\n"
    "  line read is answered with one JSON object on a line of its own.\n"
    "add: makes IDIOM one of your own idioms, kept in\n"
    "  $XDG_DATA_HOME/quovant/idioms.txt (~/.local/share/quovant/idioms.txt), an\n"
    "  idiom a line, each followed by its READING if given (wan4 li3 tiao1 yi1: a\n"
    "  syllable and its tone for each character); without one, each character is\n"
    "  read by its most customary reading. Your own idioms are idioms everywhere,\n"
    "  under every rule; a line that is no such idiom is reported and left out.\n"
    "remove: takes IDIOM out of your own idioms.\n"
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

}  // namespace

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

