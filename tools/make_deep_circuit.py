#!/usr/bin/env python3
"""Writes a circuit file of N nested sub-circuits, for measuring how the
editor copes with deep nesting (the node tree dump, say).

    tools/make_deep_circuit.py N OUT.dag

Level k holds the sub-circuit of level k+1, a junction and a resistor from
that junction to the next level's sub-circuit; the innermost level holds one
junction. 50,000 levels give a file of about 10 MB."""
import sys


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    n, out = int(sys.argv[1]), sys.argv[2]
    # Numbers: the root 1; level k's sub-circuit 3k-1, junction 3k and
    # resistor 3k+1; the innermost junction 3n+2.
    rec = "%3d %3d %3d %2d %3d %1d %3d %3d %s %s"
    lines = ["noname", "Vemu.exe (WxWy) $Cur $SS $Scale", "-=" * 15 + "-",
             "%7d - How many nodes" % (3 * n + 2), "%7d - Main node" % 1, "%7d - Current node" % 0,
             "--N--X---Y-Type-Up-Lines-Name-Value",
             rec % (1, 0, 0, 1, 0, 1, -15, -15, "Upper Level", "Level"), "%8d %3d" % (1, 2)]
    for k in range(1, n + 1):
        x, j, r = 3 * k - 1, 3 * k, 3 * k + 1
        up = 1 if k == 1 else x - 3
        inner = x + 3 if k < n else 3 * n + 2
        lines.append(rec % (x, 100, 100, 29, up, 3, 0, -26, "X%d" % k, ""))
        lines += ["%8d %3d" % (1, inner), "%8d %3d" % (1, j), "%8d %3d" % (1, r)]
        lines.append(rec % (j, 200, 80, 2, x, 0, -15, -15, "1", ""))
        lines.append(rec % (r, 300, 80, 19, x, 2, 0, -24, "R%d" % k, "1k"))
        lines += ["%8d %3d" % (5, j), "%8d %3d" % (4, inner)]
    lines.append(rec % (3 * n + 2, 200, 80, 2, 3 * n - 1, 0, -15, -15, "2", ""))
    lines += ["%7d SubCircuit " % 0, "%7d %d %05.3f" % (0, 0, 1.0)]
    with open(out, "w", newline="", encoding="cp1251") as f:
        f.write("\r\n".join(lines) + "\r\n")


if __name__ == "__main__":
    main()
