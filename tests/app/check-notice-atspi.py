#!/usr/bin/python3
"""The window's notices as assistive technology reads them, through AT-SPI, on a
session bus of its own (dbus-run-session), an X display and the accessibility
bus: K12+345 in K1, a spreadsheet cell put into K1, ZK12+345 and F2, a
parabolic Kx beyond K2. Exits 77 (skipped) where AT-SPI cannot be used.
    check-notice-atspi.py PROGRAM"""
import importlib.util
import os
import shutil
import subprocess
import sys
import time

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
for missing, reason in [(importlib.util.find_spec("pyatspi") is None, "python3-pyatspi"),
                        (not os.access(LAUNCHER, os.X_OK), "at-spi2-core's bus launcher"),
                        (not shutil.which("xdotool"), "xdotool"),
                        (not shutil.which("Xvfb"), "Xvfb")]:
    if missing:
        print(f"skipped: {reason} is not installed")
        sys.exit(77)

# Kept as it is when a client leaves: by default it resets, refusing connections for a moment.
read_end, write_end = os.pipe()
started = [subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp", "-noreset"], pass_fds=[write_end])]
os.close(write_end)
with os.fdopen(read_end) as ready:
    os.environ["DISPLAY"] = ":" + ready.readline().strip()  # once it takes connections
started.append(subprocess.Popen([LAUNCHER, "--launch-immediately"]))
import pyatspi  # noqa: E402  (on the session bus of dbus-run-session)


def wait_for(what, condition):
    end = time.monotonic() + 20
    while time.monotonic() < end:
        try:
            value = condition()
            if value:
                return value
        except Exception:  # the tree changes while it is read  # noqa: BLE001
            pass
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def text_of(node):
    return node.queryText().getText(0, -1)


failures = []


def check(what, actual, expected):
    print(f"{what}: {actual!r}")
    if actual != expected:
        failures.append(f"{what}: {actual!r}, expected {expected!r}")


program = subprocess.Popen([sys.argv[1]], env=dict(
    os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb"))
started.append(program)
try:
    root = wait_for("the program on the accessibility bus", lambda: next(
        app for app in pyatspi.Registry.getDesktop(0) if app.get_process_id() == program.pid))
    boxes = wait_for("the six boxes", lambda: {
        n.name: n for n in walk(root) if n.getRoleName() == "text" and n.name})
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Vornell"],
                            capture_output=True, text=True, check=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)

    def notices():
        return [n.name for n in walk(root) if n.getRoleName() != "label" and (
            "读作" in n.name or "之外" in n.name) and n.getState().contains(pyatspi.STATE_SHOWING)]

    def type_into(name, text, *keys):
        """Keys, then `text` typed over the box's whole text."""
        subprocess.run(["xdotool", "key", *keys, "ctrl+a", "type", "--delay", "30", text],
                       check=True)
        wait_for(f"{name} to read {text!r}", lambda: text_of(boxes[name]) == text)

    k1, result = "里程K1", "宽度或高程Wx（计算结果）"
    offer = "里程K1 读作 0。按 F2 或点击此处改为 12345"
    type_into(k1, "K12+345")  # the focus starts in K1
    for name, value in [("宽度或高程W1", "3.5"), ("里程K2", "200"), ("宽度或高程W2", "7"),
                        ("里程Kx", "125")]:
        type_into(name, value, "Tab")
    check("K12+345 in K1: the result", text_of(boxes[result]), "5.6875")
    check("K12+345 in K1: the notices", notices(), [offer])
    boxes[k1].queryEditableText().setTextContents("")
    boxes[k1].queryEditableText().insertText(0, "12345\r\n", 7)
    wait_for("the result for K1 12345", lambda: text_of(boxes[result]) == "7.02161")
    check("a spreadsheet cell in K1", text_of(boxes[k1]), "12345")
    check("a spreadsheet cell in K1: the notices", notices(), [])
    type_into(k1, "ZK12+345", *["shift+Tab"] * 4)
    check("ZK12+345 in K1: the notices", notices(), [offer])
    subprocess.run(["xdotool", "key", "F2"], check=True)
    wait_for("F2 to put 12345 in", lambda: text_of(boxes[k1]) == "12345")
    type_into(k1, "100")
    # From K1 by Tab to the selected mode, an arrow to the other, back to Kx.
    type_into("里程Kx", "300", *["Tab"] * 6, "Right", "shift+Tab", "shift+Tab")
    check("parabolic, Kx 300: the result", text_of(boxes[result]), "-10.5")
    check("parabolic, Kx 300: the notices", notices(),
          ["里程Kx 在 K1～K2 之外，渐变已经结束：所示为三次抛物线的外推值"])
finally:
    for process in reversed(started):
        process.terminate()
        process.wait()

for failure in failures:
    print(f"FAIL: {failure}")
sys.exit(1 if failures else 0)
