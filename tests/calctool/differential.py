#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs generated worksheet lines through two CalcTool builds and checks that every line the
old tool calculated gets the very same reply from the new one.

    tests/calctool/differential.py OLD_TOOL NEW_TOOL [LINES] [SEED]

Lines are expressions over a seeded state (numbers of every form, names, calls of the right and
the wrong arity, if, hex, %, juxtaposition, minus signs anywhere, stray characters), plus
assignments and definitions of names no generated line reads, so that a line that only the new
tool calculates cannot change what a later line means. Exits 1 on the first difference."""

import random
import re
import subprocess
import sys

VARIABLES = {"x": 3, "y": -2.5, "xy": 7, "a1": 0.5, "big": 1e300, "p": 2, "i": 3}
FUNCTIONS = {"f": ["x^2", "x"], "g": ["a - b", "a", "b"],
             "fact": ["if(n, n*fact(n-1), 1)", "n"], "loop": ["loop(n)", "n"]}
NAMES = ["x", "y", "xy", "a1", "big", "pi", "e", "%", "\u03c0", "junk", "xyz", "sinx"]
NUMBERS = ["0", "1", "2", "3.5", ".5", "5.", "1e3", "2.5E-3", "1e400", "4.6e15", "0x1F", "0xff",
           "0x10000000000000000", "0X1F", "2e", "1.5.5", "007", "0.30000000000000004"]


# The generated names with digits in them, then the literals.
LITERAL = re.compile(r"a1|[td][0-9]+|(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?")


def plist(entries):
    def value(v):
        if isinstance(v, list):
            return "<array>" + "".join(f"<string>{s}</string>" for s in v) + "</array>"
        return f"<real>{v!r}</real>"
    body = "".join(f"<key>{k}</key>{value(v)}" for k, v in entries.items())
    return f'<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict>{body}</dict></plist>'


def number(rng):
    roll = rng.random()
    if roll < 0.04:
        return "".join(rng.choice("0123456789") for _ in range(rng.randint(300, 420)))
    if roll < 0.08:
        return "0." + "".join(rng.choice("0123456789") for _ in range(rng.randint(300, 420)))
    if roll < 0.5:
        return str(rng.randint(0, 99))
    return rng.choice(NUMBERS)


def expression(rng, depth):
    if depth <= 0 or rng.random() < 0.3:
        return number(rng) if rng.random() < 0.55 else rng.choice(NAMES)
    inner = lambda: expression(rng, depth - 1)
    form = rng.randrange(12)
    if form < 4:
        return inner() + rng.choice([" + ", "-", "*", "/", "^", " ", "", " - ", "*-", "/-",
                                     "^-", "--", "+-", "-- ", "^--"]) + inner()
    if form == 4:
        return "-" + inner()
    if form == 5:
        return "(" + inner() + ")"
    if form == 6:
        name = rng.choice(["sin", "sqrt", "\u221a", "abs", "f", "fact"])
        return name + "(" + ", ".join(inner() for _ in range(rng.choice([1, 1, 1, 2]))) + ")"
    if form == 7:
        name = rng.choice(["max", "atan2", "hypot", "g"])
        return name + "(" + ", ".join(inner() for _ in range(rng.choice([2, 2, 2, 1, 3]))) + ")"
    if form == 8:
        return "if(" + ", ".join(inner() for _ in range(rng.choice([3, 3, 3, 2]))) + ")"
    if form == 9:
        return number(rng) + rng.choice(["pi", "%", "x", "(2)", " e", "\u03c0"])
    if form == 10:
        return inner() + rng.choice(["", " "]) + inner()
    return rng.choice(["loop(1)", "fact(5)", "f(1, 2)", "g(1)", "sin (2)", "if (1,2,3)"])


def corrupt(rng, line):
    if not line or rng.random() < 0.75:
        return line
    at = rng.randrange(len(line))
    if rng.random() < 0.5:
        return line[:at] + line[at + 1:]
    return line[:at] + rng.choice("()+-*/^,.e x;\u00d7") + line[at:]


def line(rng, n):
    text = corrupt(rng, expression(rng, rng.randint(1, 4)))
    roll = rng.random()
    if roll < 0.1:
        return f"t{n} = {text}"
    if roll < 0.15:
        return f"d{n}(x) = {text}"
    return rng.choice(["", " ", "  "]) + text + rng.choice(["", "", " "])


def replies(tool, lines):
    output = subprocess.run([tool, plist(VARIABLES), plist(FUNCTIONS)], input="\n".join(lines) + "\n",
                            capture_output=True, text=True, check=True).stdout
    return re.findall(r"<dict>.*?</dict>", output, re.S)


def main():
    old_tool, new_tool = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 60000
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 17)
    lines = [line(rng, n) for n in range(count)]
    old, new = replies(old_tool, lines), replies(new_tool, lines)
    assert len(old) == len(new) == count, (len(old), len(new))
    kept = gained = unexplained = 0
    mended = []
    for text, before, after in zip(lines, old, new):
        if "<key>ResultKind</key>\n\t<integer>0</integer>" not in before:
            if before != after and re.search(r"[0-9]{300}", text):
                mended.append((text, after))  # the old tool read a long literal wrong
                continue
            if before != after:
                print(f"changed: {text!r}\nbefore: {before}\nafter: {after}")
                return 1
            kept += 1
        elif "<key>ResultKind</key>\n\t<integer>0</integer>" not in after:
            gained += 1
        elif "<key>Reason</key>" not in after:
            unexplained += 1
            print(f"no reason: {text!r}")
    # Those lines must answer what the old tool answers with each long literal written as the
    # shortest text of its correctly rounded value, which Python's float() gives.
    def shortest(match):
        literal = match.group()
        if len(literal) < 300 or not literal[0] in "0123456789.":
            return literal
        return repr(float(literal)).replace("inf", "1e999")
    shortened = [LITERAL.sub(shortest, text) for text, _ in mended]
    for (text, after), before in zip(mended, replies(old_tool, shortened) if mended else []):
        def answer(reply):
            return re.findall(r"<key>(?:Result|ResultKind)</key>\s*<[a-z]+>(.*?)</", reply)
        if answer(before) != answer(after):
            print(f"wrong long literal: {text!r}\nold tool, shortened: {before}\nnew: {after}")
            return 1
    print(f"{count} lines: {kept} calculated before and answer the same, {len(mended)} with a long "
          f"literal answer differently, {gained} calculate only now, "
          f"{count - kept - len(mended) - gained} fail, {unexplained} of them without a reason")
    return 0


if __name__ == "__main__":
    sys.exit(main())
