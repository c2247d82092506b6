"""Fails when a Windows program would not start on Windows 7 SP1 with nothing
beside it: it imports a DLL that is not Windows 7 SP1's own, a function that
Windows 7 SP1 lacks (the loader then refuses the whole program), or asks for a
newer subsystem version.    check_windows7_imports.py Vornell.exe
Newer functions a toolchain or Qt could import, by the Windows that added
them; a program for Windows 7 looks them up, as Qt 5.15 does."""
import sys

import pefile

# Anything else would have to ship beside the program: a later DLL (shcore,
# combase, the Universal C Runtime, api-ms-win-*), a C++ runtime, Qt.
WINDOWS7_DLLS = set("""advapi32 authz comdlg32 crypt32 d3d11 d3d9 dwmapi dxgi gdi32 imm32
    kernel32 msvcrt netapi32 ole32 oleaut32 shell32 shlwapi user32 userenv uxtheme version
    winmm ws2_32 wtsapi32""".split())
NEWER_FUNCTIONS = {
    "8": "GetSystemTimePreciseAsFileTime CreateFile2 CopyFile2 WaitOnAddress WakeByAddressAll"
         " WakeByAddressSingle GetCurrentPackageFullName GetCurrentPackageId"
         " InitializeSynchronizationBarrier GetPointerType GetPointerInfo EnableMouseInPointer"
         " CoIncrementMTAUsage CoDecrementMTAUsage CoWaitForMultipleObjects",
    "8.1": "GetPointerInputTransform RoGetAgileReference CreateDXGIFactory2",
    "10": "SetThreadDescription GetThreadDescription GetDpiForSystem GetDpiForWindow"
          " GetSystemMetricsForDpi SystemParametersInfoForDpi AdjustWindowRectExForDpi"
          " EnableNonClientDpiScaling SetThreadDpiAwarenessContext SetProcessDpiAwarenessContext"
          " GetDpiFromDpiAwarenessContext OpenThemeDataForDpi",
    # Only with update KB2533623: Windows 7 programs look them up.
    "7 with KB2533623": "SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory",
}
SINCE = {name: since for since, names in NEWER_FUNCTIONS.items() for name in names.split()}


def main(exe):
    pe = pefile.PE(exe)
    problems = []
    for entry in pe.DIRECTORY_ENTRY_IMPORT:
        dll = entry.dll.decode()
        names = [i.name.decode() if i.name else f"#{i.ordinal}" for i in entry.imports]
        if dll.lower().removesuffix(".dll") not in WINDOWS7_DLLS:
            problems.append(f"{dll} (no DLL of Windows 7 SP1), for {' '.join(names)}")
        problems += [f"{dll}!{name} (Windows {SINCE[name]})" for name in names if name in SINCE]
    header = pe.OPTIONAL_HEADER
    if (header.MajorSubsystemVersion, header.MinorSubsystemVersion) > (6, 1):
        problems.append(f"subsystem version {header.MajorSubsystemVersion}."
                        f"{header.MinorSubsystemVersion} (Windows 7 is 6.1)")
    for problem in problems:
        print(f"FAIL {problem}")
    print(f"{exe}: {len(pe.DIRECTORY_ENTRY_IMPORT)} DLLs imported; "
          f"{len(problems)} things that Windows 7 SP1 lacks")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
