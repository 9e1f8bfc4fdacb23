// The subcommands' questions to the idiom knowledge.
#include "ask.h"

#include <algorithm>

#include "binding.h"
#include "utf8.h"

static const QuovantChar *LibraryText(const std::u16string &text)
{
    return reinterpret_cast<const QuovantChar *>(text.c_str());
}

std::string Utf8Of(const QuovantChar *text)
{
    return text == nullptr ? std::string() : Utf16ToUtf8(reinterpret_cast<const char16_t *>(text));
}

std::u16string TextOf(const QuovantChar *text)
{
    return text == nullptr ? std::u16string() : std::u16string(reinterpret_cast<const char16_t *>(text));
}

bool CanAnswerBy(int rules)
{
    return g_library.GetIdiomCandidatesByRule(rules, LibraryText(u""), nullptr, 0, nullptr, 0) >= 0;
}

bool CandidatesOf(int rules, const std::u16string &text, const std::vector<std::u16string> &played,
                  std::vector<QuovantFacts> &candidates, std::size_t limit)
{
    std::vector<const QuovantChar *> left;
    for (const std::u16string &p : played)
        left.push_back(LibraryText(p));
    const auto ask = [&](QuovantFacts *out, std::size_t capacity) {
        return g_library.GetIdiomCandidatesByRule(rules, LibraryText(text), left.data(), left.size(), out, capacity);
    };
    const long count = ask(nullptr, 0);
    candidates.assign(count > 0 ? std::min(static_cast<std::size_t>(count), limit) : 0, QuovantFacts{});
    return count >= 0 && ask(candidates.data(), candidates.size()) >= 0;
}

int LookUpFacts(int rules, const std::u16string &idiom, QuovantFacts &facts)
{
    return g_library.GetIdiomFactsByRule(rules, LibraryText(idiom), &facts);
}

bool NextCandidatesOf(int rules, const std::u16string &text, std::vector<std::u16string> played,
                      std::vector<QuovantFacts> &candidates, std::size_t limit)
{
    QuovantFacts asked{};
    const std::u16string trimmed(TrimWhiteSpace(text));
    if (LookUpFacts(rules, trimmed, asked) == 1)
        played.push_back(trimmed);
    return CandidatesOf(rules, text, played, candidates, limit);
}

int ChainOf(int rules, const std::u16string &from, const std::u16string &to, std::vector<std::string> &chain)
{
    const auto ask = [&](const QuovantChar **out, std::size_t capacity, std::size_t *length) {
        return g_library.GetIdiomChainByRule(rules, LibraryText(from), LibraryText(to), out, capacity, length);
    };
    std::size_t length = 0;
    int result = ask(nullptr, 0, &length);
    std::vector<const QuovantChar *> idioms(length);
    if (result == QUOVANT_CHAIN_FOUND)
        result = ask(idioms.data(), idioms.size(), &length);
    chain.clear();
    if (result == QUOVANT_CHAIN_FOUND)
        for (const QuovantChar *idiom : idioms)
            chain.push_back(Utf8Of(idiom));
    return result;
}
