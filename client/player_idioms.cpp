// The player's idioms' file: its place, its lines, and its edits.
#include "player_idioms.h"

#include <iterator>
#include <optional>

#include "binding.h"
#include "message.h"
#include "utf8.h"

namespace {

constexpr char FILE_IN_DATA_HOME[] = "quovant/idioms.txt";
constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Calls `each(line, end)` for every line of `content` (without its "\n";
// `end` is where the next begins), the byte-order mark left off the first.
template <typename Each>
void ForEachLine(std::string_view content, Each each)
{
    std::size_t start = content.starts_with(BYTE_ORDER_MARK) ? BYTE_ORDER_MARK.size() : 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        end = end == std::string_view::npos ? content.size() : end + 1;
        std::string_view line = content.substr(start, end - start);
        if (line.ends_with('\n'))
            line.remove_suffix(1);
        each(line, end);
        start = end;
    }
}

// The idiom a line names (its first word), empty for a blank line.
std::string_view IdiomOf(std::string_view line)
{
    line = Trimmed(line);
    std::size_t end = 0;
    while (end < line.size() && !IsBlank(line[end]))
        ++end;
    return line.substr(0, end);
}

// `content` with the lines of `idiom` replaced by `replacement` (once, at
// the first; none when empty), or it appended when there were none.
std::string Replaced(std::string_view content, const std::string &idiom, const std::string &replacement, bool *found)
{
    std::string out;
    std::size_t kept = 0;  // content before this is in `out` or dropped
    if (content.starts_with(BYTE_ORDER_MARK)) {
        out = BYTE_ORDER_MARK;
        kept = BYTE_ORDER_MARK.size();
    }
    *found = false;
    ForEachLine(content, [&](std::string_view line, std::size_t end) {
        if (IdiomOf(line) == idiom) {
            if (!*found && !replacement.empty())
                out += replacement + "\n";
            *found = true;
        } else {
            out += content.substr(kept, end - kept);
        }
        kept = end;
    });
    if (!*found && !replacement.empty()) {
        if (!out.empty() && out.back() != '\n' && out != BYTE_ORDER_MARK)
            out += '\n';
        out += replacement + "\n";
    }
    return out;
}

}  // namespace

std::string PlayerFilePath(const char *xdgDataHome, const char *home)
{
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/')
        return std::string(xdgDataHome) + "/" + FILE_IN_DATA_HOME;
    if (home != nullptr && home[0] != '\0')
        return std::string(home) + "/.local/share/" + FILE_IN_DATA_HOME;
    return {};
}

std::string PlayerFilePathUnder(const char *appData)
{
    if (appData == nullptr || appData[0] == '\0')
        return {};
    std::string path = std::string(appData) + "\\" + FILE_IN_DATA_HOME;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::vector<PlayerLine> PlayerLines(std::string_view content)
{
    std::vector<PlayerLine> lines;
    std::size_t number = 0;
    ForEachLine(content, [&](std::string_view line, std::size_t) {
        ++number;
        const std::string_view idiom = IdiomOf(line);
        if (idiom.empty())
            return;
        const std::string_view trimmed = Trimmed(line);
        lines.push_back({number, std::string(idiom), std::string(Trimmed(trimmed.substr(idiom.size())))});
    });
    return lines;
}

long SetPlayerLines(const std::vector<PlayerLine> &lines, std::vector<int> &results)
{
    // Lines that are not UTF-8 are not handed over; the others keep their places.
    std::vector<std::u16string> idioms, readings;
    std::vector<std::size_t> given;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::u16string> idiom = Utf8ToUtf16(lines[i].idiom);
        std::optional<std::u16string> reading = Utf8ToUtf16(lines[i].reading);
        if (idiom && reading) {
            idioms.push_back(std::move(*idiom));
            readings.push_back(std::move(*reading));
            given.push_back(i);
        }
    }
    std::vector<const QuovantChar *> idiomTexts, readingTexts;
    for (std::size_t i = 0; i < idioms.size(); ++i) {
        idiomTexts.push_back(reinterpret_cast<const QuovantChar *>(idioms[i].c_str()));
        readingTexts.push_back(reinterpret_cast<const QuovantChar *>(readings[i].c_str()));
    }
    std::vector<int> taken(idioms.size(), QUOVANT_PLAYER_NOT_IDIOM);
    const long count = g_library.SetPlayerIdioms(idiomTexts.data(), readingTexts.data(), idioms.size(), taken.data());
    results.assign(lines.size(), PLAYER_NOT_UTF8);
    for (std::size_t i = 0; i < given.size(); ++i)
        results[given[i]] = taken[i];
    return count;
}

namespace {

// Why a line is left out, in both languages, %1 the idiom; the last is
// said of any other reason.
constexpr struct {
    int result;
    const char *english;
    const char *chinese;
} LEFT_OUT[] = {
    {PLAYER_NOT_UTF8, N_("the line is not valid UTF-8"), "此行不是有效的 UTF-8"},
    {QUOVANT_PLAYER_IN_DICTIONARY, N_("%1 is an idiom of the dictionary already"), "%1 已在词库中"},
    {QUOVANT_PLAYER_REPEATED, N_("%1 is listed on an earlier line"), "%1 已在前面列出"},
    {QUOVANT_PLAYER_BAD_READING,
     N_("the reading of %1 must give one syllable with its tone for each character, "
        "as in wan4 li3 tiao1 yi1 (0 for the neutral tone)"),
     "%1 的读音须每字一个带声调的音节，如 wan4 li3 tiao1 yi1（轻声为 0）"},
    {QUOVANT_PLAYER_NO_READING, N_("a character of %1 has no customary reading: give the idiom's reading after it"),
     "%1 中有字没有常用读音，请在成语后写出读音"},
    {QUOVANT_PLAYER_NOT_IDIOM, N_("%1 is not an idiom: it must be 3 to 13 Chinese characters"),
     "%1 不是成语：须为 3 至 13 个汉字"},
};

template <typename Text>
const char *LeftOutText(int result, Text text)
{
    if (result == QUOVANT_PLAYER_ADDED)
        return nullptr;
    for (const auto &reason : LEFT_OUT)
        if (reason.result == result)
            return text(reason);
    return text(LEFT_OUT[std::size(LEFT_OUT) - 1]);
}

}  // namespace

const char *PlayerResultMessage(int result)
{
    return LeftOutText(result, [](const auto &reason) { return reason.english; });
}

const char *PlayerResultChinese(int result)
{
    return LeftOutText(result, [](const auto &reason) { return reason.chinese; });
}

std::string WithPlayerIdiom(std::string_view content, const std::string &idiom, const std::string &reading)
{
    bool found = false;
    return Replaced(content, idiom, reading.empty() ? idiom : idiom + " " + reading, &found);
}

std::string WithoutPlayerIdiom(std::string_view content, const std::string &idiom, bool *found)
{
    return Replaced(content, idiom, std::string(), found);
}
