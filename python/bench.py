#!/usr/bin/python3
"""Benchmarks of the Python module, printed as rows of bench/README.md's table:
operation, library ns/op, baseline ns/op, ratio, target, met.

    PYTHONPATH=build/plain/python /usr/bin/python3 python/bench.py [--readme]

Each benchmark runs REPEATS times, the library's operation and its baseline
interleaved; the table takes the fastest CPU time of each (wall time for the
threads), in ns per value or per designator. --readme also writes the table into bench/README.md between
its Python markers. Needs python3-natsort for the sort baseline.
"""

import argparse
import datetime
import decimal
import os
import pathlib
import platform
import random
import re
import threading
import time

import natsort

import tarvil

VALUES = 100_000
CALL = 10_000
DESIGNATORS = 200_000
REPEATS = 7
PREFIXES = ["", "k", "M", "m", "u", "n", "p"]
EXPONENTS = {"": 0, "k": 3, "M": 6, "m": -3, "u": -6, "n": -9, "p": -12}


def notation_in_use():
    """'any' where its reader is present, 'si' where it refuses every text."""
    try:
        tarvil.read("4k7", "resistance")
        return "any"
    except tarvil.ReadError:
        return "si"


def values(count, seed=11):
    """Numbers as users type them (one to four significant digits, with and
    without a prefix, some signed: '4.7k', '-220m') and the same numbers
    written plainly as decimals ('4700', '-0.22')."""
    rng = random.Random(seed)
    typed, plain = [], []
    for _ in range(count):
        digits = rng.randint(1, 4)
        mantissa = rng.randint(10 ** (digits - 1), 10 ** digits - 1)
        point = rng.randint(0, digits - 1)
        prefix = rng.choice(PREFIXES)
        sign = "-" if rng.random() < 0.1 else ""
        text = str(mantissa)
        number = text[:digits - point] + ("." + text[digits - point:] if point else "")
        typed.append(sign + number + prefix)
        exact = decimal.Decimal(sign + number).scaleb(EXPONENTS[prefix])
        plain.append(format(exact, "f"))
    return typed, plain


def designators(count, seed=17):
    """Shuffled designators as a board's parts list has them: 'R1' ... 'U999A'."""
    rng = random.Random(seed)
    prefixes = ["R"] * 4 + ["C"] * 3 + ["U"] * 2 + ["L", "D", "Q", "J", "TP", "FB", "SW", "Y", "F"]
    out = []
    for _ in range(count):
        digits = rng.randint(1, 4)
        number = rng.randint(1 if digits == 1 else 10 ** (digits - 1), 10 ** digits - 1)
        out.append(rng.choice(prefixes) + str(number) + ("A" if rng.random() < 0.05 else ""))
    return out


def fastest(*calls, clock=time.process_time):
    """The fastest time of each call over REPEATS interleaved rounds: CPU time
    (the machine may be shared), or wall time for work spread over threads."""
    best = [float("inf")] * len(calls)
    for _ in range(REPEATS):
        for i, call in enumerate(calls):
            start = clock()
            call()
            best[i] = min(best[i], clock() - start)
    return best


def in_threads(call, count):
    threads = [threading.Thread(target=call) for _ in range(count)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()


def run():
    notation = notation_in_use()
    typed, plain = values(VALUES)
    refs = designators(DESIGNATORS)
    rows = []

    def row(operation, library, baseline, count, target=None, limit=None, strict=True):
        ratio = library / baseline
        met = "" if limit is None else ("yes" if (ratio < limit if strict else ratio <= limit) else "NO")
        rows.append((operation, library * 1e9 / count, baseline * 1e9 / count, ratio,
                     target or "", met))

    read_each = lambda: [tarvil.read(t, "number", notation) for t in typed]  # noqa: E731
    floats = lambda: [float(t) for t in plain]  # noqa: E731
    lib, base = fastest(read_each, floats)
    row(f"read ({notation}) on 100,000 values vs float() on the plain numbers", lib, base, VALUES)
    lib, base = fastest(lambda: tarvil.read_many(typed, "number", notation), floats)
    row(f"read_many ({notation}) on 100,000 values vs float() on the plain numbers", lib, base,
        VALUES)
    lib, base = fastest(lambda: tarvil.read_many(plain, "number", notation), floats)
    row(f"read_many ({notation}) on 100,000 plain numbers vs float() on them", lib, base, VALUES,
        "ratio < 1", 1)

    # Calls of 10,000 texts, as a table's column arrives.
    chunks = [plain[i:i + CALL] for i in range(0, VALUES, CALL)]
    floats_by_call = lambda: [[float(t) for t in c] for c in chunks]  # noqa: E731
    lib, base = fastest(lambda: [tarvil.read_many(c, "number", notation) for c in chunks],
                        floats_by_call)
    row(f"read_many ({notation}), lists, 10,000 plain numbers a call vs float() on them", lib,
        base, VALUES, "ratio <= 0.6", 0.6, strict=False)
    lib, base = fastest(
        lambda: [tarvil.read_many(c, "number", notation, out="array") for c in chunks],
        floats_by_call)
    row(f"read_many ({notation}, out='array'), 10,000 plain numbers a call vs float() on them",
        lib, base, VALUES, "ratio <= 0.3", 0.3, strict=False)

    lib, base = fastest(lambda: sorted(refs, key=tarvil.natural_key),
                        lambda: natsort.natsorted(refs))
    row("sort 200,000 designators: sorted(key=natural_key) vs natsort.natsorted", lib, base,
        DESIGNATORS, "ratio < 1", 1)

    def read_all():
        tarvil.read_many(typed, "number", notation)

    def in_turn():
        for _ in range(4):
            read_all()

    lib, base = fastest(lambda: in_threads(read_all, 4), in_turn, clock=time.perf_counter)
    row(f"read_many ({notation}) 4 threads vs 4 calls in turn ({os.cpu_count()} CPUs)", lib, base,
        4 * VALUES, "ratio <= 0.7", 0.7, strict=False)

    def read_all_arrays():
        tarvil.read_many(typed, "number", notation, out="array")

    def arrays_in_turn():
        for _ in range(4):
            read_all_arrays()

    lib, base = fastest(lambda: in_threads(read_all_arrays, 4), arrays_in_turn,
                        clock=time.perf_counter)
    row(f"read_many ({notation}, out='array') 4 threads vs 4 calls in turn ({os.cpu_count()} CPUs)",
        lib, base, 4 * VALUES, "ratio <= 0.7", 0.7, strict=False)

    lines = ["| operation | library ns/op | baseline ns/op | ratio | target | met |",
             "|---|---:|---:|---:|---|---|"]
    for operation, library, baseline, ratio, target, met in rows:
        lines.append(f"| {operation} | {library:.1f} | {baseline:.1f} | {ratio:.2f} | {target} | {met} |")
    lines.append("")
    lines.append(f"Python {platform.python_version()}, {os.cpu_count()} logical CPUs: fastest of "
                 f"{REPEATS} interleaved repetitions, CPU time per value or designator (wall time "
                 "for the threads).")
    if notation != "any":
        lines.append("The any reader was not present in this build: the rows read in SI notation.")
    missed = sum(1 for r in rows if r[5] == "NO")
    if missed:
        lines.append(f"{missed} target(s) missed.")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--readme", action="store_true", help="also write the table into bench/README.md")
    args = parser.parse_args()
    table = run()
    print(table)
    if args.readme:
        readme = pathlib.Path(__file__).resolve().parents[1] / "bench" / "README.md"
        stamp = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d")
        text = readme.read_text()
        text, found = re.subn(r"(<!-- python run -->\n).*?(<!-- end of python run -->)",
                              lambda m: f"{m.group(1)}Run of {stamp}.\n\n{table}\n{m.group(2)}",
                              text, flags=re.S)
        if not found:
            raise SystemExit("bench/README.md has no Python markers")
        readme.write_text(text)
        print("bench/README.md updated.")


if __name__ == "__main__":
    main()
