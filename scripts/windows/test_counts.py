#!/usr/bin/python3
"""Counts the results of the test programs run under Wine (GoogleTest's XML, one file per program):
tests run, passed, failed and skipped, the skips with their reasons. A program that wrote no results
(it crashed or hung) counts as one failed test. Exit status 1 when anything failed."""
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

folder = pathlib.Path(sys.argv[1])
run = passed = failed = 0
skipped = []
failures = []
for xml in sorted(folder.glob("*.xml")):
    try:
        root = ET.parse(xml).getroot()
    except ET.ParseError:
        failed += 1
        failures.append(f"{xml.stem}: unreadable results")
        continue
    for case in root.iter("testcase"):
        name = f"{case.get('classname')}.{case.get('name')}"
        if case.find("failure") is not None:
            failed += 1
            failures.append(name)
        elif case.get("result") == "skipped" or case.find("skipped") is not None:
            reason = case.find("skipped")
            text = (reason.get("message") if reason is not None else "") or ""
            # GoogleTest puts the file and line before the reason.
            text = re.sub(r"^.*?:\d+\s*\n?", "", text).strip().replace("\n", " ")
            skipped.append(f"{name}: {text}")
        elif case.get("status") == "run":
            passed += 1
# Programs ctest ran that left no results.
log = folder / "ctest.log"
if log.exists():
    names = {x.stem for x in folder.glob("*.xml")}
    for line in log.read_text(errors="replace").splitlines():
        m = re.match(r"\s*\d+/\d+ Test\s+#\d+: (\S+) \.+\s*(\*\*\*\S+|Failed|Exception|Timeout)", line)
        if m and m.group(1) not in names:
            failed += 1
            failures.append(f"{m.group(1)}: {m.group(2)} without results")
run = passed + failed + len(skipped)
if skipped:
    print("skipped on Windows:")
    for s in skipped:
        print("  " + s)
if failures:
    print("failed:")
    for f in failures:
        print("  " + f)
print(f"Windows tests under Wine: {run} run, {passed} passed, {failed} failed, {len(skipped)} skipped")
print(f"{passed} passed, {failed} failed, {len(skipped)} skipped")
sys.exit(1 if failed or run == 0 else 0)
