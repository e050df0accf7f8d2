#!/usr/bin/env python3
"""A small mutation tester: how many deliberate faults in the product sources do the native
tests catch?

It lists every place in the given folders where one of these mutations applies:
  rel    a relational operator flipped (< and >=, > and <=, == and !=)
  logic  && swapped for || and back
  const  a whole-number constant changed by one
  cond   the condition of an if negated
  call   a node write or a pause removed (a statement of its own on one line)
  ret    a returned value negated
draws a seeded random sample of them, and for each one in turn: writes the mutated file, rebuilds
the native debug build incrementally, runs the native tests with a time limit, puts the file back
and reports KILLED (a test failed, or the run timed out), SURVIVED (every test passed) or
STILLBORN (it did not compile; not counted). The tree is restored on every path, including an
interrupt. Mutants known to be equivalent (they cannot change behaviour) are listed, each with
its reason, in scripts/mutants_equivalent.txt and left out of the score.

Run through scripts/mutants.sh, which installs what it needs and builds first.
"""

import argparse
import os
import random
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "debug")
TESTS = os.path.join(BUILD, "tests", "hd73_tests")
EQUIVALENT = os.path.join(ROOT, "scripts", "mutants_equivalent.txt")

REL = {" < ": " >= ", " >= ": " < ", " > ": " <= ", " <= ": " > ", " == ": " != ", " != ": " == "}
LOGIC = {" && ": " || ", " || ": " && "}
CALL = re.compile(r"^\s*(?:[\w:.()>-]*\b(?:Write|WriteNv|Sleep)\(.*\);)\s*$")
RET = re.compile(r"^(\s*)return (.+);\s*$")
NUMBER = re.compile(r"(?<![\w.])(0x[0-9A-Fa-f]+|\d+)(?![\w.])")


def masked(line):
    """The line with string and character literals and comments blanked out, same length."""
    out = []
    i = 0
    quote = None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            if c == quote:
                quote = None
                out.append(c)
            else:
                out.append(" ")
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)[: len(line)]


def matching_paren(text, start):
    depth = 0
    for i in range(start, len(text)):
        if text[i] == "(":
            depth += 1
        elif text[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def sites_of(path):
    rel = os.path.relpath(path, ROOT)
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    sites = []
    in_block_comment = False
    for n, line in enumerate(lines, 1):
        stripped = line.strip()
        if in_block_comment:
            if "*/" in stripped:
                in_block_comment = False
            continue
        if stripped.startswith("/*"):
            in_block_comment = "*/" not in stripped
            continue
        if stripped.startswith("#") or stripped.startswith("//") or not stripped:
            continue
        m = masked(line)

        def add(kind, start, end, replacement, what):
            sites.append((rel, n, kind, start, end, replacement, what))

        for table, kind in ((REL, "rel"), (LOGIC, "logic")):
            for op, other in table.items():
                for hit in re.finditer(re.escape(op), m):
                    add(kind, hit.start(), hit.end(), other,
                        "'%s' -> '%s'" % (op.strip(), other.strip()))
        # Constants outside array bounds of declarations and template arguments.
        for hit in NUMBER.finditer(m):
            before = m[: hit.start()].rstrip()
            if before.endswith("<") or before.endswith("["):
                continue
            text = hit.group(1)
            value = int(text, 16) if text.lower().startswith("0x") else int(text)
            new = hex(value + 1) if text.lower().startswith("0x") else str(value + 1)
            add("const", hit.start(), hit.end(), new, "%s -> %s" % (text, new))
        for hit in re.finditer(r"\bif \(", m):
            open_at = hit.end() - 1
            close = matching_paren(m, open_at)
            if close < 0:
                continue
            cond = line[open_at + 1: close]
            add("cond", open_at + 1, close, "!(%s)" % cond, "if condition negated")
        if CALL.match(m) and not stripped.startswith("return"):
            add("call", 0, len(line), "", "statement removed: %s" % stripped[:60])
        r = RET.match(m)
        if r and r.group(2).strip() not in ("", "*this"):
            start = len(r.group(1)) + len("return ")
            end = start + len(r.group(2))
            add("ret", start, end, "!(%s)" % line[start:end], "return value negated")
    return sites


def load_equivalent():
    keys = set()
    if not os.path.exists(EQUIVALENT):
        return keys
    with open(EQUIVALENT, encoding="utf-8") as f:
        for raw in f:
            raw = raw.strip()
            if not raw or raw.startswith("#"):
                continue
            # file:line kind what  -- reason
            key = raw.split("--")[0].strip()
            keys.add(key)
    return keys


def key_of(site):
    rel, n, kind, _, _, _, what = site
    return "%s:%d %s %s" % (rel, n, kind, what)


def apply(path, site):
    with open(path, encoding="utf-8") as f:
        original = f.read()
    lines = original.split("\n")
    _, n, _, start, end, replacement, _ = site
    line = lines[n - 1]
    lines[n - 1] = line[:start] + replacement + line[end:]
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    return original


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("-n", type=int, default=60, help="mutants to run (default 60)")
    parser.add_argument("-s", type=int, default=1, help="seed of the sample (default 1)")
    parser.add_argument("-t", type=int, default=60, help="seconds per test run (default 60)")
    parser.add_argument("--list", action="store_true", help="list the sample, run nothing")
    parser.add_argument("--within", action="append", default=[], metavar="PATH",
                        help="run only the sample's mutants in files under PATH (repeatable)")
    parser.add_argument("folders", nargs="*", default=["nvdata", "settingsfile", "pages"])
    args = parser.parse_args()

    files = []
    for folder in args.folders:
        for dirpath, _, names in os.walk(os.path.join(ROOT, folder)):
            files += [os.path.join(dirpath, x) for x in sorted(names) if x.endswith(".cpp")]
    sites = [s for path in sorted(files) for s in sites_of(path)]
    equivalent = load_equivalent()
    rng = random.Random(args.s)
    sample = rng.sample(sites, min(args.n, len(sites)))
    print("%d mutation sites in %s; sample of %d, seed %d" %
          (len(sites), " ".join(args.folders), len(sample), args.s), flush=True)
    if args.within:
        # The same sample as without --within, narrowed: its scores add up to the whole one.
        within = [w.rstrip("/") + "/" for w in args.within]
        sample = [s for s in sample if any(s[0].startswith(w) for w in within)]
        print("%d of them within %s" % (len(sample), " ".join(args.within)), flush=True)
    if args.list:
        for site in sample:
            print(key_of(site))
        return 0

    current = {"path": None, "original": None}

    def restore(*_):
        if current["path"] is not None:
            with open(current["path"], "w", encoding="utf-8") as f:
                f.write(current["original"])
            current["path"] = None
        if _:
            print("\ninterrupted: source restored", flush=True)
            sys.exit(130)

    signal.signal(signal.SIGINT, restore)
    signal.signal(signal.SIGTERM, restore)
    signal.signal(signal.SIGHUP, restore)

    counts = {"KILLED": 0, "SURVIVED": 0, "STILLBORN": 0, "EQUIVALENT": 0}
    survivors = []
    started = time.time()
    try:
        for i, site in enumerate(sample, 1):
            path = os.path.join(ROOT, site[0])
            key = key_of(site)
            if key in equivalent:
                counts["EQUIVALENT"] += 1
                print("[%d/%d] EQUIVALENT %s" % (i, len(sample), key), flush=True)
                continue
            current["original"] = apply(path, site)
            current["path"] = path
            build = subprocess.run(["cmake", "--build", BUILD, "--target", "hd73_tests", "-j",
                                    str(os.cpu_count() or 2)],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if build.returncode != 0:
                verdict = "STILLBORN"
            else:
                try:
                    run = subprocess.run([TESTS, "--gtest_brief=1"], stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL, timeout=args.t)
                    verdict = "SURVIVED" if run.returncode == 0 else "KILLED"
                except subprocess.TimeoutExpired:
                    verdict = "KILLED"
            restore()
            counts[verdict] += 1
            if verdict == "SURVIVED":
                survivors.append(key)
            print("[%d/%d] %s %s" % (i, len(sample), verdict, key), flush=True)
    finally:
        restore()
        # Leave the build matching the restored sources.
        subprocess.run(["cmake", "--build", BUILD, "--target", "hd73_tests", "-j",
                        str(os.cpu_count() or 2)], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    scored = counts["KILLED"] + counts["SURVIVED"]
    score = 100.0 * counts["KILLED"] / scored if scored else 0.0
    print("\nkilled %d, survived %d, stillborn %d, equivalent %d; score %.1f %% (%d s)" %
          (counts["KILLED"], counts["SURVIVED"], counts["STILLBORN"], counts["EQUIVALENT"], score,
           time.time() - started))
    for key in survivors:
        print("survived: " + key)
    return 0


if __name__ == "__main__":
    sys.exit(main())
