"""Fails when a Windows program would not start on Windows 7 SP1 with nothing
beside it: when it imports a DLL that is not Windows 7 SP1's own, a function
that Windows 7 SP1 lacks (the loader then refuses the whole program), or asks
for a newer subsystem version.    check_windows7_imports.py Vornell.exe
A version named below is the "Minimum supported client" of Microsoft's API
reference (mingw-w64's headers agree); a program for Windows 7 takes newer
functions with GetProcAddress, as Qt 5.15 does."""
import sys

import pefile

# The DLLs of Windows 7 SP1 that a program of this kind imports. Anything
# else is refused: a DLL that came later (shcore 8.1, combase 8, dcomp 8,
# d3d12 10, the Universal C Runtime of Windows 10, the API sets api-ms-win-*
# beyond Windows 7's own schema) or one that is no part of Windows (a C++
# runtime, Qt) would have to ship beside the program.
WINDOWS7_DLLS = set("""advapi32 authz comdlg32 crypt32 d3d11 d3d9 dwmapi dxgi gdi32 imm32
    kernel32 msvcrt netapi32 ole32 oleaut32 shell32 shlwapi user32 userenv uxtheme version
    winmm ws2_32 wtsapi32""".split())

# Functions of DLLs that Windows 7 SP1 has, by the Windows that added them.
NEWER_FUNCTIONS = {
    "kernel32": {
        "8": "GetSystemTimePreciseAsFileTime PrefetchVirtualMemory GetCurrentThreadStackLimits"
             " CreateFile2 CopyFile2 GetOverlappedResultEx SetThreadInformation"
             " GetThreadInformation SetProcessInformation GetProcessInformation"
             " GetProcessMitigationPolicy SetProcessMitigationPolicy"
             " InitializeSynchronizationBarrier EnterSynchronizationBarrier"
             " DeleteSynchronizationBarrier GetFirmwareType GetCurrentPackageFullName"
             " GetCurrentPackageId GetCurrentPackageFamilyName GetCurrentPackagePath"
             " GetPackageFullName GetPackageFamilyName"
             " WaitOnAddress WakeByAddressAll WakeByAddressSingle",  # kernelbase
        "8.1": "OfferVirtualMemory ReclaimVirtualMemory DiscardVirtualMemory",
        "10 1607": "SetThreadDescription GetThreadDescription",
        # Windows 7 has these three only with update KB2533623 (later folded
        # into KB3063858); Microsoft's reference tells Windows 7 programs to
        # look them up with GetProcAddress.
        "7 with KB2533623": "SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory",
    },
    "advapi32": {
        "8": "EventSetInformation EnumDynamicTimeZoneInformation"
             " GetDynamicTimeZoneInformationEffectiveYears",
    },
    "user32": {
        "8": "GetPointerType GetPointerCursorId GetPointerInfo GetPointerInfoHistory"
             " GetPointerFrameInfo GetPointerFrameInfoHistory GetPointerTouchInfo"
             " GetPointerTouchInfoHistory GetPointerFrameTouchInfo"
             " GetPointerFrameTouchInfoHistory GetPointerPenInfo GetPointerPenInfoHistory"
             " GetPointerFramePenInfo GetPointerFramePenInfoHistory SkipPointerFrameMessages"
             " GetPointerDevice GetPointerDevices GetPointerDeviceProperties"
             " GetPointerDeviceRects GetPointerDeviceCursors GetRawPointerDeviceData"
             " RegisterPointerDeviceNotifications EnableMouseInPointer IsMouseInPointerEnabled"
             " InitializeTouchInjection InjectTouchInput RegisterPointerInputTarget"
             " UnregisterPointerInputTarget RegisterTouchHitTestingWindow"
             " EvaluateProximityToRect EvaluateProximityToPolygon"
             " PackTouchHitTestingProximityEvaluation GetCurrentInputMessageSource GetCIMSSM"
             " SetDisplayAutoRotationPreferences GetDisplayAutoRotationPreferences"
             " GetAutoRotationState SetCoalescableTimer IsImmersiveProcess"
             " GetWindowFeedbackSetting SetWindowFeedbackSetting",
        "8.1": "GetPointerInputTransform LogicalToPhysicalPointForPerMonitorDPI"
               " PhysicalToLogicalPointForPerMonitorDPI",
        "10 1607": "GetDpiForSystem GetDpiForWindow GetSystemMetricsForDpi"
                   " SystemParametersInfoForDpi AdjustWindowRectExForDpi"
                   " EnableNonClientDpiScaling GetAwarenessFromDpiAwarenessContext"
                   " AreDpiAwarenessContextsEqual IsValidDpiAwarenessContext"
                   " SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext"
                   " GetWindowDpiAwarenessContext",
        "10 1703": "SetProcessDpiAwarenessContext SetDialogControlDpiChangeBehavior",
        "10 1803": "GetDpiFromDpiAwarenessContext SetThreadDpiHostingBehavior"
                   " GetDpiAwarenessContextForProcess GetSystemDpiForProcess",
        "10 1809": "CreateSyntheticPointerDevice InjectSyntheticPointerInput",
    },
    "uxtheme": {"10 1703": "OpenThemeDataForDpi"},
    "ole32": {
        "8": "CoIncrementMTAUsage CoDecrementMTAUsage CoWaitForMultipleObjects",
        "8.1": "RoGetAgileReference",
    },
    # dxgi.dll and d3d11.dll come with Windows 7 (DXGI 1.1, Direct3D 11).
    "dxgi": {"8.1": "CreateDXGIFactory2 DXGIGetDebugInterface1",
             "10 1903": "DXGIDeclareAdapterRemovalSupport"},
    "d3d11": {"10": "D3D11On12CreateDevice"},
}
# By name, whichever DLL imports it: a function that moved between DLLs is still found.
SINCE = {name: (dll, since) for dll, table in NEWER_FUNCTIONS.items()
         for since, names in table.items() for name in names.split()}


def main(exe):
    pe = pefile.PE(exe)
    problems = []
    for entry in pe.DIRECTORY_ENTRY_IMPORT:
        dll = entry.dll.decode().lower().removesuffix(".dll")
        names = [i.name.decode() if i.name else f"#{i.ordinal}" for i in entry.imports]
        if dll not in WINDOWS7_DLLS:
            problems.append(f"{entry.dll.decode()} (no DLL of Windows 7 SP1), for {' '.join(names)}")
        problems += [f"{entry.dll.decode()}!{name} (Windows {SINCE[name][1]})"
                     for name in names if name in SINCE]
    header = pe.OPTIONAL_HEADER
    subsystem = (header.MajorSubsystemVersion, header.MinorSubsystemVersion)
    if subsystem > (6, 1):
        problems.append(f"subsystem version {subsystem[0]}.{subsystem[1]} (Windows 7 is 6.1)")
    for problem in problems:
        print(f"FAIL {problem}")
    dlls = len(pe.DIRECTORY_ENTRY_IMPORT)
    functions = sum(len(e.imports) for e in pe.DIRECTORY_ENTRY_IMPORT)
    print(f"{exe}: {dlls} DLLs, {functions} functions imported; "
          f"{len(problems)} that Windows 7 SP1 lacks")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
