// The analysis: the candidates after a character are, as a set, one group of
// entries: the entries of its key when it has readings (the idioms that begin
// with it have that key too), else the entries that begin with it. So
// counts, outcomes and searches work on groups: a few thousand of them,
// joined by the last characters of their idioms. Outcomes come from
// retrograde analysis over the groups.
#include "analysis.h"

#include <atomic>
#include <mutex>
#include <new>
#include <string_view>
#include <unordered_map>

#include "dictionary.h"
#include "index.h"

namespace {

constexpr std::size_t UNITS = 0x10000;  // every value of a character
constexpr std::int32_t UNKNOWN = -1;

struct Analysis {
    std::unordered_map<std::u16string_view, std::uint32_t> idiomOf;  // text -> its first entry
    std::vector<std::uint32_t> firstOfText;  // per entry, the first entry with its text
    std::vector<std::uint32_t> idioms;       // the first entries of the texts, table order
    std::vector<std::int32_t> groupOfChar;   // per character, its group; UNKNOWN until asked
    std::vector<std::vector<std::uint32_t>> members;  // per group, its entries each text once, table order
    std::vector<Outcome> mover;              // per group, what the player to move there reaches
};

Analysis g_analysis;
// The g_dictionaryGeneration that g_analysis was built for; 0: none. Built
// under the lock, once; read without it once it is up to date.
std::atomic<std::uint64_t> g_analysisGeneration{0};
std::mutex g_analysisLock;

std::u16string_view TextOf(std::uint32_t entry)
{
    const char16_t *text = g_idiomTable.entries[entry].text;
    std::size_t n = 0;
    while (n < FIELD_UNITS && text[n] != u'\0')
        ++n;
    return {text, n};
}

char16_t LastOf(std::uint32_t entry)
{
    const std::u16string_view text = TextOf(entry);
    return text.empty() ? u'\0' : text.back();
}

// The entries of a range whose text has not stood before in the table.
std::vector<std::uint32_t> FirstsOf(const Analysis &a, EntryRange range)
{
    std::vector<std::uint32_t> out;
    for (const std::uint32_t *i = range.begin; i != range.end; ++i)
        if (a.firstOfText[*i] == *i)
            out.push_back(*i);
    return out;
}

// The group of the candidates after `c` when it has readings: its key's,
// or the empty group when no idiom has that key.
std::int32_t KeyGroupOf(const char16_t *readings)
{
    const long key = KeyNumberOf(readings);
    // Groups 0 .. KeyCount() - 1 are the keys'; KeyCount() is the empty group.
    return static_cast<std::int32_t>(key >= 0 ? key : static_cast<long>(KeyCount()));
}

// Gives `c` its group while the analysis is built: a character without
// readings that begins idioms makes a group of its own.
std::int32_t AssignGroup(Analysis &a, char16_t c)
{
    std::int32_t &group = a.groupOfChar[c];
    if (group != UNKNOWN)
        return group;
    const char16_t *readings = FindPinyin(c);
    if (readings != nullptr) {
        group = KeyGroupOf(readings);
    } else {
        const EntryRange own = EntriesOfFirst(c);
        if (own.Size() == 0) {
            group = static_cast<std::int32_t>(KeyCount());
        } else {
            group = static_cast<std::int32_t>(a.members.size());
            a.members.push_back(FirstsOf(a, own));
        }
    }
    return group;
}

// The group of the candidates after `c`. Every character that begins or
// ends an idiom got its group when the analysis was built; any other one
// begins nothing, so its readings' group is its group. Writes nothing, so
// that any number of threads may ask at once.
std::int32_t GroupOf(const Analysis &a, char16_t c)
{
    const std::int32_t group = a.groupOfChar[c];
    if (group != UNKNOWN)
        return group;
    const char16_t *readings = FindPinyin(c);
    return readings != nullptr ? KeyGroupOf(readings) : static_cast<std::int32_t>(KeyCount());
}

// Retrograde analysis: a group whose every successor is a win for the mover
// there is a loss (so is a group without successors), a group with a loss
// among its successors is a win, and what is left is a draw.
void SolveOutcomes(Analysis &a)
{
    // Every character that begins or ends an idiom gets its group first, so
    // that the groups (and their number) are complete before the graph is
    // made: any other character's group is a key's or the empty one.
    for (std::uint32_t e = 0; e < a.firstOfText.size(); ++e) {
        AssignGroup(a, g_idiomTable.entries[e].text[0]);
        AssignGroup(a, LastOf(e));
    }
    const std::size_t groups = a.members.size();
    std::vector<std::vector<std::uint32_t>> predecessors(groups);
    std::vector<std::uint32_t> open(groups, 0);  // successors not yet known to be wins for their mover
    std::vector<std::uint32_t> seenBy(groups, UINT32_MAX);
    for (std::uint32_t g = 0; g < groups; ++g)
        for (std::uint32_t e : a.members[g]) {
            const auto next = static_cast<std::uint32_t>(GroupOf(a, LastOf(e)));
            if (seenBy[next] == g)
                continue;
            seenBy[next] = g;
            predecessors[next].push_back(g);
            ++open[g];
        }

    a.mover.assign(groups, Outcome::DRAW);
    std::vector<bool> known(groups, false);
    std::vector<std::uint32_t> queue;
    for (std::uint32_t g = 0; g < groups; ++g)
        if (open[g] == 0)
            a.mover[g] = Outcome::LOSS, known[g] = true, queue.push_back(g);
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::uint32_t g = queue[head];
        for (std::uint32_t p : predecessors[g]) {
            if (known[p])
                continue;
            if (a.mover[g] == Outcome::LOSS)
                a.mover[p] = Outcome::WIN, known[p] = true, queue.push_back(p);
            else if (--open[p] == 0)
                a.mover[p] = Outcome::LOSS, known[p] = true, queue.push_back(p);
        }
    }
}

void Build(Analysis &a)
{
    const auto n = static_cast<std::uint32_t>(g_idiomTable.count);
    a.idiomOf.clear();
    a.idiomOf.reserve(n);
    a.firstOfText.resize(n);
    a.idioms.clear();
    for (std::uint32_t e = 0; e < n; ++e) {
        a.firstOfText[e] = a.idiomOf.try_emplace(TextOf(e), e).first->second;
        if (a.firstOfText[e] == e)
            a.idioms.push_back(e);
    }
    a.groupOfChar.assign(UNITS, UNKNOWN);
    a.members.clear();
    for (std::size_t k = 0; k < KeyCount(); ++k)
        a.members.push_back(FirstsOf(a, EntriesOfKeyNumber(k)));
    a.members.emplace_back();  // the empty group
    SolveOutcomes(a);
}

}  // namespace

bool EnsureAnalysis()
{
    if (g_analysisGeneration.load(std::memory_order_acquire) == g_dictionaryGeneration)
        return true;
    const std::lock_guard<std::mutex> lock(g_analysisLock);
    if (g_analysisGeneration.load(std::memory_order_relaxed) == g_dictionaryGeneration)
        return true;  // another thread built it meanwhile
    g_analysisGeneration.store(0, std::memory_order_relaxed);
    if (!EnsureIdiomIndex())
        return false;
    try {
        Build(g_analysis);
    } catch (const std::bad_alloc &) {
        g_analysis = Analysis();
        return false;
    }
    g_analysisGeneration.store(g_dictionaryGeneration, std::memory_order_release);
    return true;
}

const std::vector<std::uint32_t> &Idioms()
{
    return g_analysis.idioms;
}

long FindIdiom(const char16_t *text)
{
    std::size_t n = 0;
    while (n < FIELD_UNITS && text[n] != u'\0')
        ++n;
    if (n == FIELD_UNITS)
        return -1;
    const auto found = g_analysis.idiomOf.find(std::u16string_view(text, n));
    return found == g_analysis.idiomOf.end() ? -1 : static_cast<long>(found->second);
}

std::vector<std::uint32_t> CandidatesAfter(char16_t c)
{
    std::vector<std::uint32_t> out = FirstsOf(g_analysis, EntriesOfFirst(c));
    const char16_t *readings = FindPinyin(c);
    if (readings == nullptr)
        return out;
    for (std::uint32_t e : FirstsOf(g_analysis, EntriesOfKey(readings)))
        if (g_idiomTable.entries[e].text[0] != c)
            out.push_back(e);
    return out;
}

std::vector<std::uint32_t> CandidatesOfReading(const char16_t *reading)
{
    return FirstsOf(g_analysis, EntriesOfKey(reading));
}

std::size_t Followers(std::uint32_t entry)
{
    return g_analysis.members[GroupOf(g_analysis, LastOf(entry))].size();
}

Outcome MoverOutcome(char16_t c)
{
    return g_analysis.mover[GroupOf(g_analysis, c)];
}

Outcome OutcomeOf(std::uint32_t entry)
{
    return static_cast<Outcome>(-static_cast<int>(MoverOutcome(LastOf(entry))));
}

std::vector<std::uint32_t> ShortestChain(std::uint32_t from, std::uint32_t to)
{
    const Analysis &a = g_analysis;
    if (a.firstOfText[from] == a.firstOfText[to])
        return {from};
    // Breadth first over characters; a group of candidates, once searched
    // from one character, holds nothing new for another.
    std::vector<std::uint32_t> via(UNITS, UINT32_MAX);  // per reached character, the idiom that reached it
    std::vector<char16_t> before(UNITS, 0);              // and the character it was played after
    std::vector<bool> searched(a.members.size(), false);
    const char16_t start = LastOf(from);
    via[start] = from;
    std::vector<char16_t> queue{start};
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const char16_t c = queue[head];
        const std::int32_t group = GroupOf(a, c);
        if (searched[group])
            continue;
        searched[group] = true;
        for (std::uint32_t e : CandidatesAfter(c)) {
            if (a.firstOfText[e] == a.firstOfText[to]) {
                std::vector<std::uint32_t> chain{e};
                for (char16_t x = c; x != start; x = before[x])
                    chain.push_back(via[x]);
                chain.push_back(from);
                return {chain.rbegin(), chain.rend()};
            }
            const char16_t next = LastOf(e);
            if (via[next] == UINT32_MAX) {
                via[next] = e;
                before[next] = c;
                queue.push_back(next);
            }
        }
    }
    return {};
}
