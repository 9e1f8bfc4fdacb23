// Builds the library's two embedded streams from the dictionary's text
// sources:
//
//   make_streams PINYIN_TXT IDIOMS_TXT OUT_DIR
//
// reads pinyin.txt (a character, a tab, its readings per line, ascending)
// and idioms.txt (an idiom per line, in result order), checks them, lays out
// the record arrays and writes OUT_DIR/pinyin.lzma and OUT_DIR/idioms.lzma:
// LZMA-alone streams with properties 0x5D, an 8 MiB dictionary, the exact
// uncompressed size in the header and no end marker. The output depends on
// the input alone.
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "dictionary.h"
#include "embedded.h"
#include "query.h"
#include "stream_writer.h"

namespace {

// An error that names where it happened: "file:line: what".
struct InputError {
    std::string message;
};

[[noreturn]] void Fail(const std::string &file, std::size_t line, const std::string &what)
{
    throw InputError{file + ":" + std::to_string(line) + ": " + what};
}

// Strict UTF-8 to UTF-16; nullopt for malformed, overlong or surrogate input.
std::optional<std::u16string> DecodeUtf8(const std::string &in)
{
    std::u16string out;
    for (std::size_t i = 0; i < in.size();) {
        const auto b0 = static_cast<unsigned char>(in[i]);
        char32_t c;
        std::size_t n;
        if (b0 < 0x80) {
            c = b0, n = 1;
        } else if (b0 >= 0xC2 && b0 <= 0xDF) {
            c = b0 & 0x1F, n = 2;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            c = b0 & 0x0F, n = 3;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            c = b0 & 0x07, n = 4;
        } else {
            return std::nullopt;
        }
        if (i + n > in.size())
            return std::nullopt;
        for (std::size_t k = 1; k < n; ++k) {
            const auto b = static_cast<unsigned char>(in[i + k]);
            if ((b & 0xC0) != 0x80)
                return std::nullopt;
            c = c << 6 | (b & 0x3F);
        }
        if ((n == 3 && c < 0x800) || (n == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
            (c >= 0xD800 && c <= 0xDFFF))
            return std::nullopt;
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += n;
    }
    return out;
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
        std::optional<std::u16string> text = DecodeUtf8(line);
        if (!text)
            Fail(file, lines.size() + 1, "not valid UTF-8");
        lines.push_back(*text);
    }
    return lines;
}

bool IsReadings(const std::u16string &s)
{
    if (s.empty() || s.size() >= FIELD_UNITS || s.front() == u' ' || s.back() == u' ')
        return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c == u' ' ? s[i - 1] == u' ' : (c < u'a' || c > u'z'))
            return false;
    }
    return true;
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
        if ((ch >= 0xD800 && ch <= 0xDFFF) || ch < 0x80 || IsWhiteSpace(ch))
            Fail(file, number, "the character must be one UTF-16 unit, not ASCII or white space");
        const std::u16string readings = line.substr(2);
        if (!IsReadings(readings))
            Fail(file, number, "readings must be lower-case a-z words separated by single spaces, "
                               "at most 13 characters");
        if (!table.empty() && table.back().ch >= ch)
            Fail(file, number, "characters must ascend without duplicates");
        PinyinEntry e{};
        e.ch = ch;
        readings.copy(e.readings, readings.size());
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
            if (IsWhiteSpace(c) || c < 0x20)
                Fail(file, number, "an idiom must not contain white space or control characters");
        IdiomEntry e{};
        line.copy(e.text, line.size());
        table.push_back(e);
    }
    return table;
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
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_streams PINYIN_TXT IDIOMS_TXT OUT_DIR\n");
        return 2;
    }
    try {
        const std::vector<PinyinEntry> pinyin = ParsePinyin(argv[1]);
        const std::vector<IdiomEntry> idioms = ParseIdioms(argv[2]);
        // The records must also pass the loader's own checks.
        if (!CheckPinyinRecords(pinyin.data(), pinyin.size()) ||
            !CheckIdiomRecords(idioms.data(), idioms.size()))
            throw InputError{"records fail the loader's checks"};
        const std::string dir = argv[3];
        WriteFile(dir + "/pinyin.lzma", Stream(pinyin));
        WriteFile(dir + "/idioms.lzma", Stream(idioms));
        std::printf("%zu characters, %zu idioms\n", pinyin.size(), idioms.size());
    } catch (const InputError &e) {
        std::fprintf(stderr, "make_streams: %s\n", e.message.c_str());
        return 1;
    }
    return 0;
}
