"""Reads the application manifest back out of the built Windows program and
checks what it declares:  check_manifest.py Vornell.exe

- one manifest, resource 1 of type RT_MANIFEST, the one Windows reads when
  it starts a program;
- the Windows versions the program is written for: 7, 8, 8.1 and 10/11 (11
  has no id of its own), and no other;
- that it runs as the user who starts it (asInvoker, no UI access);
- per-monitor DPI awareness, version 1: what Qt 5.15 sets for itself at
  start (PROCESS_PER_MONITOR_DPI_AWARE), so that the two agree."""
import sys
import xml.etree.ElementTree as ElementTree

import pefile

from pe_resources import report, resources

RT_MANIFEST = 24
CREATEPROCESS_MANIFEST_RESOURCE_ID = 1
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
WINDOWS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}


def texts(root, path):
    return [(element.text or "").strip().lower() for element in root.findall(path)]


def main(exe):
    found = [(name, data) for _, name, _, data in resources(pefile.PE(exe), RT_MANIFEST)]
    ids = [name for name, _ in found]
    if ids != [CREATEPROCESS_MANIFEST_RESOURCE_ID]:
        print(f"FAIL manifest resources: {ids!r}, expected [{CREATEPROCESS_MANIFEST_RESOURCE_ID}]")
        return 1
    root = ElementTree.fromstring(found[0][1])
    os_ids = [e.get("Id", "").lower() for e in root.findall(
        f"{COMPATIBILITY}compatibility/{COMPATIBILITY}application/{COMPATIBILITY}supportedOS")]
    levels = [(e.get("level"), e.get("uiAccess")) for e in root.findall(
        f"{ASM_V3}trustInfo/{ASM_V3}security/{ASM_V3}requestedPrivileges/"
        f"{ASM_V3}requestedExecutionLevel")]
    settings = f"{ASM_V3}application/{ASM_V3}windowsSettings/"
    checks = [
        ("root element", (root.tag, root.get("manifestVersion")), (f"{ASM_V1}assembly", "1.0")),
        ("supported Windows", sorted(WINDOWS.get(i, i) for i in os_ids), sorted(WINDOWS.values())),
        ("execution level", levels, [("asInvoker", "false")]),
        ("dpiAware (Windows 7 to 10 1511)", texts(root, f"{settings}{SETTINGS_2005}dpiAware"),
         ["true/pm"]),
        ("dpiAwareness (Windows 10 1607 on)",
         texts(root, f"{settings}{SETTINGS_2016}dpiAwareness"), ["permonitor"]),
    ]
    return report(checks)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
