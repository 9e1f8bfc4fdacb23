// libFuzzer target: arbitrary bytes as a small dictionary and questions to
// its idiom knowledge. The input is UTF-8 lines (what is not valid becomes
// U+FFFD): idioms up to the first empty line, then one question a line,
// asked under the classic or the char rule, with or without the
// four-character switch, as the input's length chooses:
//   c TEXT   the candidates after TEXT, with every text asked before played
//   f TEXT   the facts of TEXT
//   p A<TAB>B   a shortest chain from A to B
//   o A<TAB>R   A as the player's own idiom, read as R, in place of any before
//   TEXT     GetIdioms of TEXT
// Characters above ASCII become one of 32 CJK characters, most of them with
// readings that several share, so that idioms chain, homophones meet and
// cycles form. The answers must agree with each other: candidates follow
// the text, counts match, facts match before anything is played, a dead end
// wins, a chain links its ends, and a player's idiom taken is an idiom.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary.h"
#include "quovant.h"
#include "quovant_knowledge.h"
#include "utf8.h"

namespace {

constexpr char16_t FIRST = 0x4E00;  // the 32 characters: U+4E00 to U+4E1F
constexpr char16_t COUNT = 32;
const char16_t *const READINGS[] = {u"yi", u"er", u"san", u"si", u"he hu huo"};
const int RULES[] = {QUOVANT_RULE_CLASSIC, QUOVANT_RULE_CHAR, QUOVANT_RULE_CLASSIC | QUOVANT_FOUR_ONLY,
                     QUOVANT_RULE_CHAR | QUOVANT_FOUR_ONLY};
int g_rules = QUOVANT_RULE_CLASSIC;  // the rule of this input

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

char16_t Folded(char16_t c)
{
    return c < 0x80 ? c : static_cast<char16_t>(FIRST + c % COUNT);
}

const QuovantChar *AsLibraryText(const std::u16string &s)
{
    return reinterpret_cast<const QuovantChar *>(s.c_str());
}

std::u16string TextOf(const QuovantChar *s)
{
    return s == nullptr ? std::u16string() : std::u16string(reinterpret_cast<const char16_t *>(s));
}

// Installs the pinyin table of the 32 characters (every seventh has none)
// and the idioms; false when there are none.
bool Install(const std::vector<std::u16string> &idioms)
{
    auto *pinyin = static_cast<PinyinEntry *>(std::calloc(COUNT, sizeof(PinyinEntry)));
    std::size_t n = 0;
    for (char16_t i = 0; i < COUNT; ++i) {
        if (i % 7 == 6)
            continue;
        pinyin[n].ch = static_cast<char16_t>(FIRST + i);
        const std::u16string_view r = READINGS[i % 5];
        r.copy(pinyin[n].readings, r.size());
        ++n;
    }
    InstallPinyinTable(pinyin, n);
    auto *entries = static_cast<IdiomEntry *>(std::calloc(idioms.size() + 1, sizeof(IdiomEntry)));
    for (std::size_t i = 0; i < idioms.size(); ++i)
        idioms[i].copy(entries[i].text, std::min<std::size_t>(idioms[i].size(), FIELD_UNITS - 1));
    InstallIdiomTable(entries, idioms.size());
    FillIdiomKeys();
    return !idioms.empty();
}

// Every idiom of the candidates after `text`, and checks that they agree
// with what is known of each.
std::vector<std::u16string> Candidates(const std::u16string &text, const std::vector<std::u16string> &played)
{
    std::vector<const QuovantChar *> left;
    for (const std::u16string &p : played)
        left.push_back(AsLibraryText(p));
    const long count = GetIdiomCandidatesByRule(g_rules, AsLibraryText(text), left.data(), left.size(), nullptr, 0);
    Require(count >= 0);
    std::vector<QuovantFacts> facts(static_cast<std::size_t>(count) + 1);
    Require(GetIdiomCandidatesByRule(g_rules, AsLibraryText(text), left.data(), left.size(), facts.data(),
                                     facts.size()) == count);
    std::vector<std::u16string> out;
    for (long i = 0; i < count; ++i) {
        QuovantFacts known{};
        Require(GetIdiomFactsByRule(g_rules, facts[i].idiom, &known) == QUOVANT_FOUND);
        Require(!left.empty() || (known.followers == facts[i].followers && known.outcome == facts[i].outcome &&
                                  known.proven == facts[i].proven));
        Require(facts[i].outcome >= QUOVANT_LOSS && facts[i].outcome <= QUOVANT_WIN);
        Require(facts[i].followers > 0 || facts[i].outcome == QUOVANT_WIN);  // a dead end wins at once
        Require((g_rules & QUOVANT_FOUR_ONLY) == 0 || TextOf(facts[i].idiom).size() == 4);
        out.push_back(TextOf(facts[i].idiom));
    }
    return out;
}

void Chain(const std::u16string &from, const std::u16string &to)
{
    std::size_t length = 0;
    const int result = GetIdiomChainByRule(g_rules, AsLibraryText(from), AsLibraryText(to), nullptr, 0, &length);
    if (result != QUOVANT_FOUND)
        return;
    std::vector<const QuovantChar *> chain(length);
    Require(GetIdiomChainByRule(g_rules, AsLibraryText(from), AsLibraryText(to), chain.data(), chain.size(), &length) ==
            QUOVANT_FOUND);
    Require(length == chain.size() && TextOf(chain.front()) == from && TextOf(chain.back()) == to);
    for (std::size_t i = 1; i < chain.size(); ++i) {
        const std::vector<std::u16string> next = Candidates(TextOf(chain[i - 1]), {});
        Require(std::find(next.begin(), next.end(), TextOf(chain[i])) != next.end());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::u16string input = Utf8ToUtf16Lossy(std::string_view(reinterpret_cast<const char *>(data), size));
    g_rules = RULES[size % 4];
    std::vector<std::u16string> lines(1);
    for (char16_t c : input) {
        if (c == u'\n')
            lines.emplace_back();
        else if (c != u'\0')  // texts end at a NUL for the library: none inside
            lines.back() += Folded(c);
    }
    std::size_t i = 0;
    std::vector<std::u16string> idioms;
    for (; i < lines.size() && !lines[i].empty(); ++i)
        idioms.push_back(lines[i]);
    if (Install(idioms)) {
        std::vector<std::u16string> asked;
        for (++i; i < lines.size() && i < 64; ++i) {
            const std::u16string &q = lines[i];
            const std::u16string text = q.size() > 1 ? q.substr(2) : u"";
            if (q.starts_with(u"c ")) {
                Candidates(text, asked);
            } else if (q.starts_with(u"f ")) {
                QuovantFacts facts{};
                Require(GetIdiomFactsByRule(g_rules, AsLibraryText(text), &facts) >= 0);
            } else if (q.starts_with(u"p ")) {
                const std::size_t tab = text.find(u'\t');
                Chain(text.substr(0, tab), tab == std::u16string::npos ? u"" : text.substr(tab + 1));
            } else if (q.starts_with(u"o ")) {
                const std::size_t tab = text.find(u'\t');
                const std::u16string idiom = text.substr(0, tab);
                const std::u16string reading = tab == std::u16string::npos ? u"" : text.substr(tab + 1);
                const QuovantChar *given[] = {AsLibraryText(idiom)}, *read[] = {AsLibraryText(reading)};
                int result = -1;
                const long before = GetIdiomCount();
                const long taken = SetPlayerIdioms(given, read, 1, &result);
                Require(taken == (result == QUOVANT_PLAYER_ADDED ? 1 : 0));
                QuovantFacts facts{};
                if (taken == 1)
                    Require(GetIdiomFactsByRule(g_rules, given[0], &facts) == QUOVANT_FOUND &&
                            facts.origin == QUOVANT_FROM_PLAYER && GetIdiomCount() >= before);
            } else {
                std::u16string buffer = q;
                GetIdioms(reinterpret_cast<QuovantChar *>(buffer.data()));
            }
            asked.push_back(text);
        }
    }
    InstallPinyinTable(nullptr, 0);
    InstallIdiomTable(nullptr, 0);
    return 0;
}
