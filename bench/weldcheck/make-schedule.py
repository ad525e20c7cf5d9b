#!/usr/bin/env python3
"""Writes a random schedule of joints for weldcheck's benchmark and comparisons.
   make-schedule.py ROWS FILE [semicolon|comma] [SEED]
About one row in a hundred holds a text that is no number."""
import random
import sys


def main():
    rows, path = int(sys.argv[1]), sys.argv[2]
    dialect = sys.argv[3] if len(sys.argv) > 3 else "semicolon"
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 18)
    delimiter, point = (";", ",") if dialect == "semicolon" else (",", ".")

    def number(low, high, decimals):
        return f"{rng.uniform(low, high):.{decimals}f}".replace(".", point)

    with open(path, "w", encoding="utf-8", newline="") as out:
        out.write(delimiter.join(["Имя", "P", "e", "Kf", "L", "beta", "Rwf", "Ywf", "Yc"]) + "\r\n")
        for row in range(1, rows + 1):
            cells = [f"Ш-{row}", number(0, 3, 3), number(0, 400, 1), rng.choice(["4", "6", "8", "10", "12"]),
                     number(5, 60, 1), rng.choice(["0,7", "0,8", "0,85", "0,9", "1"]).replace(",", point),
                     rng.choice(["1850", "2200", "1500", "2000"]), rng.choice(["1", "0" + point + "9"]),
                     rng.choice(["1", "1" + point + "1"])]
            if rng.random() < 0.01:
                cells[rng.randrange(1, len(cells))] = "x"
            out.write(delimiter.join(cells) + "\r\n")


if __name__ == "__main__":
    main()
