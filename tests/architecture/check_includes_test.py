#!/usr/bin/env python3
"""Shows that scripts/check_includes.py passes a tree that keeps the documented order and fails
each kind of include that breaks it. Each case builds a small library tree in a temporary
directory, with a copy of the project's docs/ARCHITECTURE.md, so the check reads the real order."""
import importlib.util
import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
CHECK = ROOT / "scripts" / "check_includes.py"
DOC = ROOT / "docs" / "ARCHITECTURE.md"


def documented_levels():
    """The folders of each level of the documented order, lowest first, read by the check's
    own reader."""
    found = importlib.util.spec_from_file_location("check_includes", CHECK)
    check = importlib.util.module_from_spec(found)
    found.loader.exec_module(check)
    levels = check.read_levels(DOC)
    return [[f for f in levels if levels[f] == n] for n in range(max(levels.values()) + 1)]


class CheckIncludesTest(unittest.TestCase):
    def setUp(self):
        self.root = pathlib.Path(tempfile.mkdtemp(prefix="norv-includes-"))
        self.addCleanup(shutil.rmtree, self.root)
        (self.root / "docs").mkdir()
        shutil.copy(DOC, self.root / "docs" / "ARCHITECTURE.md")
        self.levels = documented_levels()
        # A clean chain: each folder includes every folder of the level below it, and the export
        # mark, which stands below them all.
        self.write("Export.h")
        for below, level in zip([[]] + self.levels, self.levels):
            for folder in level:
                self.write(f"{folder}/{folder.capitalize()}.h", '#include "norv/Export.h"',
                           *[f'#include "norv/{b}/{b.capitalize()}.h"' for b in below])
        everything = [f for level in self.levels for f in level]
        self.write("NorvGPSSimulator.h", *[f'#include "norv/{f}/{f.capitalize()}.h"'
                                          for f in everything])

    def write(self, relative, *lines):
        path = self.root / "src" / "norv" / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text("#pragma once\n" + "".join(line + "\n" for line in lines))

    def run_check(self):
        return subprocess.run([sys.executable, str(CHECK), "--root", str(self.root)],
                              capture_output=True, text=True)

    def test_the_documented_order_has_every_level_of_the_design(self):
        flat = [f for level in self.levels for f in level]
        self.assertEqual(flat, ["posix", "framework", "model", "satellites", "navigation",
                                "serial", "orbits", "nmea", "core", "package"])
        self.assertEqual(self.levels[3], ["satellites", "navigation", "serial", "orbits"])

    def test_a_tree_that_keeps_the_order_passes(self):
        result = self.run_check()
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_each_include_against_the_order_fails_and_is_listed(self):
        cases = [  # file, include, the listed edge
            ("framework/Back.cpp", '#include "norv/core/Core.h"', "framework -> core"),
            ("posix/Up.h", "#include <norv/model/Model.h>", "posix -> model"),
            ("satellites/Side.cpp", '#include "norv/serial/Serial.h"', "satellites -> serial"),
            ("nmea/Relative.cpp", '#include "../core/Core.h"', "nmea -> core"),
            ("serial/Umbrella.cpp", '#include "norv/NorvGPSSimulator.h"', "serial -> norv/"),
            ("extras/Unknown.cpp", '#include "norv/model/Model.h"', "extras -> model"),
        ]
        for file, include, edge in cases:
            with self.subTest(include=include, file=file):
                self.write(file, "// a line before", include)
                try:
                    result = self.run_check()
                finally:
                    (self.root / "src" / "norv" / file).unlink()
                self.assertEqual(result.returncode, 1, result.stdout)
                self.assertIn(f"src/norv/{file}:3: {edge}", result.stdout)
        self.assertEqual(self.run_check().returncode, 0)

    def test_folders_including_each_other_are_named_as_a_cycle(self):
        self.write("model/Loop.cpp", '#include "norv/nmea/Nmea.h"')
        result = self.run_check()
        self.assertEqual(result.returncode, 1)
        self.assertRegex(result.stdout,
                         r"the folders .*model.*nmea.* include each other in a cycle")

    def test_a_document_without_the_order_is_an_error_not_a_pass(self):
        (self.root / "docs" / "ARCHITECTURE.md").write_text("# Architecture\n\nNo list here.\n")
        result = self.run_check()
        self.assertEqual(result.returncode, 2, result.stdout)


if __name__ == "__main__":
    unittest.main()
