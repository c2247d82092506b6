#!/usr/bin/env python3
"""Start-up benchmark: the calculator against a bare window with the same controls.

Starts each program in turn on the given Qt platform (offscreen, or xcb on an
X display such as Xvfb), RUNS times (after WARMUP discarded runs each), and
reports for each the median time from process start to the first painted
frame and the peak resident memory, with the ratios.

The time is taken without any change to the programs: the Qt generic plugin
built next to this script (startup_probe.cpp) is loaded into each program by
Qt itself (QT_QPA_GENERIC_PLUGINS), stamps the first complete frame and quits
the program. The start instant is CLOCK_MONOTONIC, read just before the
process is spawned. Peak memory is the child's ru_maxrss, from wait4().

Exit status: 0, or 1 when --enforce is given and a goal is missed, or 2 when a
run fails (no result from the probe, crash, time-out).
"""

import argparse
import json
import os
import signal
import statistics
import sys
import tempfile
import time

PROBE_KEY = "vornellstartupprobe"


def run_once(program, platform, plugin_path, timeout_s):
    """Runs the program once; returns (frame_ns, first_paint_ns, loaded_ns, maxrss_kib)."""
    with tempfile.NamedTemporaryFile(prefix="vornell-startup-", delete=False) as f:
        out_path = f.name
    try:
        env = dict(os.environ)
        env["QT_QPA_PLATFORM"] = platform
        env["QT_QPA_GENERIC_PLUGINS"] = PROBE_KEY
        env["QT_PLUGIN_PATH"] = os.pathsep.join(
            p for p in (plugin_path, os.environ.get("QT_PLUGIN_PATH", "")) if p)
        env["VORNELL_STARTUP_PROBE_OUT"] = out_path
        env.pop("QT_DEBUG_PLUGINS", None)
        devnull = os.open(os.devnull, os.O_RDWR)
        actions = [(os.POSIX_SPAWN_DUP2, devnull, 0), (os.POSIX_SPAWN_DUP2, devnull, 1),
                   (os.POSIX_SPAWN_DUP2, devnull, 2)]
        t0 = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
        env["VORNELL_STARTUP_T0_NS"] = str(t0)
        pid = os.posix_spawn(program, [program], env, file_actions=actions)
        os.close(devnull)

        deadline = time.monotonic() + timeout_s
        timed_out = False
        while True:
            wpid, status, usage = os.wait4(pid, os.WNOHANG)
            if wpid == pid:
                break
            if time.monotonic() > deadline:
                os.kill(pid, signal.SIGKILL)
                timed_out = True
                wpid, status, usage = os.wait4(pid, 0)
                break
            time.sleep(0.002)

        with open(out_path, encoding="ascii") as f:
            text = f.read().strip()
        if timed_out and not text:
            raise RuntimeError(f"{program}: no frame within {timeout_s} s "
                               "(was the probe plugin loaded?)")
        if not text:
            raise RuntimeError(f"{program}: exited ({describe(status)}) without a result "
                               "from the probe plugin")
        fields = dict(item.split("=", 1) for item in text.split())
        frame = int(fields["frame_ns"])
        if frame <= 0:
            raise RuntimeError(f"{program}: the probe got no start time")
        return frame, int(fields["first_paint_ns"]), int(fields["loaded_ns"]), usage.ru_maxrss
    finally:
        os.unlink(out_path)


def describe(status):
    if os.WIFSIGNALED(status):
        return f"signal {os.WTERMSIG(status)}"
    return f"exit status {os.waitstatus_to_exitcode(status)}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vornell", required=True, help="the built vornell program")
    parser.add_argument("--bare", required=True, help="the built vornell_bare_window")
    parser.add_argument("--plugin-path", required=True,
                        help="directory with generic/libvornell_startup_probe.so")
    parser.add_argument("--platform", default="offscreen",
                        help="Qt platform plugin: offscreen, or xcb (needs DISPLAY)")
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--warmup", type=int, default=2)
    parser.add_argument("--timeout", type=float, default=20.0, help="seconds per run")
    parser.add_argument("--max-time-ratio", type=float, default=1.10)
    parser.add_argument("--max-rss-diff-mib", type=float, default=3.0)
    parser.add_argument("--enforce", action="store_true", help="exit 1 when a goal is missed")
    parser.add_argument("--json", help="also write the figures to this file")
    args = parser.parse_args()

    programs = {"vornell": os.path.abspath(args.vornell), "bare": os.path.abspath(args.bare)}
    for name, path in programs.items():
        if not os.access(path, os.X_OK):
            sys.exit(f"startup bench: {name} program not found: {path}")
    probe = os.path.join(args.plugin_path, "generic")
    if not os.path.isdir(probe):
        sys.exit(f"startup bench: no probe plugin directory {probe}")

    samples = {name: [] for name in programs}
    try:
        for i in range(args.warmup + args.runs):
            # In turns, and alternating which one goes first.
            order = list(programs) if i % 2 == 0 else list(reversed(programs))
            for name in order:
                result = run_once(programs[name], args.platform, args.plugin_path, args.timeout)
                if i >= args.warmup:
                    samples[name].append(result)
    except (RuntimeError, OSError, KeyError, ValueError) as error:
        print(f"startup bench: {error}", file=sys.stderr)
        return 2

    summary = {}
    for name, runs in samples.items():
        summary[name] = {
            "runs": len(runs),
            "frame_ms_median": statistics.median(r[0] for r in runs) / 1e6,
            "frame_ms_min": min(r[0] for r in runs) / 1e6,
            "frame_ms_max": max(r[0] for r in runs) / 1e6,
            "first_paint_ms_median": statistics.median(r[1] for r in runs) / 1e6,
            "qapp_ms_median": statistics.median(r[2] for r in runs) / 1e6,
            "max_rss_mib_median": statistics.median(r[3] for r in runs) / 1024,
            "max_rss_mib_max": max(r[3] for r in runs) / 1024,
        }
    v, b = summary["vornell"], summary["bare"]
    time_ratio = v["frame_ms_median"] / b["frame_ms_median"]
    rss_diff = v["max_rss_mib_median"] - b["max_rss_mib_median"]
    rss_ratio = v["max_rss_mib_median"] / b["max_rss_mib_median"]
    summary["time_ratio"] = time_ratio
    summary["rss_diff_mib"] = rss_diff
    summary["rss_ratio"] = rss_ratio

    print(f"start-up to first painted frame, {args.platform}, {args.runs} runs each "
          f"(+{args.warmup} warm-up), in turns")
    print(f"{'':10} {'median ms':>10} {'min ms':>8} {'max ms':>8} {'1st paint':>10} "
          f"{'QApp ms':>8} {'RSS MiB':>8} {'RSS max':>8}")
    for name in programs:
        s = summary[name]
        print(f"{name:10} {s['frame_ms_median']:10.2f} {s['frame_ms_min']:8.2f} "
              f"{s['frame_ms_max']:8.2f} {s['first_paint_ms_median']:10.2f} "
              f"{s['qapp_ms_median']:8.2f} {s['max_rss_mib_median']:8.2f} "
              f"{s['max_rss_mib_max']:8.2f}")
    time_ok = time_ratio <= args.max_time_ratio
    rss_ok = rss_diff <= args.max_rss_diff_mib
    print(f"time ratio vornell/bare: {time_ratio:.3f} "
          f"(goal <= {args.max_time_ratio:.2f}: {'met' if time_ok else 'MISSED'})")
    print(f"peak RSS difference: {rss_diff:+.2f} MiB, ratio {rss_ratio:.3f} "
          f"(goal <= {args.max_rss_diff_mib:.1f} MiB: {'met' if rss_ok else 'MISSED'})")
    if args.json:
        with open(args.json, "w", encoding="utf-8") as f:
            json.dump(summary, f, indent=2)
    if args.enforce and not (time_ok and rss_ok):
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
