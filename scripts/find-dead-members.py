#!/usr/bin/env python3
"""Lists the member functions of our own sources that nothing calls.

Indexes every translation unit of a compile database (plus the benchmarks and fuzz targets, which
the sanitizer trees leave out) with clang's c-index-test, then prints each member function that is
declared in platform/, engine/, src/ or tools/ and referenced nowhere outside its own body.
A virtual override counts as called when a method it overrides is called, or when it overrides a
class outside our tree (a test framework calls those). Constructors, destructors, operators and
conversion functions are left out: the compiler calls them without naming them.

Usage: scripts/find-dead-members.py [build/dev] [-j 4]
"""
import argparse
import json
import os
import re
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
OWN = tuple(os.path.join(ROOT, d) + "/" for d in ("platform", "engine", "src", "tools"))
KEEP_LINES = re.compile(
    r"^\[indexDeclaration\]: kind: (c\+\+-(instance|static)-method|c\+\+-class|struct)"
    r"|^\[indexEntityReference\]: kind: c\+\+-(instance|static)-method"
    r"|^\s+<base>:|^\s+<attribute>: attribute\(override\)"
)


def fields(line):
    """Splits one index line into its 'key: value' fields (the first key keeps its tag)."""
    out = {}
    line = re.sub(r"^\s*(\[[^]]*\]|<[^>]*>): ", "", line)
    for part in line.split(" | "):
        key, _, value = part.partition(": ")
        out.setdefault(key.strip(), value)
    return out


def tu_commands(build):
    with open(os.path.join(build, "compile_commands.json")) as f:
        db = json.load(f)
    cmds = []
    test_flags = None
    for e in db:
        args = shlex.split(e["command"])[1:]
        kept, skip = [], False
        for a in args:
            if skip:
                skip = False
                continue
            if a == "-o":
                skip = True
                continue
            if a in ("-c", e["file"]) or a.startswith("-fsanitize") or a.startswith("-fno-sanitize"):
                continue
            kept.append(a)
        cmds.append((e["file"], kept))
        if test_flags is None and "/tests/" in e["file"]:
            test_flags = kept
    seen = {c[0] for c in cmds}
    extra = []
    for folder in ("bench", "tests/fuzz"):
        d = os.path.join(ROOT, folder)
        for n in sorted(os.listdir(d)):
            p = os.path.join(d, n)
            if n.endswith(".cpp") and p not in seen:
                extra.append((p, list(test_flags or []) + ["-I" + d]))
    return cmds + extra


def index(tu):
    path, args = tu
    p = subprocess.run(["c-index-test", "-index-file-full", path] + args, cwd=ROOT,
                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, errors="replace")
    return path, [l for l in p.stdout.splitlines() if KEEP_LINES.search(l)]


def full_loc(loc, main):
    """The index prints locations in the main file without its path."""
    return loc if loc.startswith("/") else main + ":" + loc


def read_index(tus, jobs, cache):
    """The kept index lines of every unit, from the cache when it is given and already there."""
    if cache and os.path.exists(cache):
        with open(cache) as f:
            return json.load(f)
    with ThreadPoolExecutor(jobs) as pool:
        out = list(pool.map(index, tus))
    if cache:
        with open(cache, "w") as f:
            json.dump(out, f)
    return out


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build", nargs="?", default="build/dev")
    ap.add_argument("-j", type=int, default=4)
    ap.add_argument("--json", help="also write the findings here")
    ap.add_argument("--cache", help="keep the index here and reuse it on the next run")
    ap.add_argument("--transitive", action="store_true",
                    help="also count as dead what only dead functions call")
    opts = ap.parse_args()

    decls = {}  # usr -> {name, decl, locs, override, virtual}
    bases = {}  # class usr -> set of base usrs
    own_classes = set()
    refs = {}  # usr -> set of (loc, usr of the function the reference is in)
    tus = tu_commands(os.path.join(ROOT, opts.build))
    for path, lines in read_index(tus, opts.j, opts.cache):
        last_decl = None
        last_class = None
        for line in lines:
            tag = line.lstrip()
            if tag.startswith("[indexDeclaration]"):
                f = fields(line)
                loc = full_loc(f["loc"], path)
                usr = f["USR"]
                last_decl, last_class = None, None
                if f["kind"] in ("c++-class", "struct"):
                    last_class = usr
                    bases.setdefault(usr, set())
                    if loc.startswith(OWN) or loc.startswith(os.path.join(ROOT, "tests") + "/"):
                        own_classes.add(usr)
                    continue
                if not loc.startswith(OWN) or f.get("isImplicit") == "1":
                    continue
                d = decls.setdefault(usr, {"name": f["name"], "locs": set(), "override": False,
                                           "virtual": False})
                if f.get("isRedecl") == "0" or "decl" not in d:
                    d["decl"] = loc
                d["locs"].add(loc)
                if "(virtual)" in f["cursor"] or "(pure)" in f["cursor"]:
                    d["virtual"] = True
                last_decl = d
            elif tag.startswith("<attribute>: attribute(override)"):
                if last_decl is not None:
                    last_decl["override"] = True
                    last_decl["virtual"] = True
            elif tag.startswith("<base>:"):
                if last_class is not None:
                    bases[last_class].add(fields(line)["USR"])
            else:
                f = fields(line)
                m = re.search(r"<parent>:: kind: [^|]* \| name: [^|]* \| USR: (\S+)", line)
                parent = m.group(1) if m else ""
                refs.setdefault(f["USR"], set()).add((full_loc(f["loc"], path), parent))

    def class_of(usr):
        return usr.rsplit("@F@", 1)[0]

    def sig_of(usr):
        return usr.rsplit("@F@", 1)[1]

    def ancestors(cls):
        seen, todo = set(), [cls]
        while todo:
            for b in bases.get(todo.pop(), ()):
                if b not in seen:
                    seen.add(b)
                    todo.append(b)
        return seen

    # A virtual function and the functions it overrides form one family: a call to any of them
    # may land in each of those below it.
    family_up = {}
    for usr, d in decls.items():
        if d["virtual"] and "@F@" in usr:
            family_up[usr] = [a + "@F@" + sig_of(usr) for a in ancestors(class_of(usr))]

    dead = set()

    def called(usr):
        return any(parent != usr and parent not in dead for _, parent in refs.get(usr, ()))

    def used(usr):
        if called(usr):
            return True
        d = decls[usr]
        if not d["virtual"]:
            return False
        for anc in ancestors(class_of(usr)):
            if anc not in own_classes and d["override"]:
                return True  # a framework's virtual, such as a test fixture's SetUp
        return any(called(b) for b in family_up.get(usr, ()))

    candidates = [u for u, d in decls.items()
                  if "@F@" in u and not d["name"].startswith(("operator", "~"))
                  and d["name"] != class_of(u).rsplit("@", 1)[-1]]
    while True:
        found = {u for u in candidates if u not in dead and not used(u)}
        if not found:
            break
        dead |= found
        if not opts.transitive:
            break

    # Virtual functions that are only ever called on a derived class: the base's declaration is
    # then unused, but it is an interface, so they are listed apart.
    only_derived = set()
    for usr in dead:
        if decls[usr]["virtual"]:
            sig = sig_of(usr)
            cls = class_of(usr)
            for other in decls:
                if other != usr and "@F@" in other and sig_of(other) == sig \
                        and cls in ancestors(class_of(other)) and other not in dead:
                    only_derived.add(usr)
                    break

    rows = []
    for usr in dead:
        d = decls[usr]
        rel = os.path.relpath(d["decl"].rsplit(":", 2)[0], ROOT)
        line = d["decl"].rsplit(":", 2)[1]
        cls = class_of(usr).replace("c:@S@", "").replace("@S@", "::")
        rows.append((rel, int(line), cls, d["name"], usr, usr in only_derived, sorted(d["locs"])))
    rows.sort()
    for rel, line, cls, name, usr, derived, _ in rows:
        note = "\t(virtual, called only on derived classes)" if derived else ""
        print(f"{rel}:{line}\t{cls}::{name}{note}")
    print(f"{len(rows)} member functions nothing calls, {len(only_derived)} of them virtual and called"
          f" only on derived classes ({len(tus)} translation units indexed)", file=sys.stderr)
    if opts.json:
        with open(opts.json, "w") as f:
            json.dump([{"file": r[0], "line": r[1], "class": r[2], "name": r[3], "usr": r[4],
                        "only_derived": r[5], "locs": r[6]} for r in rows], f, indent=1)


if __name__ == "__main__":
    main()
