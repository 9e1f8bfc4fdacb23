// GetIdioms latency over the whole dictionary for a fixed mix of queries:
// the last-character query that the first pass fills, one that needs both
// passes, pinyin queries, and queries that find nothing.
#include <benchmark/benchmark.h>

#include <string>

#include "embedded.h"
#include "run_benchmarks.h"
#include "quovant.h"

namespace {

struct QueryCase {
    const char *name;
    const char16_t *text;
};

const QueryCase CASES[] = {
    {"first_pass_only/一心一意", u"一心一意"},
    {"both_passes/龍", u"龍"},
    {"both_passes_short/扒", u"扒"},
    {"pinyin/yi", u"yi"},
    {"pinyin/he_hu_huo", u"he hu huo"},
    {"nothing_found/艾", u"艾"},
    {"nothing_found/pinyin_abc", u"abc"},
};

void BM_GetIdioms(benchmark::State &state, const char16_t *text)
{
    const std::u16string query(text);
    char16_t buffer[260];
    for (auto _ : state) {
        query.copy(buffer, query.size());
        buffer[query.size()] = u'\0';
        benchmark::DoNotOptimize(GetIdioms(reinterpret_cast<QuovantChar *>(buffer)));
    }
}

}  // namespace

int main(int argc, char **argv)
{
    if (!LoadPinyinTable() || !LoadIdiomTable())
        return 1;
    for (const QueryCase &c : CASES)
        benchmark::RegisterBenchmark(c.name, BM_GetIdioms, c.text)->Unit(benchmark::kMicrosecond);
    return RunBenchmarks(argc, argv);
}
