// The C interface of the idiom knowledge over the analyses, the position,
// the meanings and the readings. Running out of memory gives
// QUOVANT_NO_MEMORY (array.h).
#include <algorithm>

#include "analysis.h"
#include "array.h"
#include "commonness.h"
#include "dictionary.h"
#include "player.h"
#include "position.h"
#include "query.h"
#include "quovant_knowledge.h"
#include "readings.h"
#include "texts.h"

static_assert(sizeof(QuovantChar) == sizeof(char16_t));

namespace {

constexpr int CLASSIC = QUOVANT_RULE_CLASSIC;

const char16_t *FromCaller(const QuovantChar *text)
{
    return reinterpret_cast<const char16_t *>(text);
}

const QuovantChar *ToCaller(const char16_t *text)
{
    return reinterpret_cast<const QuovantChar *>(text);
}

// The facts of the idiom of `entry` in position `p`; with `prove`, its
// outcome proven where the exact search finishes.
QuovantFacts FactsOfEntry(Position &p, std::uint32_t entry, bool prove = true)
{
    const IdiomEntry &e = g_idiomTable.entries[entry];
    Outcome outcome = OutcomeIn(p, entry);
    const bool proven = prove && ProveOutcome(p, entry, &outcome);
    return {ToCaller(e.text),
            ToCaller(FindPinyin(e.text[0])),
            ToCaller(TextOf(TEXT_MEANINGS, entry)),
            static_cast<unsigned long>(FollowersIn(p, entry)),
            static_cast<int>(outcome),
            ReadingsAvailable() ? ToCaller(ReadingOf(entry)) : nullptr,
            proven ? 1 : 0,
            ToCaller(TextOf(TEXT_ENGLISH, entry)),
            CommonnessOf(entry),
            OriginOf(entry)};
}

// Wins first, then draws, then losses.
int OutcomeRank(int outcome)
{
    return outcome == QUOVANT_WIN ? 0 : outcome == QUOVANT_DRAW ? 1 : 2;
}

// Puts `entries` (in the rule's order) in `order`, by the guide's outcomes
// in `p` and the commonness figures. False when memory ran out.
bool Ordered(const Position &p, int order, Array<std::uint32_t> &entries)
{
    struct Ranked {
        int rank;        // the order's first key
        int commonness;  // its second, more common first (ORDER_BEST)
        std::uint32_t entry;
    };
    Array<Ranked> ranked;
    if (!ranked.Resize(entries.Size()))
        return false;
    for (std::size_t i = 0; i < entries.Size(); ++i) {
        const int commonness = CommonnessOf(entries[i]);
        const bool known = commonness >= QUOVANT_COMMONNESS_KNOWN;
        ranked[i] = {order == QUOVANT_ORDER_COMMON ? (known ? 0 : 1)
                                                    : OutcomeRank(static_cast<int>(OutcomeIn(p, entries[i]))),
                     order == QUOVANT_ORDER_COMMON ? 0 : commonness, entries[i]};
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked &a, const Ranked &b) {
        return a.rank != b.rank ? a.rank < b.rank : a.commonness > b.commonness;
    });
    for (std::size_t i = 0; i < entries.Size(); ++i)
        entries[i] = ranked[i].entry;
    return true;
}

// The first entry of the idiom written exactly as `idiom`, or -1.
long EntryOfIdiom(const QuovantChar *idiom)
{
    return idiom != nullptr ? FindIdiom(FromCaller(idiom)) : -1;
}

// Why AnalysisOf(rules) gave no analysis: the failure result.
int NoAnalysis(int rules)
{
    if (!IsRule(rules))
        return QUOVANT_NO_RULE;
    if (g_idiomTable.entries == nullptr)
        return QUOVANT_NOT_READY;
    if (RuleOf(rules) >= QUOVANT_RULE_SOUND && ReadingsState() == 0)
        return QUOVANT_NO_READINGS;
    return QUOVANT_NO_MEMORY;
}

// The follow group of trimmed `text`: an idiom's own where it is one.
FollowGroup GroupOfText(int rules, const char16_t *text)
{
    const long entry = FindIdiom(text);
    return entry >= 0 ? FollowGroupOfIdiom(rules, static_cast<std::uint32_t>(entry)) : FollowGroupOf(rules, text);
}

}  // namespace

extern "C" QUOVANT_API long GetIdiomCandidatesByRule(int rules, const QuovantChar *text,
                                                     const QuovantChar *const *played, size_t playedCount,
                                                     QuovantFacts *out, size_t capacity)
{
    const int order = rules & (QUOVANT_ORDER_COMMON | QUOVANT_ORDER_BEST);
    const bool prove = (rules & QUOVANT_GUIDE_ONLY) == 0;
    rules &= ~(QUOVANT_ORDER_COMMON | QUOVANT_ORDER_BEST | QUOVANT_GUIDE_ONLY);
    const Analysis *analysis = AnalysisOf(rules);
    if (analysis == nullptr || order == (QUOVANT_ORDER_COMMON | QUOVANT_ORDER_BEST))
        return analysis == nullptr ? NoAnalysis(rules) : QUOVANT_NO_RULE;
    if (ReadingsState() < 0)
        return QUOVANT_NO_MEMORY;
    // The text trimmed as GetIdioms trims it, in a copy.
    const std::size_t length = StrLen16(FromCaller(text));
    Array<char16_t> trimmed;
    Array<std::uint32_t> playedEntries, candidates;
    Position position;
    if (!trimmed.Resize(length + 1, u'\0'))
        return QUOVANT_NO_MEMORY;
    std::copy_n(FromCaller(text), length, trimmed.Data());
    TrimSpaces(trimmed.Data());
    for (std::size_t i = 0; i < playedCount; ++i)
        if (const long e = EntryOfIdiom(played[i]); e >= 0 && !playedEntries.Push(static_cast<std::uint32_t>(e)))
            return QUOVANT_NO_MEMORY;
    if (!MakePosition(*analysis, playedEntries.Data(), playedEntries.Size(), position) ||
        (capacity > 0 && prove && !ReadyForProofs(position)) ||
        !Candidates(GroupOfText(rules, trimmed.Data()), candidates))
        return QUOVANT_NO_MEMORY;
    Array<std::uint32_t> left;
    for (std::uint32_t e : candidates)
        if (!WasPlayed(position, e) && !left.Push(e))
            return QUOVANT_NO_MEMORY;
    if (order != 0 && capacity > 0 && !Ordered(position, order, left))
        return QUOVANT_NO_MEMORY;
    const std::size_t written = std::min(capacity, left.Size());
    for (std::size_t i = 0; i < written; ++i)
        out[i] = FactsOfEntry(position, left[i], prove);
    // A proof may have moved an idiom to another outcome.
    if (order == QUOVANT_ORDER_BEST)
        std::stable_sort(out, out + written, [](const QuovantFacts &a, const QuovantFacts &b) {
            return OutcomeRank(a.outcome) != OutcomeRank(b.outcome) ? OutcomeRank(a.outcome) < OutcomeRank(b.outcome)
                                                                      : a.commonness > b.commonness;
        });
    return static_cast<long>(left.Size());
}

extern "C" QUOVANT_API int GetIdiomFactsByRule(int rules, const QuovantChar *idiom, QuovantFacts *out)
{
    const Analysis *analysis = AnalysisOf(rules);
    Position position;
    if (analysis == nullptr)
        return NoAnalysis(rules);
    if (ReadingsState() < 0 || !MakePosition(*analysis, nullptr, 0, position) || !ReadyForProofs(position))
        return QUOVANT_NO_MEMORY;
    const long entry = EntryOfIdiom(idiom);
    if (entry < 0)
        return QUOVANT_UNKNOWN_IDIOM;
    *out = FactsOfEntry(position, static_cast<std::uint32_t>(entry));
    return QUOVANT_FOUND;
}

extern "C" QUOVANT_API int GetIdiomFactsAtByRule(int rules, size_t index, QuovantFacts *out)
{
    const Analysis *analysis = AnalysisOf(rules);
    Position position;
    if (analysis == nullptr)
        return NoAnalysis(rules);
    if (ReadingsState() < 0 || !MakePosition(*analysis, nullptr, 0, position))
        return QUOVANT_NO_MEMORY;
    if (index >= Idioms().Size())
        return QUOVANT_UNKNOWN_IDIOM;
    *out = FactsOfEntry(position, Idioms()[index], false);
    return QUOVANT_FOUND;
}

extern "C" QUOVANT_API int GetIdiomChainByRule(int rules, const QuovantChar *from, const QuovantChar *to,
                                               const QuovantChar **chain, size_t capacity, size_t *length)
{
    const Analysis *analysis = AnalysisOf(rules);
    if (analysis == nullptr)
        return NoAnalysis(rules);
    const long a = EntryOfIdiom(from), b = EntryOfIdiom(to);
    if (a < 0 || b < 0)
        return (a < 0 ? QUOVANT_UNKNOWN_IDIOM : 0) | (b < 0 ? QUOVANT_UNKNOWN_TO : 0);
    Array<std::uint32_t> found;
    if (!ShortestChain(*analysis, static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b), found))
        return QUOVANT_NO_MEMORY;
    if (found.Empty())
        return QUOVANT_NO_CHAIN;
    for (std::size_t i = 0; i < found.Size() && i < capacity; ++i)
        chain[i] = ToCaller(g_idiomTable.entries[found[i]].text);
    *length = found.Size();
    return QUOVANT_FOUND;
}

extern "C" QUOVANT_API long GetIdiomCount(void)
{
    if (EnsureTexts())
        return static_cast<long>(Idioms().Size());
    return g_idiomTable.entries == nullptr ? QUOVANT_NOT_READY : QUOVANT_NO_MEMORY;
}

extern "C" QUOVANT_API long GetIdiomCandidates(const QuovantChar *text, const QuovantChar *const *played,
                                               size_t playedCount, QuovantFacts *out, size_t capacity)
{
    return GetIdiomCandidatesByRule(CLASSIC, text, played, playedCount, out, capacity);
}

extern "C" QUOVANT_API int GetIdiomFacts(const QuovantChar *idiom, QuovantFacts *out)
{
    return GetIdiomFactsByRule(CLASSIC, idiom, out);
}

extern "C" QUOVANT_API int GetIdiomFactsAt(size_t index, QuovantFacts *out)
{
    return GetIdiomFactsAtByRule(CLASSIC, index, out);
}

extern "C" QUOVANT_API int GetIdiomChain(const QuovantChar *from, const QuovantChar *to, const QuovantChar **chain,
                                         size_t capacity, size_t *length)
{
    return GetIdiomChainByRule(CLASSIC, from, to, chain, capacity, length);
}

extern "C" QUOVANT_API int HasIdiomMeanings(void)
{
    return TextsAvailable(TEXT_MEANINGS) ? 1 : 0;
}

extern "C" QUOVANT_API int OfferIdiomStream(int kind, const unsigned char *data, size_t size)
{
    switch (kind) {
    case QUOVANT_STREAM_MEANINGS:
        OfferTexts(TEXT_MEANINGS, data, size);
        return 1;
    case QUOVANT_STREAM_ENGLISH:
        OfferTexts(TEXT_ENGLISH, data, size);
        return 1;
    default:
        return 0;
    }
}
