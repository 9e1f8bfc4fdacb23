// The end of every benchmark program's main: Google Benchmark's command line,
// then the registered benchmarks.
#ifndef QUOVANT_BENCH_RUN_BENCHMARKS_H
#define QUOVANT_BENCH_RUN_BENCHMARKS_H

#include <benchmark/benchmark.h>

// Runs the registered benchmarks; 1 for an unknown argument, else 0.
inline int RunBenchmarks(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#endif
