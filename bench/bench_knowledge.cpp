// The idiom knowledge over the whole dictionary: first what the analysis
// finds (what playing each idiom leads to, dead ends, the facts of
// 一心一意), then what building the
// analysis, listing candidates, unpacking the meanings and finding a long
// chain cost.
#include <benchmark/benchmark.h>

#include <cstdio>

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
    std::size_t wins = 0, losses = 0, draws = 0, deadEnds = 0;
    for (std::uint32_t e : Idioms()) {
        const Outcome o = OutcomeOf(e);
        (o == Outcome::WIN ? wins : o == Outcome::LOSS ? losses : draws) += 1;
        deadEnds += Followers(e) == 0;
    }
    std::printf("Idioms: %zu; playing one wins for %zu of them, loses for %zu, draws for %zu\n", Idioms().Size(),
                wins, losses, draws);
    std::printf("Dead ends (idioms no idiom can follow): %zu\n", deadEnds);
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
    Array<std::uint32_t> candidates;
    for (auto _ : state)
        benchmark::DoNotOptimize(Candidates(FollowGroupOf(u"意"), candidates));
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
    Array<std::uint32_t> chain;
    for (auto _ : state)
        benchmark::DoNotOptimize(ShortestChain(static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to), chain));
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
