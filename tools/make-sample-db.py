#!/usr/bin/env python3
"""Makes the component databases the program ships with.

    make-sample-db.py --schema database/schema/Skeleton.sql --out Skeleton.sqlite
        an empty database: every table of the schema, no rows.
    make-sample-db.py --schema ... --data database/sample/sample_data.py --out Sample.sqlite
        the same tables filled with the sample components.

The file is written beside its target under a temporary name and renamed
only when complete, so a failed run never leaves a half-made database behind.
"""
import argparse
import importlib.util
import os
import sqlite3
import struct
import sys


def single(value):
    """The value a single-precision column holds: the program reads and writes
    these columns as 32-bit floats, so the file keeps float-exact numbers."""
    return struct.unpack("<f", struct.pack("<f", float(value)))[0]


def load_data(path):
    # The data module lives in the source tree: leave no compiled copy there.
    sys.dont_write_bytecode = True
    spec = importlib.util.spec_from_file_location("sample_data", path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def column_info(db, table):
    """{name: (declared type, width or None)} of a table, in column order."""
    info = {}
    for _, name, decl, _, _, _ in db.execute("PRAGMA table_info([%s])" % table):
        width = None
        if decl.upper().startswith("VARCHAR("):
            width = int(decl[8:-1])
        info[name] = (decl.upper(), width)
    return info


class Writer:
    def __init__(self, db):
        self.db = db
        self.columns = {}

    def insert(self, table, row, exact_reals=False, padded=False):
        """Inserts one row; texts are checked against their widths, reals
        rounded to single precision unless exact_reals. With padded, every
        text column (one the row leaves out too) is filled up with blanks to
        its width. Returns the new row's rowid."""
        if table not in self.columns:
            self.columns[table] = column_info(self.db, table)
        info = self.columns[table]
        if padded:
            row = dict(row)
            for name, (decl, width) in info.items():
                if width is not None:
                    row[name] = str(row.get(name, "")).ljust(width)
        names, values = [], []
        for name, value in row.items():
            if name not in info:
                raise SystemExit("%s has no column [%s]" % (table, name))
            decl, width = info[name]
            if width is not None:
                value = str(value)
                if len(value) > width:
                    raise SystemExit("%s [%s] is wider than %d: %r" % (table, name, width, value))
            elif decl == "REAL":
                value = float(value) if exact_reals else single(value)
            elif decl in ("INTEGER", "TINYINT"):
                if value != int(value):
                    raise SystemExit("%s [%s] is not whole: %r" % (table, name, value))
                value = int(value)
            names.append("[%s]" % name)
            values.append(value)
        sql = "INSERT INTO [%s] (%s) VALUES (%s)" % (
            table, ", ".join(names), ", ".join("?" * len(values)))
        return self.db.execute(sql, values).lastrowid


def fill(db, data):
    w = Writer(db)
    for row in data.SUPPLIERS:
        desc, code, base, a, b, c, d = row
        w.insert("Suppliers", {"Description": desc, "Code": code.ljust(4), "Base Price": base,
                               "Multiplier A": a, "Multiplier B": b, "Multiplier C": c,
                               "Multiplier D": d})
    for key, name in data.SYMBOLS:
        w.insert("Symbols", {"Key": key, "Name": name})
    for row in data.PIPE_TYPES:
        names = ["Type", "Gender", "Connection", "Fitting1", "Fitting2", "Fitting3",
                 "Fitting4", "Fitting5", "Bend Angle", "Extra Allowance", "Rounding",
                 "Roll Length"]
        w.insert("PipeTable", dict(zip(names, row)))
    # A nominal size is looked up by its number rounded to four decimals
    # compared with the column as stored, so each column holds a number of at
    # most four decimals exactly as written (0.025, not the single nearest to
    # it), or sizes given in metres or feet would never be found.
    for mm, inches in data.NOMINAL_SIZES:
        w.insert("Nominal Conversions", {"NominalMM": mm, "NominalInches": inches,
                                         "NominalMetres": round(mm / 1000.0, 4),
                                         "NominalFeet": round(inches / 12.0, 4)},
                 exact_reals=True)
    for index, title, file_name in data.DOCUMENTS:
        w.insert("Documents", {"Document Index": index, "Title": title,
                               "File Name": file_name})

    # Components first, keeping each one's key by its warehouse code.
    keys, by_code = {}, {}
    extras = ("tape", "nozzles", "items")
    for row in data.COMPONENTS:
        code = row["Warehouse Code"]
        if code in keys:
            raise SystemExit("warehouse code %s is used twice" % code)
        columns = {k: v for k, v in row.items() if k not in extras}
        # The program stores every text of a component padded with blanks to
        # its column's width: the sample is stored the same way.
        keys[code] = w.insert("Components", columns, padded=True)
        by_code[code] = row

    for row in data.COMPONENTS:
        key = keys[row["Warehouse Code"]]
        if "tape" in row:
            tape = dict(row["tape"])
            tape["Pipe Key"] = key
            w.insert("Tapes", tape)
        for nozzle in row.get("nozzles", ()):
            w.insert("Nozzles", {"Emitter Key": key, "Nozzle Key": keys[nozzle]})

    # Assemblies in the order they are defined, so that an assembly held by
    # another one has its cost before the outer one is summed.
    for row in data.COMPONENTS:
        if "items" not in row:
            continue
        key = keys[row["Warehouse Code"]]
        cost = price = single(0.0)
        for item, number in row["items"]:
            if item not in keys:
                raise SystemExit("assembly %s names no component %s" % (row["Warehouse Code"], item))
            w.insert("Assemblies", {"Assembly Key": key, "Item Key": keys[item],
                                    "Number/Length": number})
            stored = db.execute("SELECT [Reals7], [Reals8] FROM [Components] "
                                "WHERE [Component Key] = ?", (keys[item],)).fetchone()
            cost = single(cost + single(number) * stored[0])
            price = single(price + single(number) * stored[1])
        db.execute("UPDATE [Components] SET [Reals7] = ?, [Reals8] = ? "
                   "WHERE [Component Key] = ?", (cost, price, key))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--schema", required=True, help="SQL script of the tables")
    parser.add_argument("--data", help="sample data module; none makes an empty database")
    parser.add_argument("--out", required=True, help="database file to write")
    args = parser.parse_args()

    with open(args.schema, encoding="utf-8") as f:
        schema = f.read()
    data = load_data(args.data) if args.data else None

    out_dir = os.path.dirname(os.path.abspath(args.out))
    os.makedirs(out_dir, exist_ok=True)
    temp = args.out + ".tmp"
    if os.path.exists(temp):
        os.remove(temp)
    db = sqlite3.connect(temp)
    try:
        db.executescript(schema)
        if data is not None:
            with db:
                fill(db, data)
        db.execute("VACUUM")
    finally:
        db.close()
    os.replace(temp, args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
