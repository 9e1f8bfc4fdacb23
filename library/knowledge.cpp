// The C interface of the idiom knowledge over the analysis and the meanings.
// Running out of memory gives each export's failure value (array.h).
#include <algorithm>

#include "analysis.h"
#include "array.h"
#include "dictionary.h"
#include "meanings.h"
#include "query.h"
#include "quovant_knowledge.h"

static_assert(sizeof(QuovantChar) == sizeof(char16_t));

namespace {

const char16_t *FromCaller(const QuovantChar *text)
{
    return reinterpret_cast<const char16_t *>(text);
}

const QuovantChar *ToCaller(const char16_t *text)
{
    return reinterpret_cast<const QuovantChar *>(text);
}

QuovantFacts FactsOfEntry(std::uint32_t entry)
{
    const IdiomEntry &e = g_idiomTable.entries[entry];
    return {ToCaller(e.text), ToCaller(FindPinyin(e.text[0])), ToCaller(MeaningOf(entry)),
            static_cast<unsigned long>(Followers(entry)), static_cast<int>(OutcomeOf(entry))};
}

// The first entry of the idiom written exactly as `idiom`, or -1.
long EntryOfIdiom(const QuovantChar *idiom)
{
    return idiom != nullptr ? FindIdiom(FromCaller(idiom)) : -1;
}

}  // namespace

extern "C" QUOVANT_API long GetIdiomCandidates(const QuovantChar *text, const QuovantChar *const *played,
                                               size_t playedCount, QuovantFacts *out, size_t capacity)
{
    if (!EnsureAnalysis())
        return -1;
    // The text trimmed as GetIdioms trims it, in a copy.
    const std::size_t length = StrLen16(FromCaller(text));
    Array<char16_t> trimmed;
    Array<long> left;
    Array<std::uint32_t> candidates;
    if (!trimmed.Resize(length + 1, u'\0') || !left.Resize(playedCount))
        return -1;
    std::copy_n(FromCaller(text), length, trimmed.Data());
    TrimSpaces(trimmed.Data());
    for (std::size_t i = 0; i < playedCount; ++i)
        left[i] = EntryOfIdiom(played[i]);
    if (!Candidates(FollowGroupOf(trimmed.Data()), candidates))
        return -1;
    long count = 0;
    for (std::uint32_t e : candidates) {
        if (std::find(left.begin(), left.end(), static_cast<long>(e)) != left.end())
            continue;
        if (static_cast<std::size_t>(count) < capacity)
            out[count] = FactsOfEntry(e);
        ++count;
    }
    return count;
}

extern "C" QUOVANT_API int GetIdiomFacts(const QuovantChar *idiom, QuovantFacts *out)
{
    if (!EnsureAnalysis())
        return -1;
    const long entry = EntryOfIdiom(idiom);
    if (entry < 0)
        return 0;
    *out = FactsOfEntry(static_cast<std::uint32_t>(entry));
    return 1;
}

extern "C" QUOVANT_API long GetIdiomCount(void)
{
    return EnsureAnalysis() ? static_cast<long>(Idioms().Size()) : -1;
}

extern "C" QUOVANT_API int GetIdiomFactsAt(size_t index, QuovantFacts *out)
{
    if (!EnsureAnalysis())
        return -1;
    if (index >= Idioms().Size())
        return 0;
    *out = FactsOfEntry(Idioms()[index]);
    return 1;
}

extern "C" QUOVANT_API int GetIdiomChain(const QuovantChar *from, const QuovantChar *to, const QuovantChar **chain,
                                         size_t capacity, size_t *length)
{
    if (!EnsureAnalysis())
        return -1;
    const long a = EntryOfIdiom(from), b = EntryOfIdiom(to);
    if (a < 0 || b < 0)
        return (a < 0 ? QUOVANT_CHAIN_UNKNOWN_FROM : 0) | (b < 0 ? QUOVANT_CHAIN_UNKNOWN_TO : 0);
    Array<std::uint32_t> found;
    if (!ShortestChain(static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b), found))
        return -1;
    if (found.Empty())
        return QUOVANT_CHAIN_NONE;
    for (std::size_t i = 0; i < found.Size() && i < capacity; ++i)
        chain[i] = ToCaller(g_idiomTable.entries[found[i]].text);
    *length = found.Size();
    return QUOVANT_CHAIN_FOUND;
}

extern "C" QUOVANT_API int HasIdiomMeanings(void)
{
    return MeaningsAvailable() ? 1 : 0;
}
