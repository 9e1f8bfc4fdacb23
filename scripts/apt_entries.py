#!/usr/bin/env python3
"""Prints deb822 stanzas for the Debian release this machine already uses,
derived from its own apt configuration: the same URIs, suites, components
and keys as its "deb" entries, so that a mirror, proxy or snapshot
configured here is followed as it is. By default the stanzas add source
packages ("deb-src"); with --type deb they repeat the binary entries, as
one file for tools that take a sources file (mmdebstrap).

    apt_entries.py [--type deb-src|deb] [--without-security] [APT_DIR] [CODENAME]

APT_DIR defaults to /etc/apt and CODENAME to VERSION_CODENAME of
/etc/os-release. Only entries whose suites belong to that release
(CODENAME or CODENAME-*) are taken, so third-party archives are left alone.
With --without-security the release's security suite (CODENAME-security)
is left out: the fallback of a build whose mirror serves that suite's
indices inconsistently. Exits 1 when there is no such entry.
"""
import glob
import os
import re
import sys


def ReadDeb822(path):
    """The file's stanzas, each a list of (field, value lines) in order."""
    stanzas, current, field = [], [], None
    with open(path, encoding="utf-8") as f:
        for line in f.read().splitlines():
            if line.startswith("#"):
                continue
            if not line.strip():
                if current:
                    stanzas.append(current)
                current, field = [], None
            elif line[0] in " \t" and field is not None:
                current[-1][1].append(line)
            else:
                name, _, value = line.partition(":")
                field = name.strip()
                current.append((field, [value.strip()]))
    if current:
        stanzas.append(current)
    return stanzas


def FromDeb822(path):
    for stanza in ReadDeb822(path):
        fields = {name.lower(): lines for name, lines in stanza}
        types = fields.get("types", [""])[0].split()
        if "deb" not in types or fields.get("enabled", ["yes"])[0].lower() == "no":
            continue
        kept = [(name, lines) for name, lines in stanza if name.lower() not in ("types", "enabled")]
        yield fields.get("suites", [""])[0].split(), kept


ONE_LINE = re.compile(r"^\s*deb\s+(?:\[(?P<options>[^\]]*)\]\s+)?(?P<uri>\S+)\s+(?P<suite>\S+)\s*(?P<components>.*)$")
OPTION_FIELDS = {"signed-by": "Signed-By", "arch": "Architectures", "trusted": "Trusted"}


def FromOneLine(path):
    with open(path, encoding="utf-8") as f:
        for line in f:
            match = ONE_LINE.match(line.split("#", 1)[0])
            if not match:
                continue
            kept = [("URIs", [match["uri"]]), ("Suites", [match["suite"]])]
            if match["components"].strip():
                kept.append(("Components", [match["components"].strip()]))
            for option in (match["options"] or "").split():
                name, _, value = option.partition("=")
                if name in OPTION_FIELDS:
                    kept.append((OPTION_FIELDS[name], [value.replace(",", " ")]))
            yield [match["suite"]], kept


def Codename():
    with open("/etc/os-release", encoding="utf-8") as f:
        for line in f:
            if line.startswith("VERSION_CODENAME="):
                return line.split("=", 1)[1].strip().strip('"')
    return ""


def Main(argv):
    kind = "deb-src"
    if len(argv) > 2 and argv[1] == "--type" and argv[2] in ("deb", "deb-src"):
        kind = argv[2]
        argv = argv[:1] + argv[3:]
    without_security = len(argv) > 1 and argv[1] == "--without-security"
    if without_security:
        argv = argv[:1] + argv[2:]
    apt = argv[1] if len(argv) > 1 else "/etc/apt"
    codename = argv[2] if len(argv) > 2 else Codename()
    entries = []
    for path in sorted(glob.glob(os.path.join(apt, "sources.list.d", "*.sources"))):
        entries += FromDeb822(path)
    for path in [os.path.join(apt, "sources.list")] + sorted(glob.glob(os.path.join(apt, "sources.list.d", "*.list"))):
        if os.path.isfile(path):
            entries += FromOneLine(path)
    def Wanted(suite):
        return (suite == codename or suite.startswith(codename + "-")) and not (
            without_security and suite == codename + "-security")

    ours = []
    for suites, kept in entries:
        wanted = [s for s in suites if codename and Wanted(s)]
        if wanted:
            ours.append([(name, [" ".join(wanted)] if name.lower() == "suites" else values)
                         for name, values in kept])
    if not ours:
        print(f"no deb entry for the release '{codename}' in {apt}", file=sys.stderr)
        return 1
    stanzas = []
    for kept in ours:
        lines = [f"Types: {kind}"]
        for name, values in kept:
            lines.append(f"{name}: {values[0]}" if values[0] else f"{name}:")
            lines += values[1:]
        stanzas.append("\n".join(lines))
    print("\n\n".join(stanzas))
    return 0


if __name__ == "__main__":
    sys.exit(Main(sys.argv))
