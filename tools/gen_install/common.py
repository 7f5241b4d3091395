"""Writing helpers shared by the installation generator.

Every table is "|"-delimited with a header row, CR LF line ends and ASCII text;
numbers use "." as the decimal separator.
"""
import os


def num(x, places=4):
    """Shortest fixed form of x with at most `places` decimals ("54", "88.1", "0.2034")."""
    if isinstance(x, int):
        return str(x)
    s = ("%." + str(places) + "f") % x
    if "." in s:
        s = s.rstrip("0").rstrip(".")
    if s == "-0":
        s = "0"
    return s


def write_text(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    data = "".join(line + "\r\n" for line in lines)
    data.encode("ascii")  # refuses anything outside ASCII
    with open(path, "wb") as f:
        f.write(data.encode("ascii"))


def write_table(path, columns, rows):
    """rows: sequence of sequences (same order as columns); numbers are formatted by num()."""
    lines = ["|".join(columns)]
    for r in rows:
        if len(r) != len(columns):
            raise ValueError("%s: row %r does not match the header" % (path, r))
        cells = []
        for c in r:
            if isinstance(c, float) or isinstance(c, int):
                # figures that need rounding are rounded where they are made
                cells.append(num(c, 8))
            else:
                if "|" in c or "\r" in c or "\n" in c:
                    raise ValueError("%s: bad cell %r" % (path, c))
                cells.append(c)
        lines.append("|".join(cells))
    if len(lines) < 3:
        raise ValueError("%s: a table needs at least two rows" % path)
    write_text(path, lines)
