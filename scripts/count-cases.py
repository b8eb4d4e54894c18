"""Counts test cases over CTest runs: a CTest test whose GoogleTest XML is there counts its cases;
one without (a crash before the XML was written, a script test) counts as one case by CTest's verdict."""
import os
import sys
import xml.etree.ElementTree as ET

passed = failed = 0
for build in sys.argv[1:]:
    results = os.path.join(build, "test-results")
    junit = os.path.join(results, "ctest.junit")
    if not os.path.exists(junit):
        print(f"count-cases: no CTest results in {results}", file=sys.stderr)
        failed += 1
        continue
    for case in ET.parse(junit).getroot().iter("testcase"):
        name = case.get("name")
        ctest_failed = case.get("status") != "run" or case.find("failure") is not None
        xml = os.path.join(results, f"{name}.xml")
        cases = None
        if os.path.exists(xml):
            try:
                root = ET.parse(xml).getroot()
                cases = [c for c in root.iter("testcase") if c.get("status", "run") == "run"]
            except ET.ParseError:
                cases = None
        if cases is None:
            failed += ctest_failed
            passed += not ctest_failed
            continue
        bad = sum(1 for c in cases if c.find("failure") is not None)
        # A crash after some cases finished: CTest failed the executable even if no case failed.
        if ctest_failed and bad == 0:
            bad = 1
        failed += bad
        passed += len(cases) - min(bad, len(cases))
print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
