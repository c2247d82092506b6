#!/usr/bin/env bash
# Runs the core's fuzzers one after the other, sharing the given time, each
# starting from the seed corpus.
#   scripts/run-fuzz.sh BUILD_DIR SECONDS
# New inputs go to BUILD_DIR/corpus-<target>, so the seeds in the repository
# stay as they are; a crashing input is written to BUILD_DIR/crash-* and
# fails the run.
set -euo pipefail
build_dir=${1:?build directory}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
targets=(vornell_fuzz_core vornell_fuzz_differential)
share=$((seconds / ${#targets[@]}))
[ "$share" -ge 1 ] || share=1
for target in "${targets[@]}"; do
  echo "== $target for $share seconds"
  mkdir -p "$build_dir/corpus-$target"
  "$build_dir/fuzz/$target" \
    -max_total_time="$share" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build_dir/" -print_final_stats=1 \
    "$build_dir/corpus-$target" "$root/fuzz/corpus"
done
