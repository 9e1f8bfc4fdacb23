// The idiom knowledge over the whole dictionary: first what the analysis
// finds under each rule, with and without the four-character switch (dead
// ends, and what playing each idiom leads to), and the facts of 一心一意;
// then what building each rule's analysis, listing candidates, a move in a
// game under way, unpacking the meanings and the readings and finding a
// long chain cost.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "analysis.h"
#include "dictionary.h"
#include "embedded.h"
#include "index.h"
#include "texts.h"
#include "position.h"
#include "readings.h"
#include "run_benchmarks.h"
#include "utf8.h"

namespace {

constexpr struct {
    int rules;
    const char *name;
} RULES[] = {
    {QUOVANT_RULE_CLASSIC, "classic"}, {QUOVANT_RULE_CHAR, "char"}, {QUOVANT_RULE_SOUND, "sound"},
    {QUOVANT_RULE_TONE, "tone"}, {QUOVANT_RULE_CLASSIC | QUOVANT_FOUR_ONLY, "classic, four only"},
    {QUOVANT_RULE_CHAR | QUOVANT_FOUR_ONLY, "char, four only"},
    {QUOVANT_RULE_SOUND | QUOVANT_FOUR_ONLY, "sound, four only"},
    {QUOVANT_RULE_TONE | QUOVANT_FOUR_ONLY, "tone, four only"},
};

void PrintFindings()
{
    for (const auto &rule : RULES) {
        const Analysis *a = AnalysisOf(rule.rules);
        Position p;
        if (a == nullptr || !MakePosition(*a, nullptr, 0, p)) {
            std::printf("%s: no analysis\n", rule.name);
            continue;
        }
        std::size_t idioms = 0, wins = 0, losses = 0, draws = 0, deadEnds = 0;
        for (std::uint32_t e : Idioms()) {
            if ((rule.rules & QUOVANT_FOUR_ONLY) != 0 && FieldLength(g_idiomTable.entries[e].text) != 4)
                continue;
            ++idioms;
            const Outcome o = OutcomeIn(p, e);
            (o == Outcome::WIN ? wins : o == Outcome::LOSS ? losses : draws) += 1;
            deadEnds += FollowersIn(p, e) == 0;
        }
        std::printf("%-19s %zu idioms in %zu groups: %zu dead ends; playing one wins for %zu, loses for %zu, "
                    "draws for %zu\n",
                    rule.name, idioms, a->Groups(), deadEnds, wins, losses, draws);
    }
    const long yi = FindIdiom(u"一心一意");
    const Analysis *a = AnalysisOf(QUOVANT_RULE_CLASSIC);
    Position p;
    if (yi >= 0 && a != nullptr && MakePosition(*a, nullptr, 0, p)) {
        const char16_t *meaning = TextOf(TEXT_MEANINGS, static_cast<std::size_t>(yi));
        const Outcome o = OutcomeIn(p, static_cast<std::uint32_t>(yi));
        std::printf("一心一意 (%s): %zu followers, %s for whoever plays it; meaning: %s\n",
                    ReadingsAvailable() ? Utf16ToUtf8(ReadingOf(static_cast<std::size_t>(yi))).c_str() : "?",
                    FollowersIn(p, static_cast<std::uint32_t>(yi)),
                    o == Outcome::WIN ? "a win" : o == Outcome::LOSS ? "a loss" : "a draw",
                    meaning ? Utf16ToUtf8(meaning).c_str() : "(none)");
    }
}

// Building the analysis of the rule numbered by the argument (RULES).
void BM_AnalysisBuild(benchmark::State &state)
{
    const auto &rule = RULES[state.range(0)];
    state.SetLabel(rule.name);
    for (auto _ : state) {
        // A new generation: the index, the readings and the analyses are
        // out of date; the index and the readings are timed elsewhere.
        state.PauseTiming();
        FillIdiomKeys();
        const bool ready = EnsureIdiomIndex() && ReadingsAvailable();
        state.ResumeTiming();
        if (!ready || AnalysisOf(rule.rules) == nullptr)
            state.SkipWithError("no analysis");
    }
}
BENCHMARK(BM_AnalysisBuild)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

void BM_CandidatesAfter(benchmark::State &state)
{
    AnalysisOf(QUOVANT_RULE_CLASSIC);
    Array<std::uint32_t> candidates;
    for (auto _ : state)
        benchmark::DoNotOptimize(Candidates(FollowGroupOf(QUOVANT_RULE_CLASSIC, u"意"), candidates));
}
BENCHMARK(BM_CandidatesAfter)->Unit(benchmark::kMicrosecond);

// A move in a game under way: the position after three idioms and the
// facts, proofs included, of every idiom that may follow the last.
void BM_MoveInAGame(benchmark::State &state)
{
    const Analysis *a = AnalysisOf(QUOVANT_RULE_SOUND);
    const long played[] = {FindIdiom(u"一心一意"), FindIdiom(u"意气风发"), FindIdiom(u"发愤图强")};
    std::uint32_t entries[3];
    for (int i = 0; i < 3; ++i)
        entries[i] = static_cast<std::uint32_t>(played[i]);
    Array<std::uint32_t> candidates;
    for (auto _ : state) {
        Position p;
        if (a == nullptr || !MakePosition(*a, entries, 3, p) ||
            !Candidates(FollowGroupOfIdiom(QUOVANT_RULE_SOUND, entries[2]), candidates)) {
            state.SkipWithError("no position");
            break;
        }
        std::size_t proven = 0;
        for (std::uint32_t e : candidates) {
            Outcome o = OutcomeIn(p, e);
            proven += ProveOutcome(p, e, &o) ? 1 : 0;
            benchmark::DoNotOptimize(FollowersIn(p, e));
        }
        state.counters["candidates"] = static_cast<double>(candidates.Size());
        state.counters["proven"] = static_cast<double>(proven);
    }
}
BENCHMARK(BM_MoveInAGame)->Unit(benchmark::kMillisecond);

void BM_MeaningsFirstUse(benchmark::State &state)
{
    for (auto _ : state) {
        OfferEmbeddedTexts();
        if (!TextsAvailable(TEXT_MEANINGS))
            state.SkipWithError("no meanings");
    }
}
BENCHMARK(BM_MeaningsFirstUse)->Unit(benchmark::kMillisecond);

void BM_ReadingsFirstUse(benchmark::State &state)
{
    for (auto _ : state) {
        OfferEmbeddedReadings();
        if (!ReadingsAvailable())
            state.SkipWithError("no readings");
    }
}
BENCHMARK(BM_ReadingsFirstUse)->Unit(benchmark::kMillisecond);

void BM_ShortestChain(benchmark::State &state)
{
    const Analysis *a = AnalysisOf(QUOVANT_RULE_CLASSIC);
    const long from = FindIdiom(u"一心一意"), to = FindIdiom(u"做贼心虚");
    Array<std::uint32_t> chain;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ShortestChain(*a, static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to), chain));
}
BENCHMARK(BM_ShortestChain)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    if (!LoadPinyinTable() || !LoadIdiomTable())
        return 1;
    OfferEmbeddedTexts();
    OfferEmbeddedReadings();
    PrintFindings();
    return RunBenchmarks(argc, argv);
}
