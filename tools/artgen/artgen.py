#!/usr/bin/env python3
"""Rebuilds every picture of the game from the sources under art/.

    python3 tools/artgen/artgen.py                 # every stage, outputs into data/bitmaps
    python3 tools/artgen/artgen.py --stage ui      # one stage (repeatable)
    python3 tools/artgen/artgen.py --verify        # rebuild from scratch into a scratch folder and
                                                   # compare byte for byte with the committed files

Each stage is a module in tools/artgen/stages/ with a build(ctx) function. It asks the context to
render sources (SVG through rsvg-convert, scenes through POV-Ray) and declares its outputs
(plain pictures, grids of frames, atlases); the packer fv_artpack, built from this repository,
then writes every output through the game's own picture writers. See README.md.
"""

import argparse
import concurrent.futures
import hashlib
import importlib.util
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
STAGES = os.path.join(REPO, "tools", "artgen", "stages")
BUILD = os.path.join(REPO, "build", "artgen")
# Bumped whenever the way renders are made changes, so cached renders are not reused.
CACHE_VERSION = "1"


def tool_version(argv):
    try:
        out = subprocess.run(argv, capture_output=True, text=True, check=False)
        return (out.stdout + out.stderr).strip().splitlines()[0] if (out.stdout + out.stderr).strip() else "?"
    except FileNotFoundError:
        return None


class Render:
    """One queued renderer run that makes one PNG; cached by the hash of everything it reads."""

    def __init__(self, argv, inputs, output, texts=()):
        self.argv = argv
        self.inputs = sorted(set(inputs))
        self.output = output
        self.texts = texts  # (path, text) pairs written before running

    def key(self, versions):
        h = hashlib.sha256()
        h.update(CACHE_VERSION.encode())
        h.update(versions.get(os.path.basename(self.argv[0]), "").encode())
        h.update("\0".join(a.replace(BUILD, "<build>") for a in self.argv).encode())
        for path, text in self.texts:
            h.update(text.encode())
        for path in self.inputs:
            with open(path, "rb") as f:
                h.update(f.read())
        return h.hexdigest()


class Context:
    """What a stage sees: paths, renderers and the output declarations."""

    def __init__(self, stage, driver):
        self.stage = stage
        self.repo = REPO
        self.art = os.path.join(REPO, "art")
        self.work = os.path.join(BUILD, "work", stage)
        os.makedirs(self.work, exist_ok=True)
        self._driver = driver
        self.lines = []
        self.contact = None
        self.owned = []

    # ---- renderers -------------------------------------------------------------------------
    def svg(self, name, text, width, height, inputs=()):
        """Renders SVG text to work/<name>.png at width x height; returns the PNG path."""
        src = os.path.join(self.work, name + ".svg")
        out = os.path.join(self.work, name + ".png")
        self._driver.queue(Render(["rsvg-convert", "-w", str(width), "-h", str(height),
                                   "-f", "png", "-o", out, src], inputs, out, ((src, text),)))
        return out

    def pov(self, scene, name, width, height, options=(), inputs=()):
        """Renders a POV-Ray scene with alpha to work/<name>.png. options: extra POV-Ray
        switches such as "Declare=Facing=1" or "+K0.25"; inputs: include files it reads."""
        out = os.path.join(self.work, name + ".png")
        argv = ["povray", "+I" + scene, "+O" + out, "+W%d" % width, "+H%d" % height, "+UA", "+FN8",
                "-D", "-V", "+A0.1", "+AM2", "+R3", "+WT1"] + list(options)
        self._driver.queue(Render(argv, [scene] + list(inputs), out))
        return out

    def command(self, argv, output, inputs=()):
        """Any other deterministic renderer that writes the PNG `output`."""
        self._driver.queue(Render(list(argv), inputs, output))
        return output

    # ---- outputs (paths relative to data/bitmaps) --------------------------------------------
    def picture(self, dest, png, fmt="argb", *flags, hotspot=None):
        opts = list(flags) + (["hotspot=%d,%d" % hotspot] if hotspot else [])
        self.lines.append("\t".join(["picture", dest, fmt, png] + opts))

    def grid(self, dest, fmt, cols, rows, cell_w, cell_h, frames, *flags):
        self.lines.append("\t".join(["grid", dest, fmt, str(cols), str(rows), str(cell_w), str(cell_h)]
                                    + list(flags)))
        self.lines.extend("cell\t" + f for f in frames)

    def atlas(self, table_dest, texture_dest, fmt, entries, width=0, height=0, padding=2, *flags):
        """entries: (key, sprite name, png, trim) tuples."""
        self.lines.append("\t".join(["atlas", table_dest, texture_dest, fmt, str(width), str(height),
                                     str(padding)] + list(flags)))
        for key, sprite, png, trim in entries:
            self.lines.append("\t".join(["entry", key, sprite, png] + (["trim"] if trim else [])))

    def owns(self, folder):
        """Declares a folder under data/bitmaps whose every file this stage makes; files there
        that the stage no longer makes are removed."""
        self.owned.append(folder)

    def contact_sheet(self, title, path):
        self.contact = (title, path)


class Driver:
    def __init__(self, jobs):
        self.jobs = jobs
        self.renders = []
        self.versions = {}

    def queue(self, render):
        self.renders.append(render)

    def run_renders(self, use_cache):
        cache = os.path.join(BUILD, "cache")
        os.makedirs(cache, exist_ok=True)
        for tool, argv in (("rsvg-convert", ["rsvg-convert", "--version"]),
                           ("povray", ["povray", "--version"])):
            if any(os.path.basename(r.argv[0]) == tool for r in self.renders):
                v = tool_version(argv)
                if v is None:
                    sys.exit("artgen: %s is not installed (see tools/artgen/README.md)" % tool)
                self.versions[tool] = v

        def one(r):
            for path, text in r.texts:
                with open(path, "w") as f:
                    f.write(text)
            cached = os.path.join(cache, r.key(self.versions) + ".png")
            if use_cache and os.path.exists(cached):
                shutil.copyfile(cached, r.output)
                return False
            res = subprocess.run(r.argv, capture_output=True, text=True, cwd=os.path.dirname(r.output))
            if res.returncode != 0 or not os.path.exists(r.output):
                raise RuntimeError("render failed: %s\n%s%s" % (" ".join(r.argv), res.stdout, res.stderr))
            shutil.copyfile(r.output, cached)
            return True

        with concurrent.futures.ThreadPoolExecutor(self.jobs) as pool:
            made = sum(pool.map(one, self.renders))
        return made


def build_packer():
    tree = os.path.join(BUILD, "tools")
    if not os.path.exists(os.path.join(tree, "build.ninja")):
        subprocess.run(["cmake", "-S", REPO, "-B", tree, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                        "-DFV_BUILD_TESTS=OFF", "-DFV_BUILD_BENCH=OFF", "-DFV_BUILD_GAME=OFF"],
                       check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", tree, "--target", "fv_artpack"], check=True, stdout=subprocess.DEVNULL)
    return os.path.join(tree, "tools", "artgen", "fv_artpack")


def load_stages(wanted):
    names = sorted(f[:-3] for f in os.listdir(STAGES) if f.endswith(".py") and not f.startswith("_"))
    for w in wanted:
        if w not in names:
            sys.exit("artgen: no stage %s (have: %s)" % (w, ", ".join(names)))
    modules = []
    for n in names:
        if wanted and n not in wanted:
            continue
        spec = importlib.util.spec_from_file_location("artgen_stage_" + n, os.path.join(STAGES, n + ".py"))
        mod = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(mod)
        modules.append((n, mod))
    return modules


def files_under(root):
    found = []
    for base, _, files in os.walk(root):
        for f in files:
            found.append(os.path.relpath(os.path.join(base, f), root))
    return sorted(found)


def build_game_tool(target, folder):
    """Builds one of the repository's tools that runs the game's own code (a Release tree with the
    game's layers, build/artgen/game); None when the tool is not in this tree."""
    if not os.path.isdir(os.path.join(REPO, "tools", folder)):
        return None
    tree = os.path.join(BUILD, "game")
    if not os.path.exists(os.path.join(tree, "build.ninja")):
        subprocess.run(["cmake", "-S", REPO, "-B", tree, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                        "-DFV_BUILD_TESTS=OFF", "-DFV_BUILD_BENCH=OFF"], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", tree, "--target", target], check=True, stdout=subprocess.DEVNULL)
    return os.path.join(tree, "tools", folder, target)


def generate(stages, out_root, sheet_root, jobs, use_cache):
    driver = Driver(jobs)
    contexts = []
    for name, mod in stages:
        ctx = Context(name, driver)
        ctx.module = mod
        mod.build(ctx)
        contexts.append(ctx)
    start = time.time()
    made = driver.run_renders(use_cache)
    print("artgen: %d renders (%d made, %d from cache) in %.1fs" %
          (len(driver.renders), made, len(driver.renders) - made, time.time() - start))
    job = ["root\t" + out_root]
    for ctx in contexts:
        if ctx.contact:
            title, path = ctx.contact
            job.append("\t".join(["group", title, os.path.join(sheet_root, path)]))
        job.extend(ctx.lines)
    job_path = os.path.join(BUILD, "job.txt")
    with open(job_path, "w") as f:
        f.write("\n".join(job) + "\n")
    packer = build_packer()
    start = time.time()
    subprocess.run([packer, job_path], check=True)
    print("artgen: packed in %.1fs" % (time.time() - start))
    # Files in a stage's own folders that it no longer makes are stale.
    made_paths = set()
    for line in job:
        f = line.split("\t")
        if f[0] in ("picture", "grid"):
            made_paths.add(f[1])
        elif f[0] == "atlas":
            made_paths.update((f[1], f[2]))
    # Stages with a finish step write what the packer does not (files outside data/bitmaps, steps
    # that need the packed textures); they name the files they made, relative to the data folder.
    extra, extra_sheets = [], []
    for ctx in contexts:
        if hasattr(ctx.module, "finish"):
            compiler = build_game_tool("fv_animcompile", "animcompile")
            files, sheet = ctx.module.finish(ctx, os.path.dirname(out_root), compiler)
            extra += files
            extra_sheets.append(sheet)
    for ctx in contexts:
        for folder in ctx.owned:
            for rel in files_under(os.path.join(out_root, folder)):
                path = os.path.join(folder, rel)
                if path not in made_paths:
                    print("artgen: removing stale %s" % path)
                    os.remove(os.path.join(out_root, path))
    return sorted(made_paths), [c.contact[1] for c in contexts if c.contact], extra, extra_sheets


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--stage", action="append", default=[], help="run only this stage (repeatable)")
    ap.add_argument("--verify", action="store_true",
                    help="rebuild without the render cache into a scratch folder and compare with the repository")
    ap.add_argument("--out", help="write the outputs under this folder instead of data/bitmaps (contact sheets beside it)")
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    args = ap.parse_args()
    stages = load_stages(args.stage)
    start = time.time()
    data = os.path.join(REPO, "data", "bitmaps")
    if not args.verify:
        out = os.path.abspath(args.out) if args.out else None
        generate(stages, os.path.join(out, "bitmaps") if out else data, out or REPO, args.jobs, use_cache=True)
        print("artgen: done in %.1fs" % (time.time() - start))
        return 0
    scratch = tempfile.mkdtemp(prefix="artgen-verify-")
    try:
        made, sheets, extra, extra_sheets = generate(stages, os.path.join(scratch, "bitmaps"), scratch, args.jobs,
                                                     use_cache=False)
        pairs = [(os.path.join(scratch, "bitmaps", m), os.path.join(data, m), m) for m in made]
        pairs += [(os.path.join(scratch, s), os.path.join(REPO, s), s) for s in sheets]
        pairs += [(os.path.join(scratch, e), os.path.join(REPO, "data", e), e) for e in extra]
        pairs += [(s, os.path.join(REPO, "art", os.path.basename(s)), os.path.basename(s)) for s in extra_sheets]
        differ = []
        for new, old, label in pairs:
            if not os.path.exists(old):
                differ.append(label + " (not in the repository)")
                continue
            with open(new, "rb") as a, open(old, "rb") as b:
                if a.read() != b.read():
                    differ.append(label)
        for d in differ:
            print("artgen: differs: " + d)
        print("artgen: verify: %d files compared, %d differ, %.1fs" % (len(pairs), len(differ), time.time() - start))
        return 1 if differ else 0
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
