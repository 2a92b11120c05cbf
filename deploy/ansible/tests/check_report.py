"""Checks the role's report files (JSON, CSV, JUnit, retry files) under the path prefix given
(a folder, or a folder and "check-") against what a test run expects, read from stdin:
{"check_mode": bool, "summary": {...}, "batches": bool, "parallel": host,
"plcs": {port, or host for a row without a port: {field: value}},
"retry": {host: [ports], or null for a host that takes its inventory's ports}}, where the
field "first_exit" stands for the exit code of the first of two runs of `qx4t-vup update`.
"batches": every PLC of host line1 was finished before the first of line2 was started."""
import csv
import datetime
import json
import os
import sys
import xml.etree.ElementTree as ET

import yaml

COLUMNS = ["run_id", "host", "port", "identity", "model", "version_before", "version_after",
           "target_version", "result", "exit", "message", "duration_s", "attempts", "started",
           "finished", "image_sha256"]


def stamp(text):
    return datetime.datetime.strptime(text, "%Y-%m-%dT%H:%M:%S.%fZ").timestamp()


def fail(text):
    sys.exit("report check failed: " + text)


def main():
    prefix = sys.argv[1] if sys.argv[1].endswith("-") else os.path.join(sys.argv[1], "")
    report_path, csv_path = prefix + "report.json", prefix + "report.csv"
    expected = json.load(sys.stdin)
    with open(report_path, encoding="utf-8") as f:
        report = json.load(f)
    rows = report["plcs"]
    for row in rows:
        print("  {host} {port} {identity} {model} {version_before} -> {version_after}: "
              "{result}, exit {exit}, {attempts} attempt(s), {duration_s} s: {message}"
              .format(**row))
        if len(row["runs"]) > 1:
            for run in row["runs"]:
                print("    run from {started}: exit {exit}: {message}".format(**run))

    if report["check_mode"] != expected["check_mode"]:
        fail("check_mode is %s" % report["check_mode"])
    if any(row["run_id"] != report["run_id"] or not row["run_id"] for row in rows):
        fail("the rows do not all carry the run id %r" % report["run_id"])
    if report["summary"] != expected["summary"]:
        fail("summary %s, expected %s" % (report["summary"], expected["summary"]))
    if report["target_version"] != "1.80":
        fail("target_version %r" % report["target_version"])
    for port, fields in expected["plcs"].items():
        found = [r for r in rows if (r["port"] or r["host"]) == port]
        if len(found) != 1:
            fail("%d rows for port %s" % (len(found), port))
        row = found[0]
        for key, value in fields.items():
            if key == "first_exit":
                # Retried once, after the exit code whose advice is to run the update again.
                runs = row["runs"]
                if len(runs) != 2 or runs[0]["exit"] != value or not runs[0]["message"]:
                    fail("%s: runs %r, expected a first with exit %r" % (port, runs, value))
            elif row[key] != value:
                fail("%s: %s is %r, expected %r" % (port, key, row[key], value))
        if row["result"].startswith("not started"):
            if row["attempts"] or not row["message"]:
                fail("%s: not started, but with attempts or no words: %s" % (port, row))
            continue
        if not row["identity"] or row["model"] != "B1" or row["duration_s"] < 0:
            fail("%s: identity, model or duration missing: %s" % (port, row))
        if row["result"] in ("changed", "recovered"):
            # Said by the tool's last run: the target, the image sent, its UTC times.
            if row["target_version"] != "1.80" or len(row["image_sha256"]) != 64 \
                    or stamp(row["started"]) > stamp(row["finished"]):
                fail("%s: target, image or times missing: %s" % (port, row))
        if row["result"] == "failed" and report["check_mode"]:
            # A refusal foreseen: the tool was not run.
            if row["exit"] is not None or not row["message"]:
                fail("%s: a foreseen failure with an exit code or without words: %s" % (port, row))
        elif row["result"] == "failed":
            # The tool's own exit code and words, not a stand-in of the role's.
            if not isinstance(row["exit"], int) or row["exit"] in (0, 1) or not row["message"]:
                fail("%s: a failure without the tool's exit code and message: %s" % (port, row))
        elif row["exit"] != 0 and not (report["check_mode"] and row["result"] == "would update"):
            # In check mode, a PLC to recover keeps the exit code of its status.
            fail("%s: %s with exit %r" % (port, row["result"], row["exit"]))
    if len(rows) != len(expected["plcs"]):
        fail("%d rows, expected %d" % (len(rows), len(expected["plcs"])))

    if expected.get("batches"):
        line1 = [r for r in rows if r["host"] == "line1"]
        line2 = [r for r in rows if r["host"] == "line2"]
        if not line1 or not line2:
            fail("rows of both hosts expected")
        if max(r["finished"] for r in line1) > min(r["started"] for r in line2):
            fail("line2 was started before line1 was finished: not one batch after the other")

    if expected.get("parallel"):
        # One process per port: the first runs of the host's version-ups were all under way
        # at one moment.
        first = [r["runs"][0] for r in rows if r["host"] == expected["parallel"] and r["runs"]]
        if len(first) < 2:
            fail("two version-ups on %s expected" % expected["parallel"])
        if max(stamp(r["started"]) for r in first) >= min(stamp(r["finished"]) for r in first):
            fail("the version-ups on %s ran one after the other: %s" % (expected["parallel"], first))

    with open(csv_path, encoding="utf-8", newline="") as f:
        table = list(csv.reader(f))
    if table[0] != COLUMNS:
        fail("CSV columns %s" % table[0])
    if len(table) - 1 != len(rows):
        fail("CSV has %d rows, JSON %d" % (len(table) - 1, len(rows)))
    for cells, row in zip(table[1:], rows):
        want = ["" if row[c] is None else str(row[c]) for c in COLUMNS]
        if cells != want:
            fail("CSV row %s differs from JSON %s" % (cells, want))

    # JUnit: one testcase per row; failed and busy fail, not started is skipped.
    suite = ET.parse(prefix + "junit.xml").getroot().find("testsuite")
    cases = suite.findall("testcase")
    if len(cases) != len(rows):
        fail("junit.xml has %d testcases, the report %d rows" % (len(cases), len(rows)))
    for case, row in zip(cases, rows):
        kind = ("failure" if row["result"].startswith(("failed", "busy"))
                else "skipped" if row["result"].startswith("not started") else None)
        said = [e.tag for e in case if e.tag in ("failure", "skipped")]
        if case.get("classname") != row["host"] or said != ([kind] if kind else []):
            fail("testcase %s %s for row %s" % (case.attrib, said, row))
    if int(suite.get("failures")) != sum(1 for c in cases if c.find("failure") is not None):
        fail("junit.xml's failure count")

    if "retry" in expected:
        with open(prefix + "retry-hosts", encoding="utf-8") as f:
            hosts = f.read().split()
        with open(prefix + "retry-vars.yml", encoding="utf-8") as f:
            ports = yaml.safe_load(f)["qx4t_vup_ports_by_host"]
        if sorted(hosts) != sorted(expected["retry"]):
            fail("retry-hosts %s, expected %s" % (hosts, sorted(expected["retry"])))
        if ports != {h: p for h, p in expected["retry"].items() if p is not None}:
            fail("retry-vars.yml %s, expected %s" % (ports, expected["retry"]))


main()
