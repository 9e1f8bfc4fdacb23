#!/usr/bin/env python3
"""apt_entries.py over sample apt configurations: deb822 and one-line
entries, comments, multi-line fields, disabled entries and other archives."""
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "scripts", "apt_entries.py")


def Derive(files, kind="deb-src", *options):
    with tempfile.TemporaryDirectory() as apt:
        os.makedirs(os.path.join(apt, "sources.list.d"))
        for name, text in files.items():
            with open(os.path.join(apt, name), "w", encoding="utf-8") as f:
                f.write(text)
        run = subprocess.run([sys.executable, SCRIPT, "--type", kind, *options, apt, "bookworm"], capture_output=True, text=True)
        return run.returncode, run.stdout.strip()


class DebSrcEntries(unittest.TestCase):
    def test_configurations(self):
        cases = [
            ("deb822 with comments, a multi-line key and a disabled entry", {
                "sources.list.d/debian.sources":
                    "Types: deb\n# a mirror of the archive\nURIs: file:/srv/mirror/debian\n"
                    "Suites: bookworm bookworm-updates\nComponents: main contrib\n"
                    "Signed-By:\n -----BEGIN PGP PUBLIC KEY BLOCK-----\n .\n abc\n\n"
                    "Types: deb\nURIs: file:/srv/old/debian\nSuites: bookworm\nComponents: main\n"
                    "Enabled: no\n",
            }, 0,
             "Types: deb-src\nURIs: file:/srv/mirror/debian\nSuites: bookworm bookworm-updates\n"
             "Components: main contrib\nSigned-By:\n -----BEGIN PGP PUBLIC KEY BLOCK-----\n .\n abc"),
            ("one-line entries with options; another archive and deb-src lines left alone", {
                "sources.list":
                    "# deb file:/srv/commented bookworm main\n"
                    "deb [arch=amd64 signed-by=/k.gpg] file:/srv/proxy/debian bookworm-security main\n"
                    "deb-src file:/srv/src/debian bookworm main\n"
                    "deb file:/srv/vendor stable main\n",
            }, 0,
             "Types: deb-src\nURIs: file:/srv/proxy/debian\nSuites: bookworm-security\n"
             "Components: main\nArchitectures: amd64\nSigned-By: /k.gpg"),
            ("only other releases and archives", {
                "sources.list.d/vendor.sources": "Types: deb\nURIs: file:/srv/v\nSuites: nodistro\n",
                "sources.list": "deb file:/srv/archive/debian bullseye main\n",
            }, 1, ""),
        ]
        for what, files, code, expected in cases:
            with self.subTest(what):
                self.assertEqual(Derive(files), (code, expected))
        # The binary entries again, for a sources file of their own.
        code, text = Derive(cases[1][1], "deb")
        self.assertEqual((code, text.splitlines()[0]), (0, "Types: deb"))

    def test_without_security(self):
        # The security suite goes, from a stanza of its own and from a shared one.
        files = {"sources.list.d/debian.sources":
                 "Types: deb\nURIs: file:/m/debian\nSuites: bookworm bookworm-security\nComponents: main\n\n"
                 "Types: deb\nURIs: file:/m/security\nSuites: bookworm-security\nComponents: main\n"}
        self.assertEqual(Derive(files, "deb", "--without-security"),
                         (0, "Types: deb\nURIs: file:/m/debian\nSuites: bookworm\nComponents: main"))


if __name__ == "__main__":
    unittest.main()
