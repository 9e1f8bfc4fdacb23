// The idiom knowledge over the whole dictionary: first what the analysis
// finds (outcomes for the player to move at each character that begins or
// ends an idiom, dead ends, the meaning of 一心一意), then what building the
// analysis, listing candidates, unpacking the meanings and finding a long
// chain cost.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <set>

#include "analysis.h"
#include "dictionary.h"
#include "embedded.h"
#include "meanings.h"
#include "run_benchmarks.h"
#include "utf8.h"

namespace {

void PrintFindings()
{
    if (!EnsureAnalysis())
        return;
    std::set<char16_t> chars;
    std::size_t deadEnds = 0;
    for (std::uint32_t e = 0; e < g_idiomTable.count; ++e) {
        const std::u16string text(g_idiomTable.entries[e].text);
        chars.insert(text.front());
        chars.insert(text.back());
        deadEnds += Followers(e) == 0;
    }
    std::size_t wins = 0, losses = 0, draws = 0;
    for (char16_t c : chars) {
        const Outcome o = MoverOutcome(c);
        (o == Outcome::WIN ? wins : o == Outcome::LOSS ? losses : draws) += 1;
    }
    std::printf("Characters that begin or end an idiom: %zu; for the player to move there %zu wins, %zu losses, "
                "%zu draws\n", chars.size(), wins, losses, draws);
    std::printf("Dead ends (idioms no idiom can follow): %zu of %zu\n", deadEnds, g_idiomTable.count);
    const long yi = FindIdiom(u"一心一意");
    if (yi >= 0) {
        const char16_t *meaning = MeaningOf(static_cast<std::size_t>(yi));
        const Outcome o = OutcomeOf(static_cast<std::uint32_t>(yi));
        std::printf("一心一意: %zu followers, %s for whoever plays it; meaning: %s\n",
                    Followers(static_cast<std::uint32_t>(yi)),
                    o == Outcome::WIN ? "a win" : o == Outcome::LOSS ? "a loss" : "a draw",
                    meaning ? Utf16ToUtf8(meaning).c_str() : "(none)");
    }
}

void BM_AnalysisBuild(benchmark::State &state)
{
    for (auto _ : state) {
        FillIdiomKeys();  // a new generation: the index and the analysis are out of date
        if (!EnsureAnalysis())
            state.SkipWithError("no analysis");
    }
}
BENCHMARK(BM_AnalysisBuild)->Unit(benchmark::kMillisecond);

void BM_CandidatesAfter(benchmark::State &state)
{
    EnsureAnalysis();
    for (auto _ : state)
        benchmark::DoNotOptimize(CandidatesAfter(u'意'));
}
BENCHMARK(BM_CandidatesAfter)->Unit(benchmark::kMicrosecond);

void BM_MeaningsFirstUse(benchmark::State &state)
{
    for (auto _ : state) {
        OfferEmbeddedMeanings();
        if (!MeaningsAvailable())
            state.SkipWithError("no meanings");
    }
}
BENCHMARK(BM_MeaningsFirstUse)->Unit(benchmark::kMillisecond);

void BM_ShortestChain(benchmark::State &state)
{
    EnsureAnalysis();
    const long from = FindIdiom(u"一心一意"), to = FindIdiom(u"做贼心虚");
    for (auto _ : state)
        benchmark::DoNotOptimize(ShortestChain(static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to)));
}
BENCHMARK(BM_ShortestChain)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    if (!LoadPinyinTable() || !LoadIdiomTable())
        return 1;
    OfferEmbeddedMeanings();
    PrintFindings();
    return RunBenchmarks(argc, argv);
}
