"""tarvil.read_bom: the export shapes of tests/data/bom give the rows of
tests/data/bom/rows.txt, the table the C++ reader and the command are
checked against too; file objects, options and refusals."""
import io
import os

import pytest

import tarvil

DATA = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "data", "bom")


def shortest(value):
    text = repr(value)
    return text[:-2] if text.endswith(".0") else text


def line(file, row):
    coded = row.status == "ambiguous" or (row.status == "refused" and row.fault is None)
    value = "" if row.value is None else shortest(row.value)
    return "|".join([file, str(row.row), str(row.line), row.reference, row.status, value,
                     str(int(row.error)) if coded else ""])


def table():
    rows = {}
    with open(os.path.join(DATA, "rows.txt"), encoding="utf-8") as f:
        for text in f.read().splitlines():
            if text and not text.startswith("#"):
                rows.setdefault(text.split("|")[0], []).append(text)
    return rows


@pytest.mark.parametrize("file,rows", sorted(table().items()))
def test_export_shapes_give_the_rows_of_the_table(file, rows):
    path = os.path.join(DATA, file)
    assert [line(file, r) for r in tarvil.read_bom(path)] == rows
    with open(path, "rb") as binary:
        assert [line(file, r) for r in tarvil.read_bom(binary)] == rows


def test_rows_carry_fields_reasons_and_options():
    text = "Ref,Value,Note\nQ1,3V3,x\nC1,10,y\nRC1,1k,\"a\"b\n"
    rows = list(tarvil.read_bom(io.StringIO(text), prefixes={"q": "voltage"}, bare_unit="uF"))
    assert [(r.reference, r.status, r.value, r.quantity) for r in rows] == [
        ("Q1", "read", 3.3, tarvil.Quantity.voltage),
        ("C1", "read", 1e-05, tarvil.Quantity.capacitance),
        ("RC1", "refused", None, None)]
    assert rows[0].fields == ("Q1", "3V3", "x") and rows[0].fitted and rows[0].error == tarvil.Error.none
    assert (rows[2].fault, rows[2].message) == ("character_after_quote", "character after a closing quote")
    dnp, skipped = tarvil.read_bom(io.BytesIO(b"Ref,Value\nC1,DNP\nY1,16MHz\n"))
    assert (dnp.status, dnp.fitted, dnp.value) == ("not-fitted", False, None)
    assert (skipped.skip, skipped.message) == ("no_kind", "prefix Y has no kind")


def test_refusals_raise():
    with pytest.raises(FileNotFoundError):
        tarvil.read_bom(os.path.join(DATA, "none.csv"))
    with pytest.raises(IsADirectoryError):
        tarvil.read_bom(DATA)
    with pytest.raises(ValueError, match='no value column .* "Ref;Qty"'):
        list(tarvil.read_bom(io.BytesIO(b"Ref;Qty\nR1;1\n")))
    with pytest.raises(TypeError):
        tarvil.read_bom(42)


@pytest.mark.parametrize("file", sorted(table()))
def test_each_row_is_read_part_of_its_value_field(file):
    # A row's reading is read_part of its value field as its quantity.
    for row in tarvil.read_bom(os.path.join(DATA, file)):
        if row.status not in ("read", "not-fitted"):
            continue
        part = tarvil.read_part(row.value_field, row.quantity)
        assert (row.value if row.has_value else 0.0, row.has_value, row.fitted, row.tolerance,
                row.voltage, row.current, row.power, row.dielectric, row.package, row.rest) == \
            (part.value, part.has_value, part.fitted, part.tolerance, part.voltage, part.current,
             part.power, part.dielectric, part.package, part.rest), (file, row.row)
