// What loading the dictionary costs: the first load in a fresh process and
// the memory it holds, then the library's whole load (both streams unpacked,
// every record checked, every idiom keyed) next to liblzma's bare decode of
// the same two streams through its own .lzma decoder, with warm pages.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <chrono>
#include <cstdio>

#include <lzma.h>

#include "dictionary.h"
#include "embedded.h"
#include "run_benchmarks.h"
#include "unpack.h"
#include "memory.h"

namespace {

// Releases the tables a load installed, so that every load starts alike.
void ReleaseTables()
{
    InstallPinyinTable(nullptr, 0);
    InstallIdiomTable(nullptr, 0);
}

void BM_LibraryLoad(benchmark::State &state)
{
    for (auto _ : state) {
        if (!LoadPinyinTable() || !LoadIdiomTable())
            state.SkipWithError("the dictionary did not load");
        benchmark::DoNotOptimize(g_idiomTable.entries);
        state.PauseTiming();
        ReleaseTables();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LibraryLoad)->Unit(benchmark::kMillisecond);

// Unpacking alone, as the loaders do it, without checks or keys.
void BM_UnpackBlobOnly(benchmark::State &state)
{
    for (auto _ : state) {
        unsigned char *pinyin = nullptr;
        unsigned char *idioms = nullptr;
        std::size_t size = 0;
        if (UnpackBlob(PINYIN_STREAM, PINYIN_STREAM_SIZE, sizeof(PinyinEntry), &pinyin, &size) != 0 ||
            UnpackBlob(IDIOM_STREAM, IDIOM_STREAM_SIZE, sizeof(IdiomEntry), &idioms, &size) != 0)
            state.SkipWithError("the streams did not unpack");
        benchmark::DoNotOptimize(idioms);
        std::free(pinyin);
        std::free(idioms);
    }
}
BENCHMARK(BM_UnpackBlobOnly)->Unit(benchmark::kMillisecond);

// Decodes a stream with liblzma's own .lzma decoder into a new buffer of the
// header's size, as plainly as liblzma allows.
bool BareDecode(const unsigned char *data, std::size_t length)
{
    const std::size_t size = data[5] | data[6] << 8 | data[7] << 16 | static_cast<std::size_t>(data[8]) << 24;
    auto *out = static_cast<unsigned char *>(std::malloc(size));
    lzma_stream stream = LZMA_STREAM_INIT;
    lzma_ret ret = lzma_alone_decoder(&stream, UINT64_MAX);
    stream.next_in = data;
    stream.avail_in = length;
    stream.next_out = out;
    stream.avail_out = size;
    while (ret == LZMA_OK)
        ret = lzma_code(&stream, LZMA_FINISH);
    lzma_end(&stream);
    benchmark::DoNotOptimize(out);
    std::free(out);
    return ret == LZMA_STREAM_END;
}

void BM_LzmaBareDecode(benchmark::State &state)
{
    for (auto _ : state)
        if (!BareDecode(PINYIN_STREAM, PINYIN_STREAM_SIZE) || !BareDecode(IDIOM_STREAM, IDIOM_STREAM_SIZE))
            state.SkipWithError("liblzma could not decode the streams");
}
BENCHMARK(BM_LzmaBareDecode)->Unit(benchmark::kMillisecond);

}  // namespace

// The first load in this fresh process, before any benchmark, as a program
// meets it: its time, what the loaded dictionary holds, and its peak.
void PrintFirstLoad()
{
    ResetPeakMemory();
    const MemoryUse before = ReadMemoryUse();
    const auto start = std::chrono::steady_clock::now();
    if (!LoadPinyinTable() || !LoadIdiomTable()) {
        std::printf("the dictionary did not load\n");
        return;
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    const MemoryUse after = ReadMemoryUse();
    const double tables = static_cast<double>(g_pinyinTable.count * sizeof(PinyinEntry) +
                                              g_idiomTable.count * sizeof(IdiomEntry));
    std::printf("First load in a fresh process: %.1f ms\n", took.count());
    std::printf("Loaded dictionary: tables %.2f MiB (%zu characters, %zu idioms); resident memory +%.2f MiB; "
                "peak during the load +%.2f MiB\n",
                tables / 1048576, g_pinyinTable.count, g_idiomTable.count,
                static_cast<double>(after.resident - before.resident) / 1048576,
                static_cast<double>(after.peak - before.resident) / 1048576);
    ReleaseTables();
}

int main(int argc, char **argv)
{
    PrintFirstLoad();
    KeepFreedPagesWarm();
    return RunBenchmarks(argc, argv);
}
