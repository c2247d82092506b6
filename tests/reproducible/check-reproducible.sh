#!/usr/bin/env bash
# The release files in DIST_DIR made once more, from a clone of the committed
# HEAD, by reprotest, which varies the build folder, the time (faketime), the
# time zone, locale (zh_CN.UTF-8), umask, HOME, PATH, the environment and
# address-space randomisation; diffoscope compares the two: the same bytes
# required. The tests are left out of the rebuild; the static Qt for Windows
# comes from the cache.
#   tests/reproducible/check-reproducible.sh DIST_DIR
set -euo pipefail
dist=$(realpath "${1:?usage: check-reproducible.sh DIST_DIR}")
repo=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vornell-reproducible.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
git clone -q "$repo" "$scratch/source"
# reprotest compares its build's source-root/build/dist with the control's.
mkdir -p "$scratch/control/source-root/build" && cp -r "$dist" "$_/dist"
mkdir "$scratch/locale" && { localedef --no-archive -c -i zh_CN -f UTF-8 "$scratch/locale/zh_CN.UTF-8" || [ $? -le 1 ]; }
export LOCPATH=$scratch/locale VORNELL_CACHE_DIR=${VORNELL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vornell}
reprotest --verbosity 1 --control-build "$scratch/control" --min-cpus 2 \
  --variations=-all,+build_path,+time,+timezone,+locales,+umask,+home,+exec_path,+environment,+aslr \
  --vary=locales.locale=zh_CN.UTF-8 --diffoscope-arg=--exclude-directory-metadata=yes \
  --source-root "$scratch/source" 'make dist CONFIGURE_FLAGS=-DBUILD_TESTING=OFF' 'build/dist/*'
