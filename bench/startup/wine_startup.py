#!/usr/bin/env python3
"""Start-up of the Windows build under Wine: Vornell.exe against the bare window.

Starts each program in turn with Wine, RUNS times (after WARMUP discarded
runs each), and reports the median time from the start of `wine program.exe`
to the moment its window appears on the X display (Wine maps a window's X
window when the program shows it), and the ratio of the two medians. Run it
inside scripts/wine-session.sh, whose Wine virtual desktop holds the windows:

  scripts/wine-session.sh bench/startup/wine_startup.py Vornell.exe vornell_bare_window.exe

Both programs open a window of the same title; nothing in them is changed to
be measured. The X events come from libX11 through ctypes (no extra module).
"""

import argparse
import ctypes
import ctypes.util
import select
import statistics
import subprocess
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 4
x11.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XPending.argtypes = [ctypes.c_void_p]
x11.XConnectionNumber.argtypes = [ctypes.c_void_p]


class MapEvent(ctypes.Structure):  # XMapEvent, the head of the XEvent union
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong),
                ("window", ctypes.c_ulong), ("override_redirect", ctypes.c_int)]


def name_of(display, window):
    name = ctypes.c_char_p()
    x11.XFetchName(display, window, ctypes.byref(name))
    return (name.value or b"").decode(errors="replace")


def desktop_window(display, program, timeout):
    """The Wine virtual desktop's X window, whose children are the programs' windows;
    Wine opens it with the first program it starts."""
    process = subprocess.Popen(["wine", program], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    root, parent, children, count = (ctypes.c_ulong(), ctypes.c_ulong(),
                                     ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint())
    try:
        for _ in range(int(timeout / 0.1)):
            x11.XQueryTree(display, x11.XDefaultRootWindow(display), ctypes.byref(root),
                           ctypes.byref(parent), ctypes.byref(children), ctypes.byref(count))
            for i in range(count.value):
                if name_of(display, children[i]).endswith("Wine desktop"):
                    return children[i]
            time.sleep(0.1)
        raise SystemExit("wine_startup: no Wine desktop; run inside scripts/wine-session.sh")
    finally:
        process.kill()
        process.wait()


def run_once(display, program, title, timeout):
    """Seconds from starting the program until a window called `title` is mapped."""
    event = (ctypes.c_long * 24)()
    start = time.monotonic()
    process = subprocess.Popen(["wine", program], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        while time.monotonic() - start < timeout:
            if not x11.XPending(display):
                select.select([x11.XConnectionNumber(display)], [], [], 0.05)
                continue
            x11.XNextEvent(display, event)
            mapped = MapEvent.from_buffer(event)
            if mapped.type == MAP_NOTIFY and name_of(display, mapped.window) == title:
                return time.monotonic() - start
        raise SystemExit(f"wine_startup: {program} showed no window within {timeout} s")
    finally:
        process.kill()
        process.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("vornell")
    parser.add_argument("bare")
    parser.add_argument("--title", default="Vornell1.1")
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--warmup", type=int, default=2)
    parser.add_argument("--timeout", type=float, default=30.0)
    args = parser.parse_args()

    display = x11.XOpenDisplay(None)
    desktop = desktop_window(display, args.bare, args.timeout)
    x11.XSelectInput(display, desktop, SUBSTRUCTURE_NOTIFY_MASK)
    samples = {args.vornell: [], args.bare: []}
    for i in range(args.warmup + args.runs):
        order = list(samples) if i % 2 == 0 else list(reversed(samples))
        for program in order:  # in turns, alternating which goes first
            seconds = run_once(display, program, args.title, args.timeout)
            if i >= args.warmup:
                samples[program].append(seconds)
    medians = {program: statistics.median(runs) * 1e3 for program, runs in samples.items()}
    for program, runs in samples.items():
        print(f"{program}: median {medians[program]:.1f} ms, min {min(runs) * 1e3:.1f}, "
              f"max {max(runs) * 1e3:.1f} ({len(runs)} runs)")
    print(f"time ratio vornell/bare: {medians[args.vornell] / medians[args.bare]:.3f} "
          "(goal <= 1.10)")


if __name__ == "__main__":
    main()
