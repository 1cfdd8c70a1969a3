# The components of the sample component database.
#
# Plain data, read by tools/make-sample-db.py. Stored units: diameters in mm,
# pressures in metres of head, valve/pump/hydraulic flows in m3/h, outlet
# flows in l/h, angles in degrees, lengths in m, line prices per metre.
#
# A component is a dict of Components columns; a column it leaves out takes
# the schema's default. Rows of other tables name components by their
# [Warehouse Code]; the tool turns those codes into keys.
#
# Curve coefficients follow the curves the editors fit:
#   valve / hydraulic item  head loss h = K * Q^n + C   (m, Q in m3/h)
#   pump                    head H = A * Q^2 + B * Q + C (m, Q in m3/h)
#   nozzle                  flow q = K * H^n (l/h), radius R = K * H^n (m)
#   tape emitter            q = K * H^x (l/h), H in m


def rgb(r, g, b):
    return r | (g << 8) | (b << 16)


BLACK = rgb(0, 0, 0)
BLUE = rgb(0, 0, 255)
NAVY = rgb(0, 0, 128)
GREEN = rgb(0, 160, 0)
DARK_GREEN = rgb(0, 100, 0)
RED = rgb(220, 0, 0)
MAROON = rgb(128, 0, 0)
PURPLE = rgb(128, 0, 128)
TEAL = rgb(0, 128, 128)
ORANGE = rgb(255, 128, 0)
BROWN = rgb(150, 90, 30)
GREY = rgb(128, 128, 128)
YELLOW = rgb(230, 200, 0)

# ---------------------------------------------------------------- suppliers
# [Description], [Code], [Base Price], [Multiplier A..D]
SUPPLIERS = [
    ("Harrowdale Irrigation Supplies", "HIS", "R", 1.0, 0.92, 0.88, 0.85),
    ("Westmere Pipe & Fittings", "WPF", "R", 1.0, 0.95, 0.9, 0.87),
    ("Calder Pumps", "CALP", "W", 1.35, 1.25, 1.2, 1.15),
    ("Brightwater Sprinkler Co", "BSC", "R", 1.0, 0.9, 0.85, 0.8),
    ("Orchard Electrical", "ORCH", "W", 1.4, 1.3, 1.25, 1.2),
    ("Stonebridge Valves", "STV", "R", 1.0, 0.93, 0.9, 0.86),
    ("Tamar Drip Systems", "TDS", "R", 1.0, 0.9, 0.87, 0.83),
    ("General stock", "GEN", "R", 1.0, 1.0, 1.0, 1.0),
]

# ---------------------------------------------------------------- symbols
SYMBOLS = [
    (1, "Blank"), (2, "Solenoid Valve"), (3, "Gate Valve"), (4, "Ball Valve"),
    (5, "Check Valve"), (6, "Pressure Reducing Valve"), (7, "Air Valve"),
    (8, "Filter"), (9, "Water Meter"), (10, "Backflow Preventer"),
    (11, "Injector"), (12, "Pump"), (13, "Spray Head"), (14, "Rotor"),
    (15, "Impact Sprinkler"), (16, "Micro Sprinkler"), (17, "Dripper"),
    (18, "Quick Coupler"), (19, "Demand Point"), (20, "Riser"),
    (21, "Swing Joint"), (22, "Controller"), (23, "Transformer"),
    (24, "Rain Sensor"), (25, "Garden Light"), (26, "Flood Light"),
    (27, "Nozzle"), (28, "Gardener's Tap"), (29, "Valve Box"),
    (30, "Junction Box"),
]
SYMBOL_KEY = {name: key for key, name in SYMBOLS}

# ---------------------------------------------------------------- pipe types
# [Type], [Gender], [Connection], [Fitting1..5], [Bend Angle],
# [Extra Allowance], [Rounding], [Roll Length]
PIPE_TYPES = [
    ("PVC9", "F", "SOLV", "SOLV", "SOLV", "SOLV", "SOLV", "RRJ", 90.0, 0.05, 6.0, 6.0),
    ("PVC12", "F", "SOLV", "SOLV", "SOLV", "SOLV", "SOLV", "RRJ", 90.0, 0.05, 6.0, 6.0),
    ("PVC18", "F", "SOLV", "SOLV", "SOLV", "SOLV", "SOLV", "RRJ", 90.0, 0.05, 6.0, 6.0),
    ("PE6", "M", "COMP", "COMP", "COMP", "COMP", "BARB", "BSPT", 0.0, 0.03, 50.0, 100.0),
    ("PE10", "M", "COMP", "COMP", "COMP", "COMP", "BARB", "BSPT", 0.0, 0.03, 50.0, 100.0),
    ("PE16", "M", "COMP", "COMP", "COMP", "COMP", "ELEC", "BSPT", 0.0, 0.03, 50.0, 100.0),
    ("LDPE", "M", "BARB", "BARB", "BARB", "BARB", "BARB", "", 0.0, 0.02, 100.0, 200.0),
    ("DRIP", "M", "BARB", "BARB", "BARB", "BARB", "BARB", "", 0.0, 0.02, 100.0, 400.0),
    ("LAYF", "F", "CAMF", "CAMF", "CAMF", "", "", "", 0.0, 0.02, 25.0, 100.0),
]

# ------------------------------------------------------- nominal conversions
# The same size in mm, inches, metres and feet.
NOMINAL_SIZES = [
    (15, 0.5), (20, 0.75), (25, 1.0), (32, 1.25), (40, 1.5), (50, 2.0),
    (65, 2.5), (80, 3.0), (100, 4.0), (125, 5.0), (150, 6.0), (200, 8.0),
    (250, 10.0), (300, 12.0),
]

# ---------------------------------------------------------------- documents
DOCUMENTS = [
    (1, "Pump curves", "Docs\\PumpCurves.pdf"),
    (2, "Sprinkler performance tables", "Docs\\SprinklerTables.pdf"),
    (3, "Drip line installation guide", "Docs\\DripInstall.pdf"),
    (4, "Valve head-loss charts", "Docs\\ValveCharts.pdf"),
]


def label(text):
    """[Major2] and [Minor2] of a label of at most 12 characters."""
    text = text[:12].ljust(12)
    return {"Major2": text[:6], "Minor2": text[6:]}


def conn(code, gender, suffix=" "):
    """A connection text of the editors' three parts, 4 + 1 + 1 characters."""
    return code[:4].ljust(4) + gender[:1].ljust(1) + suffix[:1].ljust(1)


def symbol(name, size, colour):
    return {"Symbol": 1, "Symbol File": SYMBOL_KEY[name], "Symbol Size": size,
            "Colour1": colour}


COMPONENTS = []


def add(db, desc, code, supplier, cost, price, **cols):
    row = {"Database Number": db, "Description": desc, "Warehouse Code": code,
           "Supplier Code": supplier.ljust(4), "Reals7": cost, "Reals8": price}
    usage = cols.pop("Usage", " ")
    row["Usage"] = usage.ljust(3)
    for k, v in cols.items():
        row[k.replace("_", " ")] = v
    COMPONENTS.append(row)
    return row


# ------------------------------------------------------------------- pipes
# (type, nominal, inside diameter, C, allowable pressure m, cost/m)
PVC_SIZES = [(40, 42.6), (50, 54.2), (65, 69.2), (80, 80.8), (100, 103.4),
             (125, 127.2), (150, 152.2), (200, 203.8), (250, 254.4), (300, 305.2)]
for pipe_type, bar, colour, wall in (("PVC9", 9, BLUE, 1.00),
                                     ("PVC12", 12, NAVY, 0.97),
                                     ("PVC18", 18, PURPLE, 0.93)):
    for nominal, inside in PVC_SIZES:
        if pipe_type == "PVC18" and nominal > 150:
            continue
        cost = round(nominal * nominal * 0.00042 * bar / 9 + 0.9, 2)
        add(1, "PVC Class %d %d mm" % (bar, nominal), "%s-%03d" % (pipe_type, nominal),
            "WPF", cost, round(cost * 1.45, 2), Usage="M",
            Major1=pipe_type.ljust(6), **label("PVC%d %dmm" % (bar, nominal)),
            Reals1=nominal, Reals2=round(inside * wall, 1), Reals3=150.0,
            Reals4=bar * 10.0, Linetype=0, Colour1=colour, Order=10000)

PE_SIZES = [(20, 16.0), (25, 20.4), (32, 26.2), (40, 32.6), (50, 40.8),
            (63, 51.4), (75, 61.4), (90, 73.6), (110, 90.0)]
for pipe_type, pn, colour, factor in (("PE6", 6, GREEN, 1.06), ("PE10", 10, DARK_GREEN, 1.0),
                                      ("PE16", 16, TEAL, 0.9)):
    for nominal, inside in PE_SIZES:
        if pipe_type == "PE6" and nominal > 63:
            continue
        cost = round(nominal * nominal * 0.00055 * (0.7 + pn / 20.0) + 0.35, 2)
        add(1, "Poly PN%d %d mm" % (pn, nominal), "%s-%03d" % (pipe_type, nominal),
            "HIS", cost, round(cost * 1.5, 2), Usage="L" if nominal <= 32 else "Z",
            Major1=pipe_type.ljust(6), **label("PN%d %dmm" % (pn, nominal)),
            Reals1=nominal, Reals2=round(inside * factor, 1), Reals3=140.0,
            Reals4=pn * 10.0, Linetype=1, Colour1=colour)

for nominal, inside, cost in ((13, 10.6, 0.28), (19, 15.8, 0.42), (25, 21.2, 0.61)):
    add(1, "Low density poly %d mm" % nominal, "LDPE-%03d" % nominal, "HIS",
        cost, round(cost * 1.6, 2), Usage="L", Major1="LDPE  ",
        **label("LD %dmm" % nominal), Reals1=nominal, Reals2=inside, Reals3=140.0,
        Reals4=40.0, Linetype=2, Colour1=BLACK)

for nominal, cost in ((50, 2.1), (80, 3.4), (100, 4.6), (150, 7.9)):
    add(1, "Layflat hose %d mm" % nominal, "LAYF-%03d" % nominal, "HIS",
        cost, round(cost * 1.4, 2), Usage="M", Major1="LAYF  ",
        **label("LAYF %d" % nominal), Reals1=nominal, Reals2=nominal, Reals3=130.0,
        Reals4=40.0, Linetype=3, Colour1=ORANGE)

# ------------------------------------------------------------------- tapes
# Drip lines: the Components row (Flags 2) and its Tapes row.
# (nominal, inside, emitter l/h, spacing m, pressure compensating, wall)
TAPES = [
    (13, 11.4, 1.0, 0.2, False, "thin"), (13, 11.4, 1.6, 0.3, False, "thin"),
    (16, 13.8, 1.6, 0.3, False, "thin"), (16, 13.8, 2.0, 0.3, True, "heavy"),
    (16, 13.8, 2.0, 0.5, True, "heavy"), (16, 13.8, 4.0, 0.5, True, "heavy"),
    (16, 14.0, 1.0, 0.4, True, "heavy"), (16, 14.0, 2.0, 1.0, True, "heavy"),
    (20, 17.4, 2.0, 0.5, True, "heavy"), (20, 17.4, 4.0, 0.75, True, "heavy"),
    (20, 17.4, 8.0, 1.0, True, "heavy"), (25, 22.0, 4.0, 1.0, True, "heavy"),
    (16, 14.2, 2.3, 0.3, False, "thin"), (16, 13.8, 1.2, 0.2, True, "heavy"),
    (20, 17.6, 1.6, 0.4, False, "thin"), (16, 13.8, 3.5, 0.6, True, "heavy"),
]
for i, (nominal, inside, q, spacing, pc, wall) in enumerate(TAPES):
    code = "DRIP-%02d%s%03d-%03d" % (nominal, "P" if pc else "N", int(round(q * 10)),
                                     int(round(spacing * 100)))
    kind = "PC" if pc else "non-PC"
    desc = "Drip line %d mm %s %.1f l/h @ %.2f m" % (nominal, kind, q, spacing)
    cost = round(0.18 + nominal * 0.012 + (0.1 if pc else 0.0) + 0.05 / spacing, 2)
    row = add(1, desc, code, "TDS", cost, round(cost * 1.55, 2), Usage="L",
              Major1="DRIP  ", **label("%s%.1f/%.2f" % ("PC" if pc else "", q, spacing)),
              Reals1=nominal, Reals2=inside, Reals3=140.0,
              Reals4=40.0 if wall == "heavy" else 10.0,
              Rextra3=0.03 if pc else 0.05, Rextra4=5.0 if pc else 0.0,
              Linetype=4, Colour1=rgb(120, 60, 0) if pc else BROWN, Flags=2,
              Document_Index=3)
    # Emitter q = K * H^x at the default pressure of 10 m.
    x = 0.02 if pc else 0.5
    k = q / (10.0 ** x)
    row["tape"] = {
        "Flow Calc Type": "ITER" if i % 3 != 2 else "    ",
        "Reals1": round(k, 4), "Reals2": x,
        "Reals3": 0.18 if wall == "thin" else 0.24,
        "Reals4": spacing if i % 3 != 2 else round(1.0 / spacing, 3),
        "Reals5": 10.0, "Reals6": round(q / spacing, 3),
        "Rextra1": 5.0 if pc else 2.0, "Rextra2": 40.0 if wall == "heavy" else 10.0,
        "Rextra3": 10.0, "Rextra4": 10.0,
    }

# ------------------------------------------------------------------- valves
# (description, code, size, K, n, C, min flow, max flow, cost, symbol)
VALVES = [
    ("Solenoid valve 20 mm", "SV-020", 20, 0.197, 1.85, 0.8, 0.1, 4.5, 38.0, "Solenoid Valve"),
    ("Solenoid valve 25 mm", "SV-025", 25, 0.09, 1.85, 0.7, 0.2, 7.0, 44.0, "Solenoid Valve"),
    ("Solenoid valve 40 mm", "SV-040", 40, 0.0147, 1.85, 0.9, 1.0, 18.0, 128.0, "Solenoid Valve"),
    ("Solenoid valve 50 mm", "SV-050", 50, 0.0056, 1.85, 1.0, 2.0, 30.0, 165.0, "Solenoid Valve"),
    ("Solenoid valve 80 mm", "SV-080", 80, 0.00112, 1.85, 1.1, 5.0, 70.0, 410.0, "Solenoid Valve"),
    ("Gate valve 25 mm", "GV-025", 25, 0.012, 2.0, 0.0, 0.0, 8.0, 18.5, "Gate Valve"),
    ("Gate valve 50 mm", "GV-050", 50, 0.0009, 2.0, 0.0, 0.0, 32.0, 46.0, "Gate Valve"),
    ("Gate valve 80 mm", "GV-080", 80, 0.00015, 2.0, 0.0, 0.0, 80.0, 96.0, "Gate Valve"),
    ("Gate valve 100 mm", "GV-100", 100, 0.00006, 2.0, 0.0, 0.0, 130.0, 160.0, "Gate Valve"),
    ("Ball valve 20 mm", "BV-020", 20, 0.021, 2.0, 0.0, 0.0, 4.5, 9.8, "Ball Valve"),
    ("Ball valve 25 mm", "BV-025", 25, 0.0085, 2.0, 0.0, 0.0, 7.5, 12.4, "Ball Valve"),
    ("Ball valve 40 mm", "BV-040", 40, 0.0013, 2.0, 0.0, 0.0, 18.0, 26.0, "Ball Valve"),
    ("Ball valve 50 mm", "BV-050", 50, 0.00055, 2.0, 0.0, 0.0, 30.0, 38.0, "Ball Valve"),
    ("Check valve 25 mm", "CV-025", 25, 0.035, 1.9, 0.3, 0.3, 7.0, 16.0, "Check Valve"),
    ("Check valve 50 mm", "CV-050", 50, 0.0028, 1.9, 0.3, 1.0, 30.0, 54.0, "Check Valve"),
    ("Check valve 80 mm", "CV-080", 80, 0.00045, 1.9, 0.3, 3.0, 75.0, 118.0, "Check Valve"),
    ("Pressure reducing valve 25 mm", "PRV-025", 25, 0.05, 1.8, 3.0, 0.2, 6.0, 96.0, "Pressure Reducing Valve"),
    ("Pressure reducing valve 50 mm", "PRV-050", 50, 0.0046, 1.8, 3.0, 1.0, 25.0, 240.0, "Pressure Reducing Valve"),
    ("Master valve 50 mm normally closed", "MV-050", 50, 0.0052, 1.85, 1.2, 2.0, 30.0, 210.0, "Solenoid Valve"),
    ("Anti-siphon valve 25 mm", "ASV-025", 25, 0.113, 1.85, 0.9, 0.2, 6.0, 62.0, "Solenoid Valve"),
]
for desc, code, size, k, n, c, qmin, qmax, cost, sym in VALVES:
    thread = "BSPT" if size <= 50 else "FLNG"
    add(2, desc, code, "STV", cost, round(cost * 1.4, 2),
        Major1=conn(thread, "F"), Minor1=conn(thread, "F"),
        **label(code.replace("-", " ")), Reals1=size, Reals2=size, Reals3=k,
        Reals4=n, Reals5=c, Rextra1=qmin, Rextra2=qmax,
        **symbol(sym, 0.6 if size <= 40 else 0.9, RED), Document_Index=4)

# ------------------------------------------------------- hydraulic items
# (description, code, item type, size, K, n, C, min flow, max flow, cost, symbol)
HYDRAULICS = [
    ("Disc filter 25 mm 120 mesh", "FLT-D025", "FLT", 25, 0.045, 1.9, 0.2, 0.5, 6.0, 58.0, "Filter"),
    ("Disc filter 40 mm 120 mesh", "FLT-D040", "FLT", 40, 0.011, 1.9, 0.2, 1.0, 14.0, 112.0, "Filter"),
    ("Screen filter 50 mm 150 mesh", "FLT-S050", "FLT", 50, 0.0052, 1.9, 0.3, 2.0, 25.0, 185.0, "Filter"),
    ("Screen filter 80 mm 150 mesh", "FLT-S080", "FLT", 80, 0.0011, 1.9, 0.3, 5.0, 50.0, 390.0, "Filter"),
    ("Sand filter 100 mm twin tank", "FLT-M100", "FLT", 100, 0.00062, 1.8, 1.5, 10.0, 80.0, 2650.0, "Filter"),
    ("Water meter 25 mm", "WM-025", "MTR", 25, 0.032, 2.0, 0.0, 0.1, 7.0, 85.0, "Water Meter"),
    ("Water meter 50 mm", "WM-050", "MTR", 50, 0.0021, 2.0, 0.0, 0.5, 30.0, 310.0, "Water Meter"),
    ("Water meter 80 mm", "WM-080", "MTR", 80, 0.00038, 2.0, 0.0, 1.5, 80.0, 620.0, "Water Meter"),
    ("Backflow preventer RPZ 25 mm", "BFP-025", "BFP", 25, 0.11, 1.7, 6.5, 0.2, 7.0, 420.0, "Backflow Preventer"),
    ("Backflow preventer RPZ 50 mm", "BFP-050", "BFP", 50, 0.0095, 1.7, 7.0, 1.0, 28.0, 1150.0, "Backflow Preventer"),
    ("Double check valve 25 mm", "DCV-025", "BFP", 25, 0.06, 1.8, 2.5, 0.2, 7.0, 180.0, "Backflow Preventer"),
    ("Venturi injector 25 mm", "INJ-025", "INJ", 25, 0.52, 1.6, 1.0, 0.5, 3.5, 140.0, "Injector"),
    ("Fertiliser dosing pump 40 mm", "INJ-040", "INJ", 40, 0.018, 1.8, 0.4, 1.0, 12.0, 960.0, "Injector"),
    ("Air release valve 25 mm", "AIR-025", "AIR", 25, 0.0, 1.0, 0.0, 0.0, 0.0, 48.0, "Air Valve"),
    ("Flush valve 16 mm automatic", "FLV-016", "FLV", 16, 0.0, 1.0, 0.0, 0.0, 0.0, 6.5, "Air Valve"),
    ("Pressure regulator 20 mm 1.5 bar", "PR-020", "PRG", 20, 0.14, 1.85, 0.5, 0.1, 3.0, 14.0, "Pressure Reducing Valve"),
]
for desc, code, itype, size, k, n, c, qmin, qmax, cost, sym in HYDRAULICS:
    thread = "BSPT" if size <= 50 else "FLNG"
    add(3, desc, code, "STV" if itype in ("BFP", "MTR") else "HIS", cost,
        round(cost * 1.35, 2), Major1=conn(thread, "F"), Minor1=conn(thread, "F"),
        **label(code.replace("-", " ")), Reals1=size, Reals2=size, Reals3=k, Reals4=n,
        Reals5=c, Rextra1=qmin, Rextra2=qmax, Item_Type=itype,
        **symbol(sym, 0.7, MAROON))

# ------------------------------------------------------ lateral take offs
for submain, lateral, ptype, minor, cost in (
        (40, 13, "PE10", conn("BARB", "M"), 0.85), (50, 13, "PE10", conn("BARB", "M"), 0.9),
        (50, 16, "PE10", conn("BARB", "M"), 0.95), (63, 16, "PE10", conn("BARB", "M"), 1.1),
        (40, 16, "PVC9", conn("BARB", "M"), 1.2), (50, 20, "PVC9", conn("BARB", "M"), 1.4),
        (63, 20, "PE16", conn("COMP", "M"), 2.4), (90, 25, "PE16", conn("COMP", "M"), 3.1),
        (50, 16, "LAYF", conn("BARB", "M"), 0.7)):
    add(4, "Lateral take off %d mm to %d mm %s" % (submain, lateral, ptype.strip()),
        "LTO-%s%03d-%02d" % (ptype[:2], submain, lateral), "TDS", cost,
        round(cost * 1.6, 2), Major1=ptype.ljust(6), Minor1=minor,
        Reals1=submain, Reals2=lateral)

# ------------------------------------------------------------ fittings
# Couplers (6), elbows (7), tees (8), crosses (9).
for major, minor in ((20, 20), (25, 25), (32, 32), (40, 40), (50, 50), (63, 63),
                     (25, 20), (32, 25), (40, 32), (50, 40), (63, 50)):
    cost = round(0.9 + major * 0.07, 2)
    kind = "Coupler" if major == minor else "Reducing coupler"
    add(6, "%s poly %d x %d mm" % (kind, major, minor), "CPL-PE%03d%03d" % (major, minor),
        "HIS", cost, round(cost * 1.7, 2), Major1=conn("COMP", "F"),
        Minor1=conn("COMP", "F"), Reals1=major, Reals2=minor)
for major in (40, 50, 80, 100, 150):
    cost = round(0.6 + major * 0.04, 2)
    add(6, "Coupler PVC %d mm" % major, "CPL-PV%03d" % major, "WPF", cost,
        round(cost * 1.7, 2), Major1=conn("SOLV", "F"), Minor1=conn("SOLV", "F"),
        Reals1=major, Reals2=major)
for size, angle, conn_code, supplier in ((20, 90.0, "COMP", "HIS"), (25, 90.0, "COMP", "HIS"),
                                         (32, 90.0, "COMP", "HIS"), (50, 90.0, "COMP", "HIS"),
                                         (40, 90.0, "SOLV", "WPF"), (50, 90.0, "SOLV", "WPF"),
                                         (80, 90.0, "SOLV", "WPF"), (100, 90.0, "SOLV", "WPF"),
                                         (40, 45.0, "SOLV", "WPF"), (50, 45.0, "SOLV", "WPF"),
                                         (80, 45.0, "SOLV", "WPF"), (100, 22.5, "SOLV", "WPF"),
                                         (13, 90.0, "BARB", "TDS"), (16, 90.0, "BARB", "TDS"),
                                         (20, 90.0, "BSPT", "HIS"), (25, 90.0, "BSPT", "HIS")):
    cost = round(0.4 + size * 0.06 * (1.0 if angle >= 90 else 0.9), 2)
    add(7, "Elbow %g deg %s %d mm" % (angle, conn_code.lower(), size),
        "ELB-%s%03d-%02d" % (conn_code[:2], size, int(angle)), supplier, cost,
        round(cost * 1.7, 2), Major1=conn(conn_code, "F"), Minor1=conn(conn_code, "F"),
        Reals1=size, Reals2=angle, Reals3=size)
for major, minor, conn_code, supplier in ((20, 20, "COMP", "HIS"), (25, 25, "COMP", "HIS"),
                                          (32, 32, "COMP", "HIS"), (50, 50, "COMP", "HIS"),
                                          (32, 25, "COMP", "HIS"), (50, 25, "COMP", "HIS"),
                                          (40, 40, "SOLV", "WPF"), (50, 50, "SOLV", "WPF"),
                                          (80, 80, "SOLV", "WPF"), (100, 100, "SOLV", "WPF"),
                                          (80, 50, "SOLV", "WPF"), (100, 50, "SOLV", "WPF"),
                                          (13, 13, "BARB", "TDS"), (16, 16, "BARB", "TDS")):
    cost = round(0.8 + major * 0.09, 2)
    add(8, "Tee %s %d x %d mm" % (conn_code.lower(), major, minor),
        "TEE-%s%03d%03d" % (conn_code[:2], major, minor), supplier, cost,
        round(cost * 1.7, 2), Major1=conn(conn_code, "F"), Minor1=conn(conn_code, "F"),
        Reals1=major, Reals2=minor)
for major, minor, conn_code in ((25, 25, "COMP"), (50, 50, "SOLV"), (80, 80, "SOLV"),
                                (100, 50, "SOLV"), (16, 16, "BARB")):
    cost = round(1.2 + major * 0.12, 2)
    add(9, "Cross %s %d x %d mm" % (conn_code.lower(), major, minor),
        "CRS-%s%03d%03d" % (conn_code[:2], major, minor), "WPF", cost,
        round(cost * 1.7, 2), Major1=conn(conn_code, "F"), Minor1=conn(conn_code, "F"),
        Reals1=major, Reals2=minor)

# ------------------------------------------------------------------ pumps
# H = A Q^2 + B Q + C: shut-off head C, (description, code, in, out, A, B, C,
# min flow, max flow, cost)
PUMPS = [
    ("Centrifugal pump 0.75 kW", "PMP-C075", 32, 25, -0.32, 0.35, 38.0, 1.0, 9.0, 520.0),
    ("Centrifugal pump 1.1 kW", "PMP-C110", 40, 32, -0.16, 0.4, 42.0, 2.0, 13.0, 640.0),
    ("Centrifugal pump 2.2 kW", "PMP-C220", 50, 40, -0.052, 0.35, 48.0, 4.0, 25.0, 980.0),
    ("Centrifugal pump 4.0 kW", "PMP-C400", 65, 50, -0.021, 0.22, 56.0, 8.0, 42.0, 1450.0),
    ("Centrifugal pump 5.5 kW", "PMP-C550", 65, 50, -0.012, 0.18, 62.0, 10.0, 60.0, 1820.0),
    ("Centrifugal pump 11 kW", "PMP-C11K", 100, 80, -0.0041, 0.12, 70.0, 20.0, 110.0, 3400.0),
    ("Submersible bore pump 1.5 kW", "PMP-S150", 50, 40, -0.45, -0.8, 95.0, 1.0, 11.0, 1380.0),
    ("Submersible bore pump 3.0 kW", "PMP-S300", 65, 50, -0.2, -0.5, 120.0, 2.0, 20.0, 2100.0),
    ("Multistage pump 2.2 kW", "PMP-M220", 40, 32, -0.58, 0.9, 78.0, 1.0, 10.0, 1260.0),
    ("Booster pump 0.55 kW with controller", "PMP-B055", 25, 25, -0.95, 0.4, 32.0, 0.5, 5.5, 690.0),
    ("Trash pump diesel 80 mm", "PMP-D080", 80, 80, -0.0035, -0.05, 28.0, 10.0, 80.0, 2950.0),
]
for desc, code, din, dout, a, b, c, qmin, qmax, cost in PUMPS:
    add(11, desc, code, "CALP", cost, round(cost * 1.3, 2),
        Major1=conn("BSPT" if din <= 65 else "FLNG", "F"),
        Minor1=conn("BSPT" if dout <= 65 else "FLNG", "F"),
        **label(code.replace("-", " ")), Reals1=din, Reals2=dout, Reals3=a, Reals4=b,
        Reals5=c, Rextra1=qmin, Rextra2=qmax, **symbol("Pump", 1.2, NAVY),
        Document_Index=1)

# ---------------------------------------------------------------- nozzles
# Sprays: the same radius at four arcs; q = K H^0.5, R = K H^0.1 (H in m).
NOZZLES = []


def nozzle(desc, code, radius_k, radius_n, arc, flow_k, flow_n, pmin, pmax, cov, cost, sym):
    row = add(15, desc, code, "BSC", cost, round(cost * 1.6, 2), Usage="Y",
              **label(code.replace("NZ-", "")), Reals1=radius_k, Reals2=radius_n,
              Reals3=arc, Reals4=flow_k, Reals5=flow_n, Rextra1=pmin, Rextra2=pmax,
              Rextra3=cov, **symbol(sym, 0.25, GREY))
    NOZZLES.append(row)
    return row


for radius in (2.4, 3.0, 3.7, 4.6):
    for arc in (90.0, 180.0, 270.0, 360.0):
        # About 40 mm/h over the square a head covers at head-to-head spacing.
        full = radius * radius * 40.0                 # l/h at 21 m, full circle
        q21 = full * arc / 360.0
        nozzle("Spray nozzle %.1f m %d deg" % (radius, arc),
               "NZ-S%02d-%03d" % (int(radius * 10), int(arc)),
               round(radius / 21.0 ** 0.1, 3), 0.1, arc, round(q21 / 21.0 ** 0.5, 3), 0.5,
               10.0, 35.0, 0.08, 1.9, "Nozzle")
for radius in (1.5, 2.4, 3.7):
    nozzle("Variable arc nozzle %.1f m" % radius, "NZ-V%02d-360" % int(radius * 10),
           round(radius / 21.0 ** 0.1, 3), 0.1, 360.0,
           round(radius * radius * 40.0 / 21.0 ** 0.5, 3), 0.5, 10.0, 35.0, 0.1, 3.6, "Nozzle")
# Rotor nozzles: R = K H^0.2, q = K H^0.5 (H in m, q in l/h).
for number, radius, q35 in ((1, 8.5, 240.0), (2, 9.5, 330.0), (3, 10.4, 450.0),
                            (4, 11.3, 590.0), (6, 12.5, 820.0), (8, 13.7, 1080.0)):
    nozzle("Rotor nozzle #%d %.1f m" % (number, radius), "NZ-R%02d" % number,
           round(radius / 35.0 ** 0.2, 3), 0.2, 360.0, round(q35 / 35.0 ** 0.5, 3), 0.5,
           20.0, 55.0, 0.12, 2.4, "Nozzle")
# Impact sprinkler nozzles.
for bore, radius, q35 in ((3.2, 11.0, 620.0), (4.0, 12.5, 950.0), (4.8, 13.5, 1380.0),
                          (5.6, 14.5, 1870.0)):
    nozzle("Impact nozzle %.1f mm" % bore, "NZ-I%02d" % int(bore * 10),
           round(radius / 35.0 ** 0.25, 3), 0.25, 360.0, round(q35 / 35.0 ** 0.5, 3), 0.5,
           20.0, 50.0, 0.1, 3.1, "Nozzle")
# Micro-sprinkler rotors (spinners) with their flow orifices.
for colour, q20, radius in (("black", 35.0, 2.5), ("blue", 50.0, 3.0), ("green", 70.0, 3.5),
                            ("red", 90.0, 4.0)):
    nozzle("Micro spinner %s %d l/h" % (colour, int(q20)), "NZ-M%03d" % int(q20),
           round(radius / 20.0 ** 0.15, 3), 0.15, 360.0, round(q20 / 20.0 ** 0.5, 3), 0.5,
           10.0, 30.0, 0.05, 0.85, "Nozzle")


def nozzles_of(prefix):
    return [n["Warehouse Code"] for n in NOZZLES if n["Warehouse Code"].startswith(prefix)]


# ---------------------------------------------------------------- outlets
# (description, code, inlet, pressure, arc, arc type, nozzle prefix, cost, symbol)
OUTLETS = [
    ("Pop-up spray 100 mm", "OUT-SP100", 15, 21.0, 360.0, "FIX", "NZ-S", 6.4, "Spray Head"),
    ("Pop-up spray 150 mm", "OUT-SP150", 15, 21.0, 360.0, "FIX", "NZ-S", 8.9, "Spray Head"),
    ("Pop-up spray 300 mm", "OUT-SP300", 15, 21.0, 360.0, "FIX", "NZ-S", 14.5, "Spray Head"),
    ("Shrub spray adaptor", "OUT-SHRUB", 15, 21.0, 360.0, "FIX", "NZ-S", 2.1, "Spray Head"),
    ("Spray body variable arc", "OUT-SPVAN", 15, 21.0, 360.0, "VAR", "NZ-V", 7.2, "Spray Head"),
    ("Gear drive rotor 100 mm", "OUT-GR100", 20, 35.0, 180.0, "VAR", "NZ-R", 21.0, "Rotor"),
    ("Gear drive rotor 150 mm", "OUT-GR150", 20, 35.0, 180.0, "VAR", "NZ-R", 28.0, "Rotor"),
    ("Gear drive rotor full circle", "OUT-GRFC", 20, 35.0, 360.0, "FIX", "NZ-R", 24.0, "Rotor"),
    ("Impact sprinkler part circle", "OUT-IMPPC", 20, 35.0, 180.0, "VAR", "NZ-I", 32.0, "Impact Sprinkler"),
    ("Impact sprinkler full circle", "OUT-IMPFC", 20, 35.0, 360.0, "FIX", "NZ-I", 27.0, "Impact Sprinkler"),
    ("Micro sprinkler on stake", "OUT-MICRO", 15, 20.0, 360.0, "FIX", "NZ-M", 1.6, "Micro Sprinkler"),
    ("Micro sprinkler inverted", "OUT-MICINV", 15, 20.0, 360.0, "FIX", "NZ-M", 2.3, "Micro Sprinkler"),
    ("Matched precipitation rotor", "OUT-MPR", 15, 28.0, 360.0, "MAT", "NZ-V", 11.5, "Rotor"),
]
for desc, code, inlet, pressure, arc, arc_type, prefix, cost, sym in OUTLETS:
    codes = nozzles_of(prefix)
    first = next(n for n in NOZZLES if n["Warehouse Code"] == codes[0])
    row = add(12, desc, code, "BSC", cost, round(cost * 1.55, 2),
              Major1=conn("BSPT", "F"), **label(code.replace("OUT-", "")),
              Reals1=inlet, Rextra1=pressure, Rextra2=arc, Rextra3=10.0, Rextra4=10.0,
              **symbol(sym, 0.5, GREEN), Default_Nozzle=first["Description"][:10],
              Item_Type=arc_type, Flags=4, Document_Index=2)
    row["nozzles"] = codes

# Outlets without nozzles: drippers and demand points (flow in l/h).
for desc, code, q, pressure, sym in (("Button dripper 2 l/h", "OUT-DRP02", 2.0, 10.0, "Dripper"),
                                     ("Button dripper 4 l/h", "OUT-DRP04", 4.0, 10.0, "Dripper"),
                                     ("Button dripper 8 l/h", "OUT-DRP08", 8.0, 10.0, "Dripper"),
                                     ("Bubbler 60 l/h", "OUT-BUB60", 60.0, 15.0, "Dripper"),
                                     ("Garden tap demand", "OUT-TAP", 900.0, 20.0, "Gardener's Tap"),
                                     ("Quick coupling valve 20 mm", "OUT-QCV20", 1500.0, 30.0, "Quick Coupler"),
                                     ("Stock trough demand", "OUT-TROUGH", 1200.0, 10.0, "Demand Point")):
    add(12, desc, code, "BSC" if q < 100 else "HIS", round(0.3 + q * 0.01, 2),
        round((0.3 + q * 0.01) * 1.6, 2), Major1=conn("BARB" if q < 100 else "BSPT", "M"),
        **label(code.replace("OUT-", "")), Reals1=15 if q < 100 else 20,
        Rextra1=pressure, Rextra2=q, Rextra3=10.0, Rextra4=20.0,
        **symbol(sym, 0.4, BLUE), Item_Type="DEM")

# ------------------------------------------------------ outlet connections
# (description, code, inlet, outlet, height, eq. diameter, eq. length, cost)
for desc, code, din, dout, height, eqd, eql, cost in (
        ("Flexible riser 300 mm", "OC-FLX300", 15, 15, 0.0, 12.0, 0.6, 2.6),
        ("Flexible riser 500 mm", "OC-FLX500", 20, 20, 0.0, 16.0, 0.9, 3.4),
        ("Swing joint 20 mm", "OC-SWJ20", 20, 20, 0.0, 18.0, 1.2, 9.5),
        ("Swing joint 25 mm", "OC-SWJ25", 25, 20, 0.0, 22.0, 1.4, 12.0),
        ("Steel riser 0.6 m", "OC-STL060", 20, 20, 0.6, 20.0, 1.0, 14.0),
        ("Steel riser 1.0 m", "OC-STL100", 20, 20, 1.0, 20.0, 1.4, 19.5),
        ("Steel riser 1.5 m", "OC-STL150", 25, 20, 1.5, 25.0, 2.0, 26.0),
        ("Micro tube stake assembly", "OC-MTUBE", 4, 4, 0.3, 4.0, 0.6, 0.65),
        ("Spaghetti tube 600 mm", "OC-SPAG600", 4, 4, 0.0, 4.0, 0.6, 0.4),
        ("Quick coupler key with hose swivel", "OC-QCKEY", 20, 20, 0.0, 18.0, 1.5, 34.0)):
    add(13, desc, code, "BSC", cost, round(cost * 1.6, 2),
        Major1=conn("BSPT" if din >= 15 else "BARB", "M"),
        Minor1=conn("BSPT" if dout >= 15 else "BARB", "F"),
        **label(code.replace("OC-", "")), Reals1=din, Reals2=dout, Reals3=height,
        Reals4=eqd, Reals5=eql, **symbol("Riser" if "riser" in desc.lower() else "Swing Joint",
                                         0.3, BLACK))

# ------------------------------------------------------------ miscellaneous
# Both sizes lie within the editor's diameter range: an item of one size
# gives it twice, the cement the size of its tin.
for desc, code, s1, s2, cost in (
        ("Valve box round 150 mm", "MSC-VB150", 150, 150, 12.0),
        ("Valve box rectangular 300 x 400", "MSC-VB300", 300, 400, 38.0),
        ("Valve box jumbo 500 x 700", "MSC-VB500", 500, 700, 96.0),
        ("Thread seal tape 12 mm", "MSC-PTFE12", 12, 12, 0.9),
        ("Solvent cement 500 ml", "MSC-CEM500", 90, 90, 14.0),
        ("Hose clamp 20 mm", "MSC-CLP20", 20, 20, 0.6),
        ("Drip line stake", "MSC-STAKE", 16, 16, 0.12),
        ("Goof plug 4 mm", "MSC-GOOF4", 4, 4, 0.05),
        ("Thrust block concrete 100 mm", "MSC-TB100", 100, 100, 22.0)):
    add(14, desc, code, "GEN", cost, round(cost * 1.5, 2), Reals1=s1, Reals2=s2)

# ------------------------------------------------------------------- wires
# (description, code, type, size mm2, ohm/100 m, voltage, cost/m)
for desc, code, wtype, size, ohm, volt, cost in (
        ("Single core cable 1.0 mm2", "W-SC010", "SC", 1.0, 1.81, 600.0, 0.32),
        ("Single core cable 1.5 mm2", "W-SC015", "SC", 1.5, 1.21, 600.0, 0.41),
        ("Single core cable 2.5 mm2", "W-SC025", "SC", 2.5, 0.741, 600.0, 0.62),
        ("Single core cable 4.0 mm2", "W-SC040", "SC", 4.0, 0.461, 600.0, 0.95),
        ("Multicore cable 7 core 1.0 mm2", "W-MC7", "MC", 1.0, 1.81, 600.0, 1.9),
        ("Multicore cable 13 core 1.0 mm2", "W-MC13", "MC", 1.0, 1.81, 600.0, 3.4),
        ("Low voltage lighting cable 2.5 mm2", "W-LV025", "LV", 2.5, 0.741, 300.0, 0.88),
        ("Direct burial twin 1.5 mm2", "W-DB015", "DB", 1.5, 1.21, 600.0, 0.74)):
    add(21, desc, code, "ORCH", cost, round(cost * 1.6, 2), Major1=wtype.ljust(6),
        **label(code.replace("W-", "")), Reals1=size, Reals3=ohm, Reals4=volt,
        Linetype=5, Colour1=RED if wtype != "LV" else YELLOW)

# -------------------------------------------------------------- controllers
for stations, cost in ((4, 95.0), (6, 120.0), (9, 165.0), (12, 240.0), (24, 520.0), (48, 1150.0)):
    add(22, "Controller %d station" % stations, "CTL-%02d" % stations, "ORCH", cost,
        round(cost * 1.4, 2), **label("CTL %d" % stations), Reals1=stations,
        **symbol("Controller", 0.8, PURPLE))

# ----------------------------------------------------------- electric items
# Every rating lies within the editor's range (0.1 VA up); a junction box
# takes its least.
for desc, code, rating, volt, sym in (
        ("Transformer 24 VAC 40 VA", "EL-TR040", 40.0, 24.0, "Transformer"),
        ("Transformer 12 VAC 150 VA", "EL-TR150", 150.0, 12.0, "Transformer"),
        ("Transformer 12 VAC 300 VA", "EL-TR300", 300.0, 12.0, "Transformer"),
        ("Rain sensor", "EL-RAIN", 0.5, 24.0, "Rain Sensor"),
        ("Soil moisture sensor", "EL-SOIL", 0.5, 24.0, "Rain Sensor"),
        ("Junction box IP68", "EL-JBOX", 0.1, 24.0, "Junction Box"),
        ("Pump start relay 24 VAC", "EL-PSR", 5.0, 24.0, "Junction Box")):
    add(23, desc, code, "ORCH", round(8.0 + rating * 0.3, 2), round((8.0 + rating * 0.3) * 1.5, 2),
        **label(code.replace("EL-", "")), Reals1=rating, Reals2=volt, **symbol(sym, 0.5, ORANGE))

# ------------------------------------------------------------------- lights
for desc, code, watts, volt, sym, cost in (
        ("Path light 3 W LED", "LT-PATH3", 3.0, 12.0, "Garden Light", 48.0),
        ("Path light 5 W LED", "LT-PATH5", 5.0, 12.0, "Garden Light", 56.0),
        ("Spot light 7 W LED", "LT-SPOT7", 7.0, 12.0, "Garden Light", 62.0),
        ("Well light 4 W LED", "LT-WELL4", 4.0, 12.0, "Garden Light", 74.0),
        ("Flood light 20 W LED", "LT-FLD20", 20.0, 12.0, "Flood Light", 115.0),
        ("Flood light 50 W 240 V", "LT-FLD50", 50.0, 240.0, "Flood Light", 140.0)):
    add(24, desc, code, "ORCH", cost, round(cost * 1.45, 2), **label(code.replace("LT-", "")),
        Reals1=watts, Reals2=volt, Rextra1=10.0 if volt < 100 else 6.0,
        Rextra2=15.0 if volt < 100 else 6.0, **symbol(sym, 0.4, YELLOW))

# --------------------------------------------------------------- assemblies
# Each assembly is a component with [Flags] bit 1; its items are
# (warehouse code, number or length). Its costs are summed from its items'
# stored costs by the tool (an item that is itself an assembly adds its own
# stored cost), so items must be defined before the assemblies that hold them.
ASSEMBLIES = []


def assembly(db, desc, code, supplier, items, flags=1, **cols):
    row = add(db, desc, code, supplier, 0.0, 0.0, Flags=flags, **cols)
    row["items"] = items
    ASSEMBLIES.append(row)
    return row


assembly(2, "Valve manifold 25 mm", "ASM-VM025", "STV",
         [("SV-025", 1), ("BV-025", 1), ("TEE-CO025025", 1), ("CPL-PE025025", 2),
          ("ELB-CO025-90", 1), ("PE10-025", 0.6), ("MSC-PTFE12", 1)],
         Major1=conn("BSPT", "F"), Minor1=conn("COMP", "F"), **label("VM 25"),
         Reals1=25, Reals2=25, Reals3=0.1, Reals4=1.85, Reals5=0.9, Rextra1=0.2,
         Rextra2=7.0, **symbol("Solenoid Valve", 0.8, RED))
assembly(2, "Valve manifold 50 mm", "ASM-VM050", "STV",
         [("SV-050", 1), ("GV-050", 1), ("TEE-SO050050", 1), ("ELB-SO050-90", 2),
          ("PVC12-050", 1.2), ("MSC-VB300", 1)],
         Major1=conn("FLNG", "F"), Minor1=conn("SOLV", "F"), **label("VM 50"),
         Reals1=50, Reals2=50, Reals3=0.0056, Reals4=1.85, Reals5=1.2, Rextra1=2.0,
         Rextra2=30.0, **symbol("Solenoid Valve", 1.0, RED))
assembly(12, "Pop-up spray on flexible riser", "ASM-SPRFLX", "BSC",
         [("OUT-SP100", 1), ("OC-FLX300", 1), ("ELB-BS020-90", 1)], flags=1 | 4,
         Major1=conn("BSPT", "F"), **label("SPR FLX"), Reals1=15, Rextra1=21.0,
         Rextra2=360.0, Rextra3=10.0, Rextra4=10.0, Item_Type="FIX",
         Default_Nozzle="Spray nozz", **symbol("Spray Head", 0.5, GREEN))
assembly(12, "Rotor on swing joint", "ASM-ROTSWJ", "BSC",
         [("OUT-GR100", 1), ("OC-SWJ20", 1), ("TEE-CO032025", 1)], flags=1 | 4,
         Major1=conn("BSPT", "F"), **label("ROT SWJ"), Reals1=20, Rextra1=35.0,
         Rextra2=180.0, Rextra3=10.0, Rextra4=10.0, Item_Type="VAR",
         Default_Nozzle="Rotor nozz", **symbol("Rotor", 0.6, GREEN))
assembly(12, "Garden tap on steel riser", "ASM-TAPRSR", "HIS",
         [("OUT-TAP", 1), ("OC-STL060", 1), ("BV-020", 1)],
         Major1=conn("BSPT", "M"), **label("TAP RSR"), Reals1=20, Rextra1=20.0,
         Rextra2=900.0, Rextra3=10.0, Rextra4=20.0, Item_Type="DEM",
         **symbol("Gardener's Tap", 0.5, BLUE))
assembly(11, "Pump station 5.5 kW", "ASM-PS550", "CALP",
         [("PMP-C550", 1), ("CV-050", 1), ("GV-050", 2), ("FLT-S050", 1), ("WM-050", 1),
          ("EL-PSR", 1), ("MSC-TB100", 1)],
         Major1=conn("BSPT", "F"), Minor1=conn("BSPT", "F"), **label("PS 5.5kW"),
         Reals1=65, Reals2=50, Reals3=-0.012, Reals4=0.18, Reals5=58.0, Rextra1=10.0,
         Rextra2=55.0, **symbol("Pump", 1.4, NAVY), Document_Index=1)
assembly(3, "Drip zone head works 25 mm", "ASM-DZH025", "TDS",
         [("SV-025", 1), ("FLT-D025", 1), ("PR-020", 1), ("BV-025", 1), ("CPL-PE025025", 3)],
         Major1=conn("BSPT", "F"), Minor1=conn("COMP", "F"), **label("DZH 25"),
         Reals1=25, Reals2=25, Reals3=0.15, Reals4=1.85, Reals5=4.2, Rextra1=0.2,
         Rextra2=6.0, Item_Type="FLT", **symbol("Filter", 0.8, MAROON))
# A kit that holds another assembly as an item: it adds the manifold's stored cost.
assembly(14, "Zone kit 25 mm with manifold and box", "ASM-ZK025", "GEN",
         [("ASM-VM025", 1), ("MSC-VB150", 1), ("W-MC7", 15.0), ("MSC-CEM500", 1)],
         Reals1=25, Reals2=25)
assembly(24, "Garden lighting kit 6 path lights", "ASM-LGT6", "ORCH",
         [("LT-PATH3", 6), ("EL-TR150", 1), ("W-LV025", 40.0), ("EL-JBOX", 2)],
         **label("LGT KIT 6"), Reals1=18.0, Reals2=12.0, Rextra1=10.0, Rextra2=15.0,
         **symbol("Garden Light", 0.5, YELLOW))
assembly(22, "Controller 9 station with rain sensor", "ASM-CTL9R", "ORCH",
         [("CTL-09", 1), ("EL-RAIN", 1), ("EL-TR040", 1)],
         **label("CTL 9 RS"), Reals1=9, **symbol("Controller", 0.8, PURPLE))
