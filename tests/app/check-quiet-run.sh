#!/usr/bin/env bash
# On a plain X display, with no session bus and an empty HOME, typing, About
# and Exit start no process, write no file and print nothing.
#   check-quiet-run.sh PROGRAM
set -uo pipefail
program=$(realpath "$1")
# A program of another architecture runs under qemu's user-mode emulation,
# which has no ptrace: strace cannot trace it there (CTest counts 77 skipped).
if [ "$(od -An -j18 -N2 -tx2 "$program")" != "$(od -An -j18 -N2 -tx2 /bin/sh)" ]; then
  echo "SKIP: app_quiet_run: the program runs under qemu's user-mode emulation, which has no ptrace for strace"
  exit 77
fi
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/home" "$work/runtime"
# A sanitizer build cannot look for leaks under strace; the other tests do.
clean=(env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8
  ASAN_OPTIONS=detect_leaks=0)

session() {  # runs on the X display that xvfb-run opened
  strace -f -qq -o "$work/trace" -e trace=%process,%file,bind "$program" 2>"$work/stderr" &
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Vornell[0-9.]*$' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
  done
  xdotool windowfocus --sync "$window" && sleep 0.3
  "$typing" 100 3.5 200 7 1e400 ''        # K1 to Kx, then Tab
  xdotool key Tab Tab Return               # Text6, Option1, "关于"
  about=$(xdotool search --sync --onlyvisible --name '^Vornell$' | head -1)
  xdotool key Return                       # closes the About box
  while xdotool getwindowname "$about" >/dev/null 2>&1; do sleep 0.1; done
  xdotool windowfocus --sync "$window" key Tab Return  # "退出"
  wait $!
}
typing=$(realpath "$(dirname "$0")/../../scripts/type-example.sh")
"${clean[@]}" program="$program" work="$work" typing="$typing" xvfb-run -a bash -c "$(declare -f session); session" ||
  { echo "FAIL: exit status $?"; exit 1; }

fail=0
children=$(grep -E 'clone3?\(|fork\(|execve\(' "$work/trace" | grep -v CLONE_THREAD | tail -n +2)
[ -z "$children" ] || { echo "FAIL: started a process:"; echo "$children"; fail=1; }
writes=$(grep -E '[ (](mkdir|rename|unlink|rmdir|symlink|link|bind|creat)[a-z]*\(|O_CREAT|O_WRONLY|O_RDWR' \
  "$work/trace" | grep -v -e ' = -1 ' -e '"/dev/')
[ -z "$writes" ] || { echo "FAIL: wrote:"; echo "$writes"; fail=1; }
[ -z "$(find "$work/home" "$work/runtime" -mindepth 1)" ] || {
  echo "FAIL: HOME or the runtime directory now holds:"; find "$work/home" "$work/runtime" -mindepth 1; fail=1; }
[ ! -s "$work/stderr" ] || { echo "FAIL: stderr:"; cat "$work/stderr"; fail=1; }

exit $fail
