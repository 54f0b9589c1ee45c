#!/usr/bin/env python3
"""Fails when a C++ source does not compile on its own: the test trees build in unity batches,
where a file silently borrows the includes of the files batched before it, and a plain build
then stops at the first one. Each source of the tests, the benchmarks and the tools is parsed
alone by the compiler the build uses (syntax only, nothing generated), with its own flags from a
configure-only tree. clang-tidy parses the game's own sources (platform/, engine/, src/) one by
one already; when clang-tidy is not installed, they are parsed here too."""
import concurrent.futures
import json
import os
import shlex
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TREE = os.path.join(ROOT, "build", "check")
CHECKED = ("tests/", "bench/", "tools/")
GAME = ("platform/", "engine/", "src/")


def configure():
    subprocess.run(["cmake", "-S", ROOT, "-B", TREE, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                    "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON", "-DFV_BUILD_TESTS=ON", "-DFV_BUILD_BENCH=ON"],
                   check=True, stdout=subprocess.DEVNULL)


def tidy_parses_the_game():
    runner = any(shutil.which(n) for n in ("run-clang-tidy", "run-clang-tidy-14"))
    return runner and shutil.which("clang-tidy") is not None


def syntax_only(entry):
    """The entry's compile command with its output dropped and -fsyntax-only added."""
    args = shlex.split(entry["command"]) if "command" in entry else list(entry["arguments"])
    out, skip = [], False
    for a in args:
        if skip:
            skip = False
        elif a in ("-o", "-c"):
            skip = True
        elif a != entry["file"]:
            out.append(a)
    return out + ["-fsyntax-only", entry["file"]]


def parse(entry):
    r = subprocess.run(syntax_only(entry), cwd=entry["directory"], capture_output=True, text=True)
    return entry["file"], r.returncode, r.stderr


def main():
    configure()
    with open(os.path.join(TREE, "compile_commands.json")) as f:
        entries = json.load(f)
    prefixes = CHECKED if tidy_parses_the_game() else CHECKED + GAME
    chosen = {}
    for e in entries:
        rel = os.path.relpath(e["file"], ROOT)
        if rel.startswith(prefixes) and e["file"] not in chosen:
            chosen[e["file"]] = e
    failed = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        for path, rc, err in pool.map(parse, chosen.values()):
            if rc != 0:
                failed.append(os.path.relpath(path, ROOT))
                errors = [line for line in err.splitlines() if " error: " in line]
                print("\n".join((errors or err.splitlines())[:10]))
    if failed:
        print("includes: %d of %d sources do not compile on their own: %s"
              % (len(failed), len(chosen), " ".join(sorted(failed))))
        return 1
    print("includes: %d sources compile on their own" % len(chosen))
    return 0


if __name__ == "__main__":
    sys.exit(main())
