#!/usr/bin/python3
"""The window's notices as assistive technology reads them, through AT-SPI.

Starts its own X display (Xvfb), session bus and accessibility bus, runs the
program there, types into the window with xdotool, and reads the boxes and
the notice with pyatspi:

  - the worked points with K1 typed as K12+345: the result box shows 5.6875,
    and a notice names 里程K1 and the 0 it read;
  - K1 retyped as 100: no notice; "-" and "1e" being typed: no notice;
  - parabolic with Kx 300: -10.5 and a notice naming 里程Kx; linear: 10.5
    and no notice.

Each check waits until the box typed into reads, through AT-SPI, what was
typed: the window recomputes in the same event, so what it shows then is
final. Exits 77 (skipped) with the reason when AT-SPI cannot be used here.

  check-notice-atspi.py PROGRAM
"""
import importlib.util
import os
import random
import shutil
import subprocess
import sys
import time

SKIP = 77


def skip(reason):
    print(f"skipped: {reason}")
    sys.exit(SKIP)


LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
if importlib.util.find_spec("pyatspi") is None:
    skip("python3-pyatspi is not installed")
if not os.access(LAUNCHER, os.X_OK):
    skip("at-spi2-core's bus launcher is not installed")
for tool in ["Xvfb", "xdotool", "dbus-daemon"]:
    if not shutil.which(tool):
        skip(f"{tool} is not installed")

# An X display of its own, at a number that no other display on the machine
# has, nor one in another mount namespace that shares this network's
# abstract sockets (display :0, say); kept as it is when a client leaves (by
# default the server resets then, refusing connections for a moment). Then a
# session bus of its own.
started = []
for _ in range(20):
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", f":{random.randrange(1000, 60000)}", "-displayfd", str(write_end),
         "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
        pass_fds=[write_end], stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as ready:
        number = ready.readline().strip()  # once it accepts connections
    if number:
        started.append(server)
        os.environ["DISPLAY"] = ":" + number
        break
    server.wait()  # that number was taken
else:
    sys.exit("no X display could be started")
bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                       stdout=subprocess.PIPE, text=True)
started.append(bus)
os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()

import pyatspi  # noqa: E402  (connects to the buses named above)

TIMEOUT = 20  # seconds for any one thing to happen


def wait_for(what, condition):
    end = time.monotonic() + TIMEOUT
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
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def showing(node):
    states = node.getState()
    return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


failures = []


def check(what, actual, expected):
    print(f"{what}: {actual!r}")
    if actual != expected:
        failures.append(f"{what}: {actual!r}, expected {expected!r}")


started.append(subprocess.Popen([LAUNCHER, "--launch-immediately"]))
program = subprocess.Popen([sys.argv[1]], env=dict(
    os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb"))
started.append(program)
try:
    def application():
        desktop = pyatspi.Registry.getDesktop(0)
        return next((desktop.getChildAtIndex(i) for i in range(desktop.childCount)
                     if desktop.getChildAtIndex(i).get_process_id() == program.pid), None)
    try:
        root = wait_for("the program on the accessibility bus", application)
    except AssertionError:
        if program.poll() is not None:
            raise
        skip("the program did not appear on the accessibility bus")
    boxes = wait_for("the six boxes", lambda: {
        n.name: n for n in walk(root) if n.getRoleName() == "text" and n.name.startswith(
            ("里程", "宽度或高程"))} or None)
    result = boxes["宽度或高程Wx（计算结果）"]
    window = subprocess.run(
        ["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Vornell[0-9.]*$"],
        capture_output=True, text=True, check=True, timeout=TIMEOUT).stdout.split()[0]
    xdotool("windowfocus", "--sync", window)

    def notices():
        return sorted({n.name for n in walk(root)
                       if n.getRoleName() != "label" and showing(n)
                       and ("读作" in n.name or "之外" in n.name)})

    def type_into(name, text, keys_before=()):
        """Keys, then text typed over the box's selected text."""
        if keys_before:
            xdotool("key", *keys_before)
        xdotool("key", "ctrl+a")
        xdotool("type", "--delay", "30", text)
        wait_for(f"{name} to read {text!r}", lambda: text_of(boxes[name]) == text)

    # The worked points with K1 in chainage notation; the focus starts in K1.
    type_into("里程K1", "K12+345")
    for name, value in [("宽度或高程W1", "3.5"), ("里程K2", "200"), ("宽度或高程W2", "7"),
                        ("里程Kx", "125")]:
        type_into(name, value, ["Tab"])
    check("K12+345 in K1: the result", text_of(result), "5.6875")
    check("K12+345 in K1: the notices", notices(), ["里程K1 读作 0。按 F2 或点击此处改为 12345"])
    back = ["shift+Tab"] * 4
    type_into("里程K1", "100", back)
    check("K1 retyped whole: the notices", notices(), [])
    for text in ["-", "1e"]:
        type_into("里程K1", text)
        check(f"K1 being typed as {text!r}: the notices", notices(), [])
    type_into("里程K1", "100")

    # From K1 by Tab to the selected mode, an arrow to the other, back to Kx.
    xdotool("key", *["Tab"] * 6, "Right")
    type_into("里程Kx", "300", ["shift+Tab", "shift+Tab"])
    check("parabolic, Kx 300: the result", text_of(result), "-10.5")
    check("parabolic, Kx 300: the notices", notices(),
          ["里程Kx 在 K1～K2 之外，渐变已经结束：所示为三次抛物线的外推值"])
    xdotool("key", "Tab", "Tab", "Left")
    wait_for("the linear mode", lambda: text_of(result) == "10.5")
    check("linear, Kx 300: the result", text_of(result), "10.5")
    check("linear, Kx 300: the notices", notices(), [])
finally:
    for process in reversed(started):
        process.terminate()
        process.wait()

for failure in failures:
    print(f"FAIL: {failure}")
sys.exit(1 if failures else 0)
