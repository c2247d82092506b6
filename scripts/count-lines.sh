#!/usr/bin/env bash
# Counts non-blank lines of C++, CMake, shell and Python in the tracked tree:
# what tests/ holds against all the other code, and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."

is_code() {
  case "$1" in
    *.cpp | *.h | *.cmake | */CMakeLists.txt | CMakeLists.txt | *.sh | *.py) return 0 ;;
  esac
  head -n1 "$1" 2>/dev/null | grep -qE '^#!.*(bash|sh|python)'
}

tests=0
other=0
while IFS= read -r file; do
  [ -f "$file" ] && is_code "$file" || continue
  lines=$(grep -cv '^[[:space:]]*$' "$file" || true)
  case "$file" in
    tests/*) tests=$((tests + lines)) ;;
    *) other=$((other + lines)) ;;
  esac
done < <(git ls-files --cached --others --exclude-standard)

echo "tests: $tests  other code: $other  ratio: $(awk -v t="$tests" -v o="$other" 'BEGIN { printf "%.2f", t / o }')"
