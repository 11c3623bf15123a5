#!/usr/bin/env python3
"""Compares every output of two orbisca-chart builds on random births.

Usage: bench/compare_outputs.py [--new-key KEY]... OLD_CHART NEW_CHART [COUNT [SEED]]

For each birth: the listing, --json, --report, the --rtf file and the --svg
file; then the batch mode on the same births (JSON Lines with paragraphs and
CSV), with and without atlas places when the atlas is installed. A refactor
that must not change a byte runs it against the build before it. Prints the
count compared and every difference; exits 1 on any. --new-key names a
member whose value is an object that the new build adds to --json: it is cut
from the new output's text before comparing, and every other byte must be
the same.
"""
import os
import random
import subprocess
import sys
import tempfile

ZONES = 71
# Places of the installed atlas, by GeoNames id and by name.
PLACES = ["1275339", "5128581", "London", "Sydney", "Kathmandu", "2643743", "Paris", "Tokyo"]


def random_birth(rng):
    year = rng.randint(1901, 2050)
    month = rng.randint(1, 12)
    day = rng.randint(1, 31)  # some are refused by the date checks, on purpose
    args = [
        "--date", f"{year:04d}-{month:02d}-{day:02d}",
        "--time", f"{rng.randint(0, 23)}:{rng.randint(0, 59):02d}",
        "--zone", str(rng.randrange(ZONES)),
        "--lon", f"{rng.randint(0, 181)}:{rng.randint(0, 60):02d}{rng.choice('EW')}",
        "--lat", f"{rng.randint(0, 90)}:{rng.randint(0, 60):02d}{rng.choice('NS')}",
        "--name", rng.choice(["ANNA", "Jo Ng", "Zoë", "X", " ", "R\u00e9mi, \"Q\""]),
    ]
    if rng.random() < 0.5:
        args.append("--dst")
    return args


def random_place_birth(rng):
    """A birth at a place of the atlas: the zone from the tz database."""
    year = rng.randint(1901, 2050)
    args = ["--date", f"{year:04d}-{rng.randint(1, 12):02d}-{rng.randint(1, 28):02d}",
            "--time", f"{rng.randint(0, 23)}:{rng.randint(0, 59):02d}",
            "--place", rng.choice(PLACES), "--name", "P"]
    choice = rng.random()
    if choice < 0.2:
        args.append("--dst")
    elif choice < 0.4:
        args.append("--no-dst")
    return args


def run(binary, args, cwd):
    p = subprocess.run([binary] + args, cwd=cwd, capture_output=True)
    return p.returncode, p.stdout, p.stderr


def without_keys(out, keys):
    """The --json text with the named members of the top object cut out, byte for byte otherwise."""
    for key in keys:
        start = out.find(b',\n  "' + key.encode() + b'": {')
        if start >= 0:
            out = out[:start] + out[out.index(b"\n  }", start) + 4:]
    return out


def main():
    args = sys.argv[1:]
    new_keys = []
    while args and args[0] == "--new-key":
        new_keys.append(args[1])
        args = args[2:]
    old, new = os.path.abspath(args[0]), os.path.abspath(args[1])
    count = int(args[2]) if len(args) > 2 else 1000
    rng = random.Random(int(args[3]) if len(args) > 3 else 21)
    failures = 0
    compared = 0
    births = [random_birth(rng) for _ in range(count)]
    with tempfile.TemporaryDirectory() as tmp:
        for i, birth in enumerate(births):
            for mode in ([], ["--json"], ["--report"], ["--rtf", "out.rtf", "--svg", "out.svg"]):
                results = []
                for binary, sub in ((old, "old"), (new, "new")):
                    d = os.path.join(tmp, sub)
                    os.makedirs(d, exist_ok=True)
                    for f in ("out.rtf", "out.svg"):
                        if os.path.exists(os.path.join(d, f)):
                            os.remove(os.path.join(d, f))
                    code, out, err = run(binary, birth + mode, d)
                    if binary == new and mode == ["--json"]:
                        out = without_keys(out, new_keys)
                    files = tuple(
                        open(os.path.join(d, f), "rb").read() if os.path.exists(os.path.join(d, f)) else None
                        for f in ("out.rtf", "out.svg"))
                    results.append((code, out, err, files))
                compared += 1
                if results[0] != results[1]:
                    failures += 1
                    if failures <= 10:
                        print("differs:", " ".join(birth + mode))
        # Births at places of the atlas, when there is one.
        if run(new, ["--places", "London"], tmp)[0] == 0:
            for _ in range(count // 10):
                birth = random_place_birth(rng)
                for mode in ([], ["--json"]):
                    outs = [run(b, birth + mode, tmp) for b in (old, new)]
                    if mode == ["--json"]:
                        outs[1] = (outs[1][0], without_keys(outs[1][1], new_keys), outs[1][2])
                    compared += 1
                    if outs[0] != outs[1]:
                        failures += 1
                        if failures <= 10:
                            print("differs:", " ".join(birth + mode))
        # The batch mode on the same births, as a CSV file.
        rows = ["name,date,time,zone,dst,lon,lat"]
        for b in births:
            opt = dict(zip(b[0:12:2], b[1:12:2]))
            rows.append(",".join([
                '"' + opt["--name"].replace('"', '""') + '"', opt["--date"], opt["--time"], opt["--zone"],
                "true" if "--dst" in b else "false", opt["--lon"], opt["--lat"]]))
        csv = os.path.join(tmp, "births.csv")
        with open(csv, "w", encoding="utf-8") as f:
            f.write("\n".join(rows) + "\n")
        for mode in ([], ["--paragraphs"], ["--node", "true", "--dasha-year", "360"], ["--format", "csv"],
                     ["--format", "csv", "--paragraphs"]):
            outs = [run(b, ["--batch", csv, "--jobs", "2", "--quiet"] + mode, tmp) for b in (old, new)]
            compared += 1
            if outs[0] != outs[1]:
                failures += 1
                print("batch differs:", " ".join(mode))
    print(f"{compared} outputs compared ({count} births), {failures} differ")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
