#!/usr/bin/env python3
"""Exports of keltor-cli read by the programs our users feed: xylib's xyconv (X/Y, XFIT, UDF) and
numpy.loadtxt (X/Y). Every point must come back with its angle and its intensity.

export_peer_check.py CLI DEMO_GENERATOR WORK_DIR; exits 77 (skipped) when xyconv is absent."""
import json
import os
import shutil
import subprocess
import sys

SKIP = 77


def run(*args):
    result = subprocess.run(args, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"{' '.join(args)}: exit {result.returncode}\n{result.stderr}")
    return result.stdout


def numbers(text):
    """The two-column numeric lines of a text, comments skipped."""
    rows = []
    for line in text.splitlines():
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        rows.append([float(v) for v in line.split()])
    return rows


def compare(name, rows, xs, ys, y_tolerance):
    if len(rows) != len(xs):
        sys.exit(f"{name}: {len(rows)} points read, {len(xs)} exported")
    for i, (row, x, y) in enumerate(zip(rows, xs, ys)):
        if len(row) != 2 or abs(row[0] - x) > 6e-4 or abs(row[1] - y) > y_tolerance:
            sys.exit(f"{name}: point {i} read as {row}, exported as {x} {y}")


def main():
    cli, demo, work = sys.argv[1:4]
    xyconv = shutil.which("xyconv")
    if not xyconv:
        print("xyconv (libxy-bin) is absent: skipped")
        return SKIP
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    run(demo, work)
    try:
        import numpy
    except ImportError:
        numpy = None
        print("numpy is absent: X/Y not read by numpy.loadtxt")

    cases = [("demo.raw", 1), ("demo.raw", 3), ("strong.raw", 1), ("scaled.raw", 1)]
    for raw, rng in cases:
        info = json.loads(run(cli, "info", "--data", os.path.join(work, raw)))
        r = info["ranges"][rng - 1]
        h = r["header"]
        omega = info["header"]["ScanType"] == 2
        begin = h["OmegaBegin" if omega else "TwoThetaBegin"]
        step = h["OmegaStep" if omega else "TwoThetaStep"]
        data = r["data"]
        xs = [begin + i * step for i in range(len(data))]
        # "%9.0f" rounds as printf does (an exact half to even): within half a count of the value.
        counts = data
        stem = os.path.join(work, f"{raw[:-4]}_{rng}")
        for fmt, ext, xytype in (("xy", "xyd", "text"), ("xfit", "xdd", "xfit_xdd"), ("udf", "udf", "philips_udf")):
            out = f"{stem}.{ext}"
            run(cli, "export", "--format", fmt, "--range", str(rng), "--keep-negative", os.path.join(work, raw),
                "-o", out)
            compare(f"xyconv -t {xytype} {out}", numbers(run(xyconv, "-t", xytype, out, "-")), xs, counts, 0.5 + 1e-9)
            if fmt == "xy" and numpy is not None:
                compare(f"numpy.loadtxt {out}", numpy.loadtxt(out).tolist(), xs, counts, 0.5 + 1e-9)
        # Counts per second, four decimals.
        out = f"{stem}_cps.xyd"
        run(cli, "export", "--format", "xy", "--cps", "--range", str(rng), "--keep-negative",
            os.path.join(work, raw), "-o", out)
        cps = [v / h["TimePerStep"] for v in data]
        compare(f"xyconv -t text {out}", numbers(run(xyconv, "-t", "text", out, "-")), xs, cps, 6e-5)
        print(f"{raw} range {rng}: {len(data)} points read back by xyconv (text, xfit_xdd, philips_udf)"
              + (" and numpy.loadtxt" if numpy is not None else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
