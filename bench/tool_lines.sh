#!/usr/bin/env bash
# The command-line tool answering queries from standard input: LINES lines
# (100,000 by default) cycling through bench_query's mix, each run timed as a
# whole process (load included) with its answers read from a pipe, RUNS
# times (7 by default). Prints the median
# time and queries a second; never fails on time. Needs the linux preset built
# (or TOOL, another build of the tool, to compare).
#   bench/tool_lines.sh [LINES [RUNS [TOOL]]]
set -euo pipefail
lines=${1:-100000} runs=${2:-7}
tool=$(realpath "${3:-$(dirname "$0")/../build/linux/bin/quovant}")
cd "$(dirname "$0")/.."
[ -x "$tool" ] || { echo "tool_lines.sh: no $tool: build the linux preset first" >&2; exit 2; }
input=$(mktemp)
trap 'rm -f "$input"' EXIT
python3 - "$lines" >"$input" <<'PY'
import sys
mix = ["一心一意", "龍", "扒", "yi", "he hu huo", "艾", "abc"]
sys.stdout.write("".join(mix[i % len(mix)] + "\n" for i in range(int(sys.argv[1]))))
PY
python3 - "$tool" "$input" "$lines" "$runs" <<'PY'
import statistics, subprocess, sys, time
tool, path, lines, runs = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
times = []
for _ in range(runs):
    with open(path, "rb") as queries:
        start = time.perf_counter()
        run = subprocess.run([tool], stdin=queries, stdout=subprocess.PIPE, check=False)
        times.append(time.perf_counter() - start)
    # A tool that failed (no library, say) would be timed for nothing.
    answered = run.stdout.count(b"\n")
    if run.returncode != 0 or answered != lines:
        sys.exit(f"tool_lines.sh: {tool} failed (exit code {run.returncode}, {answered} lines)")
median = statistics.median(times)
print(f"{lines} queries from standard input: median {median * 1000:.0f} ms of {runs} runs "
      f"(min {min(times) * 1000:.0f}, max {max(times) * 1000:.0f}), {lines / median:,.0f} queries a second")
PY
