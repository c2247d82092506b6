#!/usr/bin/env bash
# Two clones of the committed HEAD of SOURCE_DIR (uncommitted changes are not
# included), each built with "make dist", one after the other, as two other
# people would build them:
#
#   first    SCRATCH/a                                        TZ UTC-12, umask 022, C.UTF-8
#   second   SCRATCH/build-of-vornell-with-a-longer-path/     TZ UTC+14, umask 077, zh_CN.UTF-8
#              and/more/levels/vornell
#
# each with an environment of its own (another HOME; the static Qt for Windows
# from the shared cache). Every file of build/dist (the .deb, the Windows zip
# and installer, SHA256SUMS) and the Vornell.exe inside the zip must be the
# same byte for byte; where they are not, diffoscope shows what differs.
#
#   check-reproducible.sh SOURCE_DIR [SCRATCH_DIR]
# SCRATCH_DIR (default: a new temporary folder) is removed at the end.
set -euo pipefail
source_dir=$(cd "${1:?usage: check-reproducible.sh SOURCE_DIR [SCRATCH_DIR]}" && pwd)
scratch=${2:-$(mktemp -d "${TMPDIR:-/tmp}/vornell-reproducible.XXXXXX")}
mkdir -p "$scratch" && scratch=$(cd "$scratch" && pwd)
trap 'rm -rf "$scratch"' EXIT
commit=$(git -C "$source_dir" rev-parse HEAD)
cache_dir=${VORNELL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vornell}

# The static Qt for Windows, made or unpacked once for both builds.
VORNELL_CACHE_DIR=$cache_dir "$source_dir/scripts/build-qt-mingw.sh" >/dev/null

# A Chinese locale of the scratch folder's own, as on a Chinese desktop.
mkdir -p "$scratch/locale"
localedef --no-archive -c -i zh_CN -f UTF-8 "$scratch/locale/zh_CN.UTF-8" || [ $? -le 1 ]

# build NAME DIR TZ UMASK LOCALE: clones HEAD into DIR and runs make dist there.
build() {
  local name=$1 dir=$2 tz=$3 mask=$4 locale=$5 start=$SECONDS
  mkdir -p "$scratch/home-$name" "$(dirname "$dir")"
  env -i PATH="$PATH" HOME="$scratch/home-$name" VORNELL_CACHE_DIR="$cache_dir" \
    TZ="$tz" LANG="$locale" LC_ALL="$locale" LOCPATH="$scratch/locale" \
    bash -c 'umask "$0" && git clone -q "$1" "$2" && cd "$2" &&
      git -c advice.detachedHead=false checkout -q "$3" && make dist WERROR=ON' \
    "$mask" "$source_dir" "$dir" "$commit" >"$scratch/$name.log" 2>&1 ||
    { tail -n 40 "$scratch/$name.log"; echo "FAIL: make dist in $dir"; exit 1; }
  echo "$name: make dist in $dir (TZ=$tz, umask $mask, $locale): $((SECONDS - start)) s"
}
build first "$scratch/a" Etc/GMT+12 022 C.UTF-8
build second "$scratch/build-of-vornell-with-a-longer-path/and/more/levels/vornell" \
  Pacific/Kiritimati 077 zh_CN.UTF-8

first=$scratch/a/build/dist
second=$scratch/build-of-vornell-with-a-longer-path/and/more/levels/vornell/build/dist
for dist in "$first" "$second"; do
  mkdir -p "$dist-unzipped" && (cd "$dist-unzipped" && cmake -E tar xf "$dist"/Vornell-*-win64.zip)
done

failures=0
compare() {  # compare NAME FIRST SECOND
  if cmp -s "$2" "$3"; then
    echo "same: $1, $(stat -c %s "$2") bytes, sha256 $(sha256sum <"$2" | cut -d' ' -f1)"
  else
    echo "FAIL: $1 differs"
    if command -v diffoscope >/dev/null; then
      timeout 900 diffoscope --no-progress --max-report-size 200000 --text - "$2" "$3" || true
    fi
    failures=$((failures + 1))
  fi
}
names=$(cd "$first" && ls)
[ "$names" = "$(cd "$second" && ls)" ] || { echo "FAIL: the two builds made other files"; exit 1; }
[ "$(wc -l <<<"$names")" -ge 4 ] || { echo "FAIL: build/dist holds only: $names"; exit 1; }
for name in $names; do
  compare "$name" "$first/$name" "$second/$name"
done
exe=$(cd "$first-unzipped" && find . -name Vornell.exe)
[ -n "$exe" ] || { echo "FAIL: no Vornell.exe in the zip"; exit 1; }
compare "Vornell.exe in the zip" "$first-unzipped/$exe" "$second-unzipped/$exe"
exit $failures
