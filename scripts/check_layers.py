#!/usr/bin/env python3
"""Fails when a source includes a header of a layer above its own, or a system library header
(SDL, GL, epoxy, curl, mixer, stb) that its layer does not own. The layers and what each may
use mirror the link lines of CMakeLists.txt; tests may use whatever their layer links."""
import os
import re
import subprocess
import sys

# layer: (source folders, layers it links directly, system libraries its own sources may include)
LAYERS = {
    "platform_core": (["platform/core"], [], []),
    "platform_video": (["platform/video"], ["platform_core"], ["sdl", "gl", "stb"]),
    "platform_audio": (["platform/audio"], ["platform_core"], ["sdl", "mixer"]),
    "platform_net": (["platform/net"], ["platform_core"], ["curl"]),
    "engine_core": (["engine/core"], ["platform_core"], []),
    "engine": (["engine"], ["engine_core", "platform_video"], []),
    "sim": (["src/sim"], ["engine_core", "platform_core"], []),
    "save": (["src/save"], ["sim"], []),
    "toolkit": (["src/gui/toolkit"], ["engine", "platform_audio"], []),
    "factoryview": (["src/gui/factory"], ["toolkit", "sim"], []),
    "screens": (["src/gui/screens"], ["factoryview", "save", "toolkit", "sim"], []),
    "editors": (["src/gui/editors"], ["screens"], []),
    "game": (["src/update", "src"], ["editors", "platform_net"], []),
}
# Where the tests of each layer live (tests mirror the sources).
TEST_FOLDERS = {
    "platform_core": "tests/platform/core", "platform_video": "tests/platform/video",
    "platform_audio": "tests/platform/audio", "platform_net": "tests/platform/net",
    "engine_core": "tests/engine/core", "engine": "tests/engine", "sim": "tests/sim",
    "save": "tests/save", "toolkit": "tests/gui/toolkit", "factoryview": "tests/gui/factory",
    "screens": "tests/gui/screens", "editors": "tests/gui/editors", "game": "tests/app",
}
# Include prefixes that name a project layer, longest first.
PREFIXES = [
    ("platform/core/", "platform_core"), ("platform/video/", "platform_video"),
    ("platform/audio/", "platform_audio"), ("platform/net/", "platform_net"),
    ("engine/core/", "engine_core"), ("engine/", "engine"), ("sim/", "sim"), ("save/", "save"),
    ("gui/toolkit/", "toolkit"), ("gui/factory/", "factoryview"), ("gui/screens/", "screens"),
    ("gui/editors/", "editors"), ("update/", "game"),
]
SYSTEM = [
    (re.compile(r"^SDL2?/?SDL_mixer\.h$"), "mixer"), (re.compile(r"^(SDL2/)?SDL"), "sdl"),
    (re.compile(r"^(epoxy|GL|GLES\d?)/"), "gl"), (re.compile(r"^curl/"), "curl"),
    (re.compile(r"^stb_"), "stb"),
]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def closure(layer):
    seen, todo = set(), [layer]
    while todo:
        name = todo.pop()
        if name not in seen:
            seen.add(name)
            todo.extend(LAYERS[name][1])
    return seen


def layer_of(path):
    """(layer, is_test) of a source path, or (None, False) when no layer rule applies."""
    best = None
    for name, (folders, _, _) in LAYERS.items():
        for folder in folders:
            if path.startswith(folder + "/") and (best is None or len(folder) > len(best[1])):
                if folder == "src" and "/" in path[len("src/"):]:
                    continue  # src/ itself holds only the game's own files; sub-folders are layers
                best = (name, folder)
    if best:
        return best[0], False
    for name, folder in sorted(TEST_FOLDERS.items(), key=lambda kv: -len(kv[1])):
        if path.startswith(folder + "/"):
            return name, True
    return None, False


def check(root, files):
    problems = []
    game_root = {f for f in os.listdir(os.path.join(root, "src")) if f.endswith(".h")}
    for path in files:
        layer, is_test = layer_of(path)
        if layer is None:
            continue
        allowed_layers = closure(layer)
        if is_test:
            allowed_system = {s for l in allowed_layers for s in LAYERS[l][2]}
        else:
            allowed_system = set(LAYERS[layer][2])
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                name = m.group(2)
                target = None
                for prefix, owner in PREFIXES:
                    if name.startswith(prefix):
                        target = owner
                        break
                if target is None and m.group(1) == '"' and name in game_root:
                    target = "game"
                if target is not None:
                    if target not in allowed_layers:
                        problems.append(f"{path}:{number}: {layer} may not include {name} ({target})")
                    continue
                for pattern, lib in SYSTEM:
                    if pattern.search(name):
                        if lib not in allowed_system:
                            problems.append(f"{path}:{number}: {layer} may not include <{name}> ({lib})")
                        break
    return problems


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    files = subprocess.run([os.path.join(root, "scripts", "sources.sh")], capture_output=True, text=True,
                           check=True).stdout.split()
    problems = check(root, files)
    for p in problems:
        print(p)
    if problems:
        print(f"layers: {len(problems)} include(s) break the layer rules")
        return 1
    print(f"layers: {len(files)} files keep to their layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
