// The analysis: each rule's follow groups (rule.h), each the set of idioms
// that may follow an idiom, numbered once per set: a few thousand, joined by
// the groups of their members. Counts, outcomes and searches work on them;
// outcomes come from retrograde analysis over the groups.
#include "analysis.h"

#include <algorithm>
#include <mutex>

#include "dictionary.h"
#include "index.h"
#include "readings.h"
#include "stamp.h"
#include "tables.h"

namespace {

// The idioms' texts, the same under every rule.
struct Texts {
    Array<std::uint32_t> textSlots;    // open addressing by text: its first entry + 1, or 0 when free
    Array<std::uint32_t> firstOfText;  // per entry, the first entry with its text
    Array<std::uint32_t> idioms;       // the first entries of the texts, table order
};

Texts g_texts;
DictionaryStamp g_textsStamp;
std::mutex g_textsLock;

// One analysis per rule, with and without the four-character switch; each
// built under its lock, once per dictionary, and read without it once current.
constexpr std::size_t RULE_SLOTS = 8;
Analysis g_analyses[RULE_SLOTS];
DictionaryStamp g_analysisStamps[RULE_SLOTS];
std::mutex g_analysisLocks[RULE_SLOTS];

std::size_t SlotOfRules(int rules)
{
    return static_cast<std::size_t>(RuleOf(rules)) + ((rules & QUOVANT_FOUR_ONLY) != 0 ? 4 : 0);
}

// The slot of `text` (NUL-terminated within FIELD_UNITS units) in the
// table of texts (at most half full): the one holding its first entry, or
// the free one where it belongs.
std::uint32_t &TextSlot(Texts &t, const char16_t *text)
{
    return *ProbeSlot(t.textSlots, FieldHash(text), [text](std::uint32_t slot) {
        return slot == 0 || FieldEquals(g_idiomTable.entries[slot - 1].text, text);
    });
}

// Finds each entry's first entry of the same text, and the idioms.
bool FindTexts(Texts &t, std::uint32_t n)
{
    std::size_t slots = 64;
    while (slots < 2 * static_cast<std::size_t>(n))
        slots *= 2;
    if (!t.textSlots.Assign(slots, 0) || !t.firstOfText.Resize(n) || !t.idioms.Resize(0))
        return false;
    for (std::uint32_t e = 0; e < n; ++e) {
        std::uint32_t &slot = TextSlot(t, g_idiomTable.entries[e].text);
        if (slot == 0) {
            slot = e + 1;
            if (!t.idioms.Push(e))
                return false;
        }
        t.firstOfText[e] = slot - 1;
    }
    return true;
}


// Calls `visit(entry)` for each idiom of `group`, each text once.
template <typename Visit>
void ForEachIdiomOf(const FollowGroup &group, Visit &&visit)
{
    ForEachFollower(group, [&](std::uint32_t entry) { return g_texts.firstOfText[entry] != entry || visit(entry); });
}

// A slot of the table of group identities.
struct IdentitySlot {
    std::uint64_t identity;  // the identity it holds
    std::uint32_t number;    // that identity's group number + 1, or 0 when free
};

// Numbers every idiom's follow group, one number per set of idioms (by
// identity, in an open-addressing table at most half full), and lists each
// group's idioms.
bool NumberGroups(Analysis &a)
{
    const Array<std::uint32_t> &idioms = g_texts.idioms;
    std::size_t slots = 64;
    while (slots < 2 * idioms.Size())
        slots *= 2;
    Array<IdentitySlot> identities;
    Array<std::uint32_t> first;  // per group, its first idiom, which stands for it
    if (!identities.Assign(slots, IdentitySlot{0, 0}) || !a.groupOf.Assign(g_texts.firstOfText.Size(), NONE))
        return false;
    for (std::uint32_t e : idioms) {
        const std::uint64_t identity = IdentityOf(FollowGroupOfIdiom(a.rules, e));
        const std::size_t hash = static_cast<std::size_t>((identity * 0x9E3779B97F4A7C15u) >> 32);
        IdentitySlot &slot = *ProbeSlot(identities, hash, [identity](const IdentitySlot &s) {
            return s.number == 0 || s.identity == identity;
        });
        if (slot.number == 0) {
            if (!first.Push(e))
                return false;
            slot = {identity, static_cast<std::uint32_t>(first.Size())};
        }
        a.groupOf[e] = slot.number - 1;
    }
    if (!a.memberStart.Assign(first.Size() + 1, 0))
        return false;
    for (std::size_t g = 0; g < first.Size(); ++g) {
        std::uint32_t count = 0;
        ForEachIdiomOf(FollowGroupOfIdiom(a.rules, first[g]), [&count](std::uint32_t) { return ++count, true; });
        a.memberStart[g + 1] = a.memberStart[g] + count;
    }
    if (!a.members.Resize(a.memberStart[first.Size()]))
        return false;
    for (std::size_t g = 0; g < first.Size(); ++g) {
        std::uint32_t at = a.memberStart[g];
        ForEachIdiomOf(FollowGroupOfIdiom(a.rules, first[g]), [&](std::uint32_t e) { return a.members[at++] = e, true; });
    }
    return true;
}

}  // namespace

bool EnsureTexts()
{
    return BuildOnce(g_textsStamp, g_textsLock, [] {
        return EnsureIdiomIndex() && FindTexts(g_texts, static_cast<std::uint32_t>(g_idiomTable.count));
    });
}

// Retrograde analysis: a group whose every successor is a win for the mover
// there is a loss (so is a group without successors), a group with a loss
// among its successors is a win, and what is left is a draw.
bool SolveOutcomes(const Analysis &a, const unsigned char *played, Array<signed char> &mover)
{
    const std::size_t groups = a.Groups();
    Array<std::uint32_t> predecessorStart, predecessors, open, seenBy, queue;
    Array<unsigned char> known;
    if (!open.Assign(groups, 0) || !seenBy.Resize(groups) || !known.Assign(groups, 0) ||
        !mover.Assign(groups, static_cast<signed char>(Outcome::DRAW)))
        return false;
    // The edges from each group to the groups of its idioms still in play,
    // each once, listed by the group they lead to.
    const auto forEachEdge = [&](auto edge) {
        std::fill(seenBy.begin(), seenBy.end(), NONE);
        for (std::uint32_t g = 0; g < groups; ++g)
            for (std::uint32_t m = a.memberStart[g]; m < a.memberStart[g + 1]; ++m) {
                if (played != nullptr && played[a.members[m]] != 0)
                    continue;
                const std::uint32_t next = a.groupOf[a.members[m]];
                if (seenBy[next] != g) {
                    seenBy[next] = g;
                    edge(next, g);
                }
            }
    };
    if (!CountingSort(groups, forEachEdge, predecessorStart, predecessors))
        return false;
    for (const std::uint32_t p : predecessors)
        ++open[p];

    const auto settle = [&](std::uint32_t g, Outcome outcome) {
        mover[g] = static_cast<signed char>(outcome);
        known[g] = 1;
        return queue.Push(g);
    };
    for (std::uint32_t g = 0; g < groups; ++g)
        if (open[g] == 0 && !settle(g, Outcome::LOSS))
            return false;
    for (std::size_t head = 0; head < queue.Size(); ++head) {
        const std::uint32_t g = queue[head];
        for (std::uint32_t i = predecessorStart[g]; i < predecessorStart[g + 1]; ++i) {
            const std::uint32_t p = predecessors[i];
            if (known[p])
                continue;
            if (static_cast<Outcome>(mover[g]) == Outcome::LOSS) {
                if (!settle(p, Outcome::WIN))
                    return false;
            } else if (--open[p] == 0 && !settle(p, Outcome::LOSS)) {
                return false;
            }
        }
    }
    return true;
}

const Analysis *AnalysisOf(int rules)
{
    if (!IsRule(rules) || !EnsureTexts() || (RuleOf(rules) >= QUOVANT_RULE_SOUND && !ReadingsAvailable()))
        return nullptr;
    const std::size_t slot = SlotOfRules(rules);
    Analysis &a = g_analyses[slot];
    const bool built = BuildOnce(g_analysisStamps[slot], g_analysisLocks[slot], [&a, rules] {
        a.rules = rules;
        return NumberGroups(a) && SolveOutcomes(a, nullptr, a.mover);
    });
    return built ? &a : nullptr;
}

const Array<std::uint32_t> &Idioms()
{
    return g_texts.idioms;
}

std::uint32_t FirstOfText(std::uint32_t entry)
{
    return g_texts.firstOfText[entry];
}

long FindIdiom(const char16_t *text)
{
    if (FieldLength(text) == FIELD_UNITS)
        return -1;  // longer than any idiom
    const std::uint32_t slot = TextSlot(g_texts, text);
    return static_cast<long>(slot) - 1;
}

bool Candidates(const FollowGroup &group, Array<std::uint32_t> &out)
{
    out.Clear();
    bool ok = true;
    ForEachIdiomOf(group, [&](std::uint32_t e) { return ok = out.Push(e); });
    return ok;
}

bool ShortestChain(const Analysis &a, std::uint32_t from, std::uint32_t to, Array<std::uint32_t> &chain)
{
    const Array<std::uint32_t> &firstOfText = g_texts.firstOfText;
    chain.Clear();
    if (firstOfText[from] == firstOfText[to])
        return chain.Push(from);
    // Breadth first over follow groups, each searched once, in the order of
    // the idiom that reached it first.
    Array<std::uint32_t> via, before, queue;  // per reached group, the idiom that reached it and the group before
    const std::uint32_t start = GroupOf(a, from);
    if (!via.Assign(a.Groups(), NONE) || !before.Assign(a.Groups(), NONE) || !queue.Push(start))
        return false;
    via[start] = firstOfText[from];
    bool ok = true;
    for (std::size_t head = 0; head < queue.Size() && chain.Empty() && ok; ++head) {
        const std::uint32_t g = queue[head];
        ForEachIdiomOf(FollowGroupOfIdiom(a.rules, via[g]), [&](std::uint32_t e) {
            if (e == firstOfText[to]) {
                ok = chain.Push(e);
                for (std::uint32_t x = g; ok && x != start; x = before[x])
                    ok = chain.Push(via[x]);
                ok = ok && chain.Push(from);
                return false;
            }
            const std::uint32_t next = a.groupOf[e];
            if (via[next] == NONE) {
                via[next] = e;
                before[next] = g;
                ok = queue.Push(next);
            }
            return ok;
        });
    }
    std::reverse(chain.begin(), chain.end());
    return ok;
}
