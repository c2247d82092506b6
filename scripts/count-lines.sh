#!/usr/bin/env bash
# Non-blank lines of all the tracked code (C++, CMake, shell, Python, *.in,
# Makefile, .ci/run, scripts/), of the checking code among it (tests/, fuzz/,
# crosscheck/, and check-* or test-* scripts elsewhere), and its share.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files | grep -E '\.(cpp|h|hpp|cc|cmake|sh|py|in)$|(^|/)CMakeLists\.txt$|^Makefile$|^\.ci/run$|^scripts/' |
  tr '\n' '\0' | xargs -0 awk '
    FNR == 1 { checking = FILENAME ~ /^(tests|fuzz|crosscheck)\/|(^|\/)(check|test)-[^\/]*$/ }
    NF { all++; checks += checking }
    END { printf "all code: %d  checking code: %d  share: %.3f\n", all, checks, checks / all }'
