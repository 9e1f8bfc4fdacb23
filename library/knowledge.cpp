// The C interface of the idiom knowledge over the analysis and the meanings.
#include <algorithm>
#include <new>
#include <string>

#include "analysis.h"
#include "dictionary.h"
#include "meanings.h"
#include "query.h"
#include "quovant_knowledge.h"

static_assert(sizeof(QuovantChar) == sizeof(char16_t));

static const char16_t *Units(const QuovantChar *text)
{
    return reinterpret_cast<const char16_t *>(text);
}

static const QuovantChar *Chars(const char16_t *text)
{
    return reinterpret_cast<const QuovantChar *>(text);
}

static QuovantFacts FactsOf(std::uint32_t entry)
{
    const IdiomEntry &e = g_idiomTable.entries[entry];
    return {Chars(e.text), Chars(FindPinyin(e.text[0])), Chars(MeaningOf(entry)),
            static_cast<unsigned long>(Followers(entry)), static_cast<int>(OutcomeOf(entry))};
}

extern "C" QUOVANT_API long GetIdiomCandidates(const QuovantChar *text, const QuovantChar *const *played,
                                               size_t playedCount, QuovantFacts *out, size_t capacity)
{
    if (!EnsureAnalysis())
        return -1;
    try {
        std::u16string trimmed = text != nullptr ? Units(text) : u"";
        TrimSpaces(trimmed.data());
        trimmed.resize(StrLen16(trimmed.c_str()));
        if (trimmed.empty())
            return 0;
        const std::vector<std::uint32_t> all =
            IsAsciiOnly(trimmed.c_str()) ? CandidatesOfReading(trimmed.c_str()) : CandidatesAfter(trimmed.back());
        std::vector<long> left;
        for (std::size_t i = 0; i < playedCount; ++i)
            left.push_back(played[i] != nullptr ? FindIdiom(Units(played[i])) : -1);
        long count = 0;
        for (std::uint32_t e : all) {
            if (std::find(left.begin(), left.end(), static_cast<long>(e)) != left.end())
                continue;
            if (static_cast<std::size_t>(count) < capacity)
                out[count] = FactsOf(e);
            ++count;
        }
        return count;
    } catch (const std::bad_alloc &) {
        return -1;
    }
}

extern "C" QUOVANT_API int GetIdiomFacts(const QuovantChar *idiom, QuovantFacts *out)
{
    if (!EnsureAnalysis())
        return -1;
    const long entry = idiom != nullptr ? FindIdiom(Units(idiom)) : -1;
    if (entry < 0)
        return 0;
    *out = FactsOf(static_cast<std::uint32_t>(entry));
    return 1;
}

extern "C" QUOVANT_API long GetIdiomCount(void)
{
    return EnsureAnalysis() ? static_cast<long>(Idioms().size()) : -1;
}

extern "C" QUOVANT_API int GetIdiomFactsAt(size_t index, QuovantFacts *out)
{
    if (!EnsureAnalysis())
        return -1;
    if (index >= Idioms().size())
        return 0;
    *out = FactsOf(Idioms()[index]);
    return 1;
}

extern "C" QUOVANT_API int GetIdiomChain(const QuovantChar *from, const QuovantChar *to, const QuovantChar **chain,
                                         size_t capacity, size_t *length)
{
    if (!EnsureAnalysis())
        return -1;
    const long a = from != nullptr ? FindIdiom(Units(from)) : -1;
    const long b = to != nullptr ? FindIdiom(Units(to)) : -1;
    if (a < 0 || b < 0)
        return (a < 0 ? QUOVANT_CHAIN_UNKNOWN_FROM : 0) | (b < 0 ? QUOVANT_CHAIN_UNKNOWN_TO : 0);
    try {
        const std::vector<std::uint32_t> found =
            ShortestChain(static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b));
        if (found.empty())
            return QUOVANT_CHAIN_NONE;
        for (std::size_t i = 0; i < found.size() && i < capacity; ++i)
            chain[i] = Chars(g_idiomTable.entries[found[i]].text);
        *length = found.size();
        return QUOVANT_CHAIN_FOUND;
    } catch (const std::bad_alloc &) {
        return -1;
    }
}

extern "C" QUOVANT_API int HasIdiomMeanings(void)
{
    return MeaningsAvailable() ? 1 : 0;
}
