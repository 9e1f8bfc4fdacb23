// Builds the library's embedded streams from the dictionary's text sources:
//
//   make_streams PINYIN_TXT IDIOMS_TXT MEANINGS_TXT READINGS_TXT ENGLISH_TXT COMMONNESS_TXT CUSTOMARY_TXT OUT_DIR
//
// reads pinyin.txt (a character, a tab, its readings per line, ascending),
// idioms.txt (an idiom per line, in result order), meanings.txt (per
// idiom of idioms.txt, in its order, the idiom, a tab and its meaning, with
// a backslash, a tab and a line break written \\, \t and \n; empty where
// none) and readings.txt (per idiom, in its order, the idiom, a tab and one
// token per character, separated by spaces: a syllable in a-z with its tone
// 0-4, or "-" for none), english.txt (as meanings.txt, the idioms' English)
// commonness.txt (per idiom, in its order, the idiom, a tab and its
// figure, 0 to 100) and customary.txt (per character of pinyin.txt, in its
// order, the character, a tab and its most customary reading as a token of
// readings.txt), checks them, lays out the record arrays, the meanings
// and the English (UTF-16 texts each ended by a NUL), the readings and the
// customary readings (coded against the pinyin table, library/readings.h)
// and the figures (a byte per idiom) and writes OUT_DIR/pinyin.lzma,
// idioms.lzma, meanings.lzma, readings.lzma, english.lzma, commonness.lzma
// and customary.lzma:
// LZMA-alone streams with properties 0x5D, an 8 MiB dictionary, the exact
// uncompressed size in the header and no end marker. The output depends on
// the input alone.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "dictionary.h"
#include "readings.h"
#include "unpack.h"
#include "quovant.h"
#include "quovant_knowledge.h"
#include "stream_writer.h"
#include "utf8.h"

namespace {

// An error that names where it happened: "file:line: what".
struct InputError {
    std::string message;
};

[[noreturn]] void Fail(const std::string &file, std::size_t line, const std::string &what)
{
    throw InputError{file + ":" + std::to_string(line) + ": " + what};
}

// The file's lines as UTF-16, without line ends ("\n" or "\r\n"); a missing
// newline after the last line is accepted.
std::vector<std::u16string> ReadLines(const std::string &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw InputError{file + ": cannot open"};
    std::vector<std::u16string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::optional<std::u16string> text = Utf8ToUtf16(line);
        if (!text)
            Fail(file, lines.size() + 1, "not valid UTF-8");
        lines.push_back(*text);
    }
    return lines;
}

std::vector<PinyinEntry> ParsePinyin(const std::string &file)
{
    std::vector<PinyinEntry> table;
    std::size_t number = 0;
    for (const std::u16string &line : ReadLines(file)) {
        ++number;
        if (line.size() < 3 || line[1] != u'\t')
            Fail(file, number, "expected one character, a tab and its readings");
        const char16_t ch = line[0];
        if ((ch >= 0xD800 && ch <= 0xDFFF) || ch < 0x80 || QuovantIsWhiteSpace(ch))
            Fail(file, number, "the character must be one UTF-16 unit, not ASCII or white space");
        const std::u16string readings = line.substr(2);
        PinyinEntry e{};
        e.ch = ch;
        readings.copy(e.readings, std::min(readings.size(), FIELD_UNITS));
        // The record must pass the loader's own readings check.
        if (readings.size() >= FIELD_UNITS || !CheckPinyinRecords(&e, 1))
            Fail(file, number, "readings must be lower-case a-z words separated by single spaces, "
                               "at most 13 characters");
        if (!table.empty() && table.back().ch >= ch)
            Fail(file, number, "characters must ascend without duplicates");
        table.push_back(e);
    }
    return table;
}

std::vector<IdiomEntry> ParseIdioms(const std::string &file)
{
    std::vector<IdiomEntry> table;
    std::size_t number = 0;
    for (const std::u16string &line : ReadLines(file)) {
        ++number;
        if (line.size() < 4 || line.size() >= FIELD_UNITS)
            Fail(file, number, "an idiom must have 4 to 13 UTF-16 units");
        for (char16_t c : line)
            if (QuovantIsWhiteSpace(c) || c < 0x20)
                Fail(file, number, "an idiom must not contain white space or control characters");
        IdiomEntry e{};
        line.copy(e.text, line.size());
        table.push_back(e);
    }
    return table;
}

// Undoes the escapes of a meaning: \\, \t and \n.
std::u16string Unescape(const std::string &file, std::size_t line, std::u16string_view escaped)
{
    std::u16string out;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != u'\\') {
            out += escaped[i];
            continue;
        }
        const char16_t next = i + 1 < escaped.size() ? escaped[++i] : u'\0';
        if (next == u'\\')
            out += u'\\';
        else if (next == u't')
            out += u'\t';
        else if (next == u'n')
            out += u'\n';
        else
            Fail(file, line, "a backslash must begin \\\\, \\t or \\n");
    }
    return out;
}

// Reads `file`, one line per idiom of `idioms` in their order, each the
// idiom, a tab and its `what`, and hands each line's number and what
// follows the tab to `take`.
template <typename Take>
void ForEachIdiomLine(const std::string &file, const std::vector<IdiomEntry> &idioms, const std::string &what,
                      Take take)
{
    const std::vector<std::u16string> lines = ReadLines(file);
    if (lines.size() != idioms.size())
        Fail(file, lines.size(), "expected one line for each of the " + std::to_string(idioms.size()) + " idioms");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t tab = lines[i].find(u'\t');
        if (tab == std::u16string::npos || lines[i].compare(0, tab, idioms[i].text) != 0)
            Fail(file, i + 1, "expected the idiom of line " + std::to_string(i + 1) + " of the idioms, a tab and its " +
                                  what);
        take(i + 1, std::u16string_view(lines[i]).substr(tab + 1));
    }
}

// The texts of the idioms (meanings.txt, english.txt), in their order, each
// ended by a NUL.
std::u16string ParseTexts(const std::string &file, const std::vector<IdiomEntry> &idioms)
{
    std::u16string texts;
    ForEachIdiomLine(file, idioms, "text", [&](std::size_t line, std::u16string_view escaped) {
        const std::u16string text = Unescape(file, line, escaped);
        if (text.find(u'\0') != std::u16string::npos)
            Fail(file, line, "a text must not contain NUL");
        texts += text;
        texts += u'\0';
    });
    return texts;
}

// The code of one token of readings.txt for character `ch` (readings.h):
// the reading's place among the pinyin table's readings of `ch` with the
// tone, or the syllable spelled out where the table lacks it.
std::string ReadingCode(const std::string &file, std::size_t line, const std::vector<PinyinEntry> &pinyin,
                        char16_t ch, const std::u16string &token)
{
    if (token == u"-")
        return std::string(1, static_cast<char>(NO_SYLLABLE));
    const std::size_t letters = token.size() - 1;
    const char16_t tone = token.back();
    if (token.size() < 2 || letters > SYLLABLE_LETTERS || tone < u'0' || tone > u'4' ||
        token.find_first_not_of(u"abcdefghijklmnopqrstuvwxyz") != letters)
        Fail(file, line, "a syllable must be a-z letters and a tone 0-4, or -");
    const std::u16string syllable = token.substr(0, letters);
    const auto found = std::lower_bound(pinyin.begin(), pinyin.end(), ch,
                                        [](const PinyinEntry &e, char16_t c) { return e.ch < c; });
    const char16_t *readings = found != pinyin.end() && found->ch == ch ? found->readings : nullptr;
    std::size_t place = 0;
    for (std::u16string_view rest = readings == nullptr ? u"" : readings; !rest.empty(); ++place) {
        const std::size_t space = std::min(rest.find(u' '), rest.size());
        if (rest.substr(0, space) == syllable && place * TONES + TONES <= SPELLED_SYLLABLE)
            return std::string(1, static_cast<char>(place * TONES + (tone - u'0')));
        rest.remove_prefix(std::min(space + 1, rest.size()));
    }
    return static_cast<char>(SPELLED_SYLLABLE) + std::string(syllable.begin(), syllable.end()) +
           static_cast<char>(tone - u'0');
}

// The readings of the idioms, in their order, coded per character.
std::string ParseReadings(const std::string &file, const std::vector<PinyinEntry> &pinyin,
                          const std::vector<IdiomEntry> &idioms)
{
    std::string codes;
    std::size_t entry = 0;
    ForEachIdiomLine(file, idioms, "syllables", [&](std::size_t line, std::u16string_view tokens) {
        const IdiomEntry &e = idioms[entry++];
        const std::u16string_view idiom(e.text, FieldLength(e.text));
        for (std::size_t unit = 0; unit < idiom.size(); ++unit) {
            const std::size_t space = unit + 1 < idiom.size() ? tokens.find(u' ') : tokens.size();
            if (space == std::u16string_view::npos || space == 0)
                Fail(file, line, "expected one syllable for each character, separated by single spaces");
            codes += ReadingCode(file, line, pinyin, idiom[unit], std::u16string(tokens.substr(0, space)));
            tokens.remove_prefix(std::min(space + 1, tokens.size()));
        }
        if (!tokens.empty())
            Fail(file, line, "more syllables than characters");
    });
    return codes;
}

// The customary reading of each character of the pinyin table, in its
// order, coded as a reading of that character.
std::string ParseCustomary(const std::string &file, const std::vector<PinyinEntry> &pinyin)
{
    const std::vector<std::u16string> lines = ReadLines(file);
    if (lines.size() != pinyin.size())
        Fail(file, lines.size(), "expected one line for each of the " + std::to_string(pinyin.size()) + " characters");
    std::string codes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() < 3 || lines[i][0] != pinyin[i].ch || lines[i][1] != u'\t')
            Fail(file, i + 1, "expected the character of line " + std::to_string(i + 1) +
                                  " of the pinyin table, a tab and its reading");
        codes += ReadingCode(file, i + 1, pinyin, pinyin[i].ch, lines[i].substr(2));
    }
    return codes;
}

// The commonness figures of the idioms, in their order, a byte each.
std::string ParseCommonness(const std::string &file, const std::vector<IdiomEntry> &idioms)
{
    std::string figures;
    ForEachIdiomLine(file, idioms, "figure", [&](std::size_t line, std::u16string_view digits) {
        const std::string bad = "a figure must be a whole number from 0 to " + std::to_string(QUOVANT_COMMONNESS_MAX);
        if (digits.empty() || digits.size() > 3 || digits.find_first_not_of(u"0123456789") != digits.npos)
            Fail(file, line, bad);
        int figure = 0;
        for (const char16_t d : digits)
            figure = figure * 10 + (d - u'0');
        if (figure > QUOVANT_COMMONNESS_MAX)
            Fail(file, line, bad);
        figures += static_cast<char>(figure);
    });
    return figures;
}

// The stream for `records`, written with the exact size in its header.
template <typename Record>
std::string Stream(const std::vector<Record> &records)
{
    const std::string raw(reinterpret_cast<const char *>(records.data()), records.size() * sizeof(Record));
    std::string stream = CompressStream(raw);
    if (stream.empty())
        throw InputError{"liblzma: encoding failed"};
    return stream;
}

void WriteFile(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw InputError{path + ": cannot write"};
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 9) {
        std::fprintf(stderr,
                     "usage: make_streams PINYIN_TXT IDIOMS_TXT MEANINGS_TXT READINGS_TXT ENGLISH_TXT COMMONNESS_TXT "
                     "CUSTOMARY_TXT OUT_DIR\n");
        return 2;
    }
    try {
        const std::vector<PinyinEntry> pinyin = ParsePinyin(argv[1]);
        const std::vector<IdiomEntry> idioms = ParseIdioms(argv[2]);
        // The records must also pass the loader's own checks.
        if (!CheckPinyinRecords(pinyin.data(), pinyin.size()) ||
            !CheckIdiomRecords(idioms.data(), idioms.size()))
            throw InputError{"records fail the loader's checks"};
        const std::u16string meanings = ParseTexts(argv[3], idioms);
        const std::string readings = ParseReadings(argv[4], pinyin, idioms);
        const std::u16string english = ParseTexts(argv[5], idioms);
        const std::string commonness = ParseCommonness(argv[6], idioms);
        const std::string customary = ParseCustomary(argv[7], pinyin);
        const std::string dir = argv[8];
        WriteFile(dir + "/pinyin.lzma", Stream(pinyin));
        WriteFile(dir + "/idioms.lzma", Stream(idioms));
        WriteFile(dir + "/meanings.lzma", Stream(std::vector<char16_t>(meanings.begin(), meanings.end())));
        const std::string readingsStream = Stream(std::vector<char>(readings.begin(), readings.end()));
        WriteFile(dir + "/readings.lzma", readingsStream);
        const std::string englishStream = Stream(std::vector<char16_t>(english.begin(), english.end()));
        WriteFile(dir + "/english.lzma", englishStream);
        WriteFile(dir + "/commonness.lzma", Stream(std::vector<char>(commonness.begin(), commonness.end())));
        WriteFile(dir + "/customary.lzma", Stream(std::vector<char>(customary.begin(), customary.end())));
        std::printf("%zu characters, %zu idioms with their meanings, readings and English (%zu bytes of readings, "
                    "%zu packed; %zu bytes of English packed)\n",
                    pinyin.size(), idioms.size(), readings.size(), readingsStream.size(), englishStream.size());
    } catch (const InputError &e) {
        std::fprintf(stderr, "make_streams: %s\n", e.message.c_str());
        return 1;
    }
    return 0;
}
