"""Checks the role's report (JSON and CSV) against what a test run expects, read from stdin:
{"check_mode": bool, "summary": {...}, "batches": bool, "parallel": host,
"plcs": {port: {field: value}}}, where the field "first_exit" stands for the exit code of the
first of two runs of `qx4t-vup update`.
"batches": every PLC of host line1 was finished before the first of line2 was started."""
import csv
import datetime
import json
import sys

COLUMNS = ["host", "port", "identity", "model", "version_before", "version_after", "result",
           "exit", "message", "duration_s", "attempts", "started", "finished"]


def stamp(text):
    return datetime.datetime.strptime(text, "%Y-%m-%d %H:%M:%S.%f").timestamp()


def fail(text):
    sys.exit("report check failed: " + text)


def main():
    report_path, csv_path = sys.argv[1:3]
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
    if report["summary"] != expected["summary"]:
        fail("summary %s, expected %s" % (report["summary"], expected["summary"]))
    if report["target_version"] != "1.80":
        fail("target_version %r" % report["target_version"])
    for port, fields in expected["plcs"].items():
        found = [r for r in rows if r["port"] == port]
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
        if not row["identity"] or row["model"] != "B1" or row["duration_s"] < 0:
            fail("%s: identity, model or duration missing: %s" % (port, row))
        if row["result"] == "failed" and report["check_mode"]:
            # A refusal foreseen: the tool was not run.
            if row["exit"] is not None or not row["message"]:
                fail("%s: a foreseen failure with an exit code or without words: %s" % (port, row))
        elif row["result"] == "failed":
            # The tool's own exit code and words, not a stand-in of the role's.
            if not isinstance(row["exit"], int) or row["exit"] in (0, 1) or not row["message"]:
                fail("%s: a failure without the tool's exit code and message: %s" % (port, row))
        elif row["exit"] != 0 and not (report["check_mode"] and row["result"] == "recovered"):
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


main()
