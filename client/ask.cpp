// The subcommands' questions to the idiom knowledge.
#include "ask.h"

#include <algorithm>
#include <memory>

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
    // One question: room for `limit`, or for every idiom of the dictionary
    // (no text has more candidates) when there is no limit; the room is
    // left uninitialised, so that only what the library writes is touched.
    if (limit == SIZE_MAX) {
        const long idioms = g_library.GetIdiomCount();
        if (idioms < 0)
            return false;
        limit = static_cast<std::size_t>(idioms);
    }
    const std::unique_ptr<QuovantFacts[]> room(new QuovantFacts[limit]);
    const long count =
        g_library.GetIdiomCandidatesByRule(rules, LibraryText(text), left.data(), left.size(), room.get(), limit);
    candidates.assign(room.get(), room.get() + (count > 0 ? std::min(static_cast<std::size_t>(count), limit) : 0));
    return count >= 0;
}

int LookUpFacts(int rules, const std::u16string &idiom, QuovantFacts &facts)
{
    return g_library.GetIdiomFactsByRule(rules, LibraryText(idiom), &facts);
}

bool NextCandidatesOf(int rules, const std::u16string &text, std::vector<std::u16string> played,
                      std::vector<QuovantFacts> &candidates, std::size_t limit)
{
    // The text has just been played when it is an idiom; the library leaves
    // out of the game any played text that is none.
    played.emplace_back(TrimWhiteSpace(text));
    return CandidatesOf(rules, text, played, candidates, limit);
}

int ChainOf(int rules, const std::u16string &from, const std::u16string &to, std::vector<std::string> &chain)
{
    // Room for any chain seen in practice, so that one question mostly does.
    std::vector<const QuovantChar *> idioms(32);
    std::size_t length = 0;
    const auto ask = [&] {
        return g_library.GetIdiomChainByRule(rules, LibraryText(from), LibraryText(to), idioms.data(), idioms.size(),
                                             &length);
    };
    int result = ask();
    if (result == QUOVANT_FOUND && length > idioms.size()) {
        idioms.resize(length);
        result = ask();
    }
    chain.clear();
    if (result == QUOVANT_FOUND)
        for (std::size_t i = 0; i < length && i < idioms.size(); ++i)
            chain.push_back(Utf8Of(idioms[i]));
    return result;
}
