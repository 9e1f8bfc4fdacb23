#!/usr/bin/env python3
"""Static checks of the Windows artifacts, read straight from their PE files.

    pe_check.py library Quovant.dll MACHINE
    pe_check.py program frontend.exe MACHINE

MACHINE is i386 or amd64. Prints what it found and exits 1 on any mismatch.
"""
import struct
import sys

MACHINES = {"i386": 0x14C, "amd64": 0x8664}
SUBSYSTEM_GUI, SUBSYSTEM_CONSOLE = 2, 3
RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 5, 14, 16, 24

# DLLs that every Windows installation has.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "advapi32.dll",
    "msvcrt.dll", "ntdll.dll", "shell32.dll", "ole32.dll",
}


class PeFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        if d[:2] != b"MZ":
            raise ValueError(f"{path}: not an MZ file")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError(f"{path}: no PE signature")
        self.machine, sections, _, _, _, opt_size, self.characteristics = \
            struct.unpack_from("<HHIIIHH", d, pe + 4)
        opt = pe + 24
        magic = struct.unpack_from("<H", d, opt)[0]
        self.subsystem = struct.unpack_from("<H", d, opt + 68)[0]
        dirs = opt + (96 if magic == 0x10B else 112)
        count = struct.unpack_from("<I", d, dirs - 4)[0]
        self.directories = [struct.unpack_from("<II", d, dirs + 8 * i) for i in range(count)]
        self.sections = []
        for i in range(sections):
            s = opt + opt_size + 40 * i
            vsize, vaddr, rsize, raw = struct.unpack_from("<IIII", d, s + 8)
            self.sections.append((vaddr, max(vsize, rsize), raw))

    def offset(self, rva):
        for vaddr, size, raw in self.sections:
            if vaddr <= rva < vaddr + size:
                return raw + rva - vaddr
        raise ValueError(f"RVA {rva:#x} is in no section")

    def cstring(self, rva):
        o = self.offset(rva)
        return self.data[o:self.data.index(b"\0", o)].decode("ascii")

    def exports(self):
        """(DLL name, [(ordinal, name)], number of functions)."""
        rva, size = self.directories[0]
        if size == 0:
            return None, [], 0
        o = self.offset(rva)
        name, base, functions, names, _, name_table, ordinal_table = \
            struct.unpack_from("<IIIIIII", self.data, o + 12)
        result = []
        for i in range(names):
            name_rva = struct.unpack_from("<I", self.data, self.offset(name_table) + 4 * i)[0]
            ordinal = struct.unpack_from("<H", self.data, self.offset(ordinal_table) + 2 * i)[0]
            result.append((base + ordinal, self.cstring(name_rva)))
        return self.cstring(name), result, functions

    def imports(self):
        rva, size = self.directories[1]
        names = []
        o = self.offset(rva) if size else None
        while o is not None:
            name_rva = struct.unpack_from("<I", self.data, o + 12)[0]
            if name_rva == 0:
                break
            names.append(self.cstring(name_rva))
            o += 20
        return names

    def resources(self):
        """[(type, name, language, bytes)] with ids as ints and names as str."""
        rva, size = self.directories[2]
        if size == 0:
            return []
        root = self.offset(rva)
        d = self.data

        def entries(offset):
            named, ids = struct.unpack_from("<HH", d, root + offset + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", d, root + offset + 16 + 8 * i)
                if name & 0x80000000:
                    n = root + (name & 0x7FFFFFFF)
                    length = struct.unpack_from("<H", d, n)[0]
                    name = d[n + 2:n + 2 + 2 * length].decode("utf-16-le")
                yield name, target

        found = []
        for rtype, t in entries(0):
            for rname, n in entries(t & 0x7FFFFFFF):
                for lang, leaf in entries(n & 0x7FFFFFFF):
                    data_rva, data_size = struct.unpack_from("<II", d, root + leaf)
                    o = self.offset(data_rva)
                    found.append((rtype, rname, lang, d[o:o + data_size]))
        return found


def parse_version_block(data, o=0):
    """One VS_VERSIONINFO-style block: (key, value, children)."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, o)
    end = o + length
    k = o + 6
    key_end = k
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[k:key_end].decode("utf-16-le")
    p = (key_end + 2 + 3) & ~3
    if value_type == 1:
        value = data[p:p + 2 * value_length].decode("utf-16-le").rstrip("\0")
        p += 2 * value_length
    else:
        value = data[p:p + value_length]
        p += value_length
    children = []
    p = (p + 3) & ~3
    while p < end:
        child, child_end = parse_version_block(data, p)
        children.append(child)
        p = (child_end + 3) & ~3
    return (key, value, children), end


class Checker:
    def __init__(self):
        self.failures = 0

    def expect(self, what, actual, expected):
        ok = actual == expected
        print(f"{'ok  ' if ok else 'FAIL'} {what}: {actual!r}" + ("" if ok else f" (expected {expected!r})"))
        self.failures += not ok


def check_common(pe, machine, c):
    c.expect("machine", pe.machine, MACHINES[machine])
    foreign = [n for n in pe.imports() if n.lower() not in SYSTEM_DLLS]
    c.expect("imports outside the system DLLs", foreign, [])


def check_library(pe, c):
    dll_name, exports, functions = pe.exports()
    c.expect("export directory's DLL name", dll_name, "Quovant.dll")
    c.expect("exported names with ordinals", exports, [(1, "GetIdioms")])
    c.expect("exported functions", functions, 1)
    c.expect("is a DLL", bool(pe.characteristics & 0x2000), True)

    versions = [r for r in pe.resources() if r[0] == RT_VERSION]
    c.expect("version resources (id, language)", [(r[1], r[2]) for r in versions], [(1, 0x0804)])
    if not versions:
        return
    (key, fixed, children), _ = parse_version_block(versions[0][3])
    c.expect("version block key", key, "VS_VERSION_INFO")
    (sig, _, fv_ms, fv_ls, pv_ms, pv_ls, mask, flags, os_, ftype, subtype, date_ms, date_ls) = \
        struct.unpack_from("<13I", fixed)
    c.expect("fixed signature", sig, 0xFEEF04BD)
    c.expect("fixed file version", (fv_ms >> 16, fv_ms & 0xFFFF, fv_ls >> 16, fv_ls & 0xFFFF), (1, 0, 0, 0))
    c.expect("fixed product version", (pv_ms >> 16, pv_ms & 0xFFFF, pv_ls >> 16, pv_ls & 0xFFFF), (1, 0, 0, 0))
    c.expect("fixed mask, flags, os, type, subtype, date", (mask, flags, os_, ftype, subtype, date_ms, date_ls),
             (0, 0, 0, 0, 0, 0, 0))
    blocks = {child[0]: child for child in children}
    tables = blocks.get("StringFileInfo", ("", b"", []))[2]
    c.expect("string tables", [t[0] for t in tables], ["080404b0"])
    strings = {s[0]: s[1] for t in tables for s in t[2]}
    for name, value in [("FileDescription", "翠岫弈天基础组件"), ("ProductName", "翠岫弈天"),
                        ("FileVersion", "1, 0, 0, 0"), ("ProductVersion", "1.000")]:
        c.expect(f"string {name}", strings.get(name), value)
    for name in ("CompanyName", "LegalCopyright"):
        c.expect(f"string {name} present", bool(strings.get(name)), True)
    var = blocks.get("VarFileInfo", ("", b"", []))[2]
    translation = var[0][1] if var else b""
    c.expect("translation", struct.unpack("<HH", translation) if len(translation) == 4 else None, (0x0804, 1200))


def check_program(pe, machine, c):
    c.expect("GUI subsystem", pe.subsystem, SUBSYSTEM_GUI)
    c.expect("imports Quovant", any(n.lower().startswith("quovant") for n in pe.imports()), False)
    resources = pe.resources()
    c.expect("resources (type, name, language)",
             sorted((t, str(n), l) for t, n, l, _ in resources if t != RT_ICON),
             sorted([(RT_DIALOG, "101", 0x0409), (RT_GROUP_ICON, "A", 0x0409), (RT_MANIFEST, "1", 0x0409)]))
    c.expect("icon image languages", {l for t, _, l, _ in resources if t == RT_ICON}, {0x0409})
    by_kind = {(t, n): data for t, n, _, data in resources}

    dialog = by_kind.get((RT_DIALOG, 101), b"")
    if len(dialog) >= 18:
        style, ex_style, items, x, y, cx, cy, menu, cls = struct.unpack_from("<IIHhhhhHH", dialog)
        title = dialog[22:].decode("utf-16-le").split("\0")[0]
        c.expect("dialog style", hex(style), hex(0x90CA0884))
        c.expect("dialog extended style, controls, position and size", (ex_style, items, x, y, cx, cy), (0,) * 6)
        c.expect("dialog menu and class", (menu, cls), (0, 0))
        c.expect("dialog caption", title, "翠岫弈天")

    group = by_kind.get((RT_GROUP_ICON, "A"), b"")
    if len(group) >= 6:
        count = struct.unpack_from("<H", group, 4)[0]
        images = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i) for i in range(count)]
        c.expect("icon images (size, bits)", [(w, h, bits) for w, h, _, _, _, bits, _, _ in images],
                 [(48, 48, 32), (32, 32, 32), (16, 16, 32)])

    manifest = by_kind.get((RT_MANIFEST, 1), b"").decode("utf-8", "replace")
    arch = {"i386": "X86", "amd64": "amd64"}[machine]
    for needle in ['name="Microsoft.Windows.Common-Controls"', 'version="6.0.0.0"',
                   f'processorArchitecture="{arch}"', 'publicKeyToken="6595b64144ccf1df"',
                   'version="1.0.0.0" processorArchitecture="*"', 'type="win32"', "<description></description>"]:
        c.expect(f"manifest has {needle}", needle in manifest, True)
    for absent in ("requestedExecutionLevel", "compatibility", "dpiAware"):
        c.expect(f"manifest lacks {absent}", absent in manifest, False)


def main(argv):
    if len(argv) < 4 or argv[1] not in ("library", "program") or argv[3] not in MACHINES:
        print(__doc__)
        return 2
    kind, path, machine = argv[1:4]
    pe = PeFile(path)
    c = Checker()
    print(f"{path}:")
    check_common(pe, machine, c)
    if kind == "library":
        check_library(pe, c)
    else:
        check_program(pe, machine, c)
    print(f"{c.failures} failed")
    return 1 if c.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
