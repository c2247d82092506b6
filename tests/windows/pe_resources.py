"""What the Windows checks share: the resources of a program read with
pefile, and the report of a list of checks."""


def resources(pe, type_id):
    """(type, name, language, data) of every resource of type `type_id`, or of
    every resource when it is None."""
    kinds = pe.DIRECTORY_ENTRY_RESOURCE.entries if hasattr(pe, "DIRECTORY_ENTRY_RESOURCE") else []
    for kind in kinds:
        for name in kind.directory.entries if kind.id == type_id or type_id is None else []:
            for lang in name.directory.entries:
                data = pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
                yield kind.id, name.id, (lang.data.sublang << 10) | lang.data.lang, data


def report(checks):
    """Prints every (name, got, want) where got is not want; the exit status."""
    failed = [(name, got, want) for name, got, want in checks if got != want]
    for name, got, want in failed:
        print(f"FAIL {name}: {got!r}, expected {want!r}")
    print(f"{len(checks) - len(failed)} of {len(checks)} checks passed")
    return 1 if failed else 0
