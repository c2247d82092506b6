#!/usr/bin/env bash
# Runs the core fuzzer for a given time, starting from the seed corpus.
#   scripts/run-fuzz.sh BUILD_DIR SECONDS
# New inputs go to BUILD_DIR/corpus, so the seeds in the repository stay as
# they are; a crashing input is written to BUILD_DIR/crash-* and fails the run.
set -euo pipefail
build_dir=${1:?build directory}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$build_dir/corpus"
"$build_dir/fuzz/vornell_fuzz_core" \
  -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$build_dir/" -print_final_stats=1 \
  "$build_dir/corpus" "$root/fuzz/corpus"
