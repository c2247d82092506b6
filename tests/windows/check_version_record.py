"""Reads the version record and the icon back out of the built Windows program
and checks them against the project version and the icon file (its imports
are check_windows7_imports.py's):  check_version_record.py Vornell.exe vornell.ico 1.1.0"""
import os
import struct
import sys

import pefile

from pe_resources import report, resources

RT_ICON, RT_GROUP_ICON = 3, 14


def main(exe, ico, version):
    pe = pefile.PE(exe)
    numbers = [int(n) for n in version.split(".")] + [0, 0, 0]
    major, minor, patch, tweak = numbers[:4]
    text = f"{major}.{minor:02d}"
    fixed = pe.VS_FIXEDFILEINFO[0]
    strings = {t.LangID.decode().upper(): t.entries
               for info in pe.FileInfo[0] if info.Key == b"StringFileInfo" for t in info.StringTable}
    table = {k.decode(): v.decode() for k, v in strings.get("080404B0", {}).items()}
    translation = [v.entry for info in pe.FileInfo[0] if info.Key == b"VarFileInfo" for v in info.Var]
    groups = [data for _, _, _, data in resources(pe, RT_GROUP_ICON)]
    with open(ico, "rb") as f:
        ico_bytes = f.read()
    ico_entry = struct.unpack_from("<BBBBHHII", ico_bytes, 6)
    ico_image = ico_bytes[ico_entry[7]:ico_entry[7] + ico_entry[6]]
    icon_entries = [struct.unpack_from("<BBBBHHIH", g, 6 + 14 * i)
                    for g in groups for i in range(struct.unpack_from("<H", g, 4)[0])]
    icons = {name: data for _, name, _, data in resources(pe, RT_ICON)}
    checks = [
        ("subsystem", pe.OPTIONAL_HEADER.Subsystem, 2),  # IMAGE_SUBSYSTEM_WINDOWS_GUI
        ("FILEVERSION", (fixed.FileVersionMS, fixed.FileVersionLS),
         (major << 16 | minor, patch << 16 | tweak)),
        ("PRODUCTVERSION", (fixed.ProductVersionMS, fixed.ProductVersionLS),
         (major << 16 | minor, patch << 16 | tweak)),
        ("string tables", sorted(strings), ["080404B0"]),
        ("ProductName", table.get("ProductName"), "Vornell"),
        ("InternalName", table.get("InternalName"), "Vornell"),
        ("OriginalFilename", table.get("OriginalFilename"), "Vornell.exe"),
        ("file name", os.path.basename(exe), table.get("OriginalFilename")),
        ("FileVersion", table.get("FileVersion"), text),
        ("ProductVersion", table.get("ProductVersion"), text),
        ("Translation", translation, [{b"Translation": "0x0804 0x04b0"}]),
        ("resource languages", sorted({lang for *_, lang, _ in resources(pe, None)}), [0x0804]),
        ("icon file: width, height, planes, bits", ico_entry[0:2] + ico_entry[4:6], (32, 32, 1, 24)),
        ("icon group: width, height, planes, bits", [e[0:2] + e[4:6] for e in icon_entries],
         [(32, 32, 1, 24)]),
        ("icon image", [icons.get(e[7]) == ico_image for e in icon_entries], [True]),
    ]
    return report(checks)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
