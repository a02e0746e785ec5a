#!/usr/bin/python3
"""Normalise the value column of a parts catalogue with Dask.

A catalogue is a CSV table with the columns `ref` (a designator: R12, C3),
`type` (resistor, capacitor, inductor) and `value` as people typed it ('4k7',
'4.7 kohm', '100nF', '2u2'). Each partition is read with one call of
tarvil.read_many per part type, which releases the GIL, so Dask's threads
read partitions in parallel; on a cluster the same graph runs on the
workers. Three columns are added:

    value_base   the value in its base unit (ohms, farads, henrys); NaN when refused
    value_text   the value written back in SI notation ('4.7kohms'); '' when refused
    value_error  why the value was refused (the library's message); '' when read

    parts_catalogue.py parts.csv [--out normalised.csv] [--partitions 8]
                       [--notation any] [--scheduler tcp://host:8786]
"""

import argparse
import sys

import dask.dataframe as dd
import numpy as np
import pandas as pd

import tarvil

QUANTITY_OF_TYPE = {"resistor": "resistance", "capacitor": "capacitance", "inductor": "inductance"}


def normalise_partition(part: pd.DataFrame, notation: str = "any") -> pd.DataFrame:
    """One partition with the three value columns added; unknown types are refused."""
    base = np.full(len(part), np.nan)
    text = np.full(len(part), "", dtype=object)
    error = np.full(len(part), "unknown part type", dtype=object)
    values = part["value"].astype(str).to_numpy()
    types = part["type"].to_numpy()
    for kind, quantity in QUANTITY_OF_TYPE.items():
        rows = np.flatnonzero(types == kind)
        if len(rows) == 0:
            continue
        read, errors = tarvil.read_many(values[rows].tolist(), quantity, notation)
        for row, value, refusal in zip(rows, read, errors):
            base[row] = value
            text[row] = "" if refusal else tarvil.write(value, quantity, "si")
            error[row] = str(refusal) if refusal else ""
    return part.assign(value_base=base, value_text=text, value_error=error)


def normalise(parts: dd.DataFrame, notation: str = "any") -> dd.DataFrame:
    """The catalogue with the value columns added, partition by partition."""
    meta = normalise_partition(parts._meta, notation)
    return parts.map_partitions(normalise_partition, notation, meta=meta)


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("catalogue", help="CSV file with the columns ref, type, value")
    parser.add_argument("--out", help="where to write the normalised table (default: standard output)")
    parser.add_argument("--partitions", type=int, default=8, help="partitions of the table")
    parser.add_argument("--notation", default="any", help="notation of the values (default: any)")
    parser.add_argument("--scheduler", help="address of a Dask scheduler to run on (dask.distributed)")
    args = parser.parse_args(argv)

    client = None
    if args.scheduler:
        from dask.distributed import Client  # needs python3-distributed

        client = Client(args.scheduler)
    try:
        parts = dd.read_csv(args.catalogue, dtype=str, keep_default_na=False)
        parts = parts.repartition(npartitions=args.partitions)
        table = normalise(parts, args.notation).compute()
    finally:
        if client is not None:
            client.close()
    table = table.sort_values("ref", key=lambda refs: refs.map(tarvil.natural_key))
    table.to_csv(args.out if args.out else sys.stdout, index=False)
    sys.stdout.flush()
    refused = int((table["value_error"] != "").sum())
    print(f"{len(table)} parts, {refused} values refused", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
