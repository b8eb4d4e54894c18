"""Counts test cases over CTest runs, one line a configuration and a total line.

Arguments: NAME=BUILD_DIR for a configuration that ran, NAME=BUILD_DIR=skipped=TWIN_DIR for one that
could not run here: its tests (as CTest lists them) count as skipped, with the cases that the same test of
the twin configuration ran (one case where the twin has no result).

A CTest test whose GoogleTest XML is there counts its cases; one without (a crash before the XML was
written, a script test) counts as one case by CTest's verdict; a test CTest skipped counts as skipped."""
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET


def gtest_cases(results, name):
    """The cases a GoogleTest executable ran, or None without a readable XML."""
    xml = os.path.join(results, f"{name}.xml")
    if not os.path.exists(xml):
        return None
    try:
        root = ET.parse(xml).getroot()
    except ET.ParseError:
        return None
    return [c for c in root.iter("testcase") if c.get("status", "run") == "run"]


def gtest_skipped(case):
    return case.get("result") == "skipped" or case.find("skipped") is not None


def count_run(build):
    passed = failed = skipped = 0
    results = os.path.join(build, "test-results")
    junit = os.path.join(results, "ctest.junit")
    if not os.path.exists(junit):
        print(f"count-cases: no CTest results in {results}", file=sys.stderr)
        return 0, 1, 0
    for case in ET.parse(junit).getroot().iter("testcase"):
        name = case.get("name")
        if case.find("skipped") is not None or case.get("status") in ("notrun", "disabled"):
            skipped += 1
            continue
        ctest_failed = case.get("status") != "run" or case.find("failure") is not None
        cases = gtest_cases(results, name)
        if cases is None:
            failed += ctest_failed
            passed += not ctest_failed
            continue
        bad = sum(1 for c in cases if c.find("failure") is not None)
        # A case that skipped itself (GTEST_SKIP: what it needs is missing here) is no pass.
        skips = sum(1 for c in cases if c.find("failure") is None and gtest_skipped(c))
        # A crash after some cases finished: CTest failed the executable even if no case failed.
        if ctest_failed and bad == 0:
            bad = 1
        failed += bad
        skipped += skips
        passed += max(len(cases) - bad - skips, 0)
    return passed, failed, skipped


def count_skipped(build, twin):
    listing = subprocess.run(["ctest", "--test-dir", build, "-N"], capture_output=True, text=True).stdout
    skipped = 0
    for name in re.findall(r"^\s*Test\s+#\d+:\s+(\S+)", listing, re.M):
        cases = gtest_cases(os.path.join(twin, "test-results"), name)
        skipped += len(cases) if cases else 1
    return 0, 0, skipped


totals = [0, 0, 0]
for arg in sys.argv[1:]:
    parts = arg.split("=")
    name, build = parts[0], parts[1]
    counts = count_skipped(build, parts[3]) if len(parts) == 4 else count_run(build)
    totals = [t + c for t, c in zip(totals, counts)]
    print(f"  {name}: {counts[0]} passed, {counts[1]} failed, {counts[2]} skipped")
print(f"{totals[0]} passed, {totals[1]} failed, {totals[2]} skipped")
sys.exit(1 if totals[1] else 0)
