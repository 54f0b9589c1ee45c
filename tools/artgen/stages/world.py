"""Factory art: floors, walls and site markers, machines, staff, fittings, robots and their weld
cycle, overhead conveyors, resources and car component layers, all rendered from the POV-Ray
scenes under art/world/ through one camera and one lighting set-up (art/world/inc/). The list of
pictures is art/world/sprites.txt; the robot's weld cycle and the weld-spark flip-book are made
here. See art/world/README.md.

Every sprite is rendered by fv_artworld (tools/artworld), which adds the soft floor shadow to the
object and cuts car layers where earlier layers stand in front of them. After packing, finish()
writes what the packer does not: the identity tables of the floor textures, the robot
animations' sources and their compiled sheets and descriptions (through the game's own animation
compiler), and the contact sheet.
"""

import os
import re
import shutil
import subprocess

FACINGS = ("NE", "SE", "SW", "NW")   # facing numbers 0..3, the order of the game's sides
ROBOT_FACINGS = ("ne", "se", "sw", "nw")

# The weld cycle: unique poses of art/world/props/robot.pov and the game's eight sequences, each
# a list of poses (one per frame at 60 frames per second of game time). A pose is rendered once;
# the sequences repeat poses, and the animation compiler stores a repeated cell only once.
LEAN = list(range(0, 16))          # rest -> ready
TO_SEAM1 = list(range(16, 26))     # ready -> seam 1 (pose 25 is on the seam)
TO_SEAM2 = list(range(30, 40))     # ready -> seam 2 (pose 39 is on the seam)
WEAVE1 = [25, 26, 27, 28, 29, 28, 27, 26]
WEAVE2 = [39, 40, 41, 42, 43, 42, 41, 40]
ROBOT_POSES = sorted(set(LEAN + TO_SEAM1 + TO_SEAM2 + WEAVE1 + WEAVE2))


def hold(poses, n):
    return [p for p in poses for _ in range(n)]


ROBOT_SEQUENCES = [
    ("Lean In", LEAN),
    ("WL1In", TO_SEAM1),
    ("WL1Loop", hold(WEAVE1, 3)),
    ("WL1Out", list(reversed(TO_SEAM1[:-1])) + [15]),
    ("WL2In", TO_SEAM2),
    ("WL2Loop", hold(WEAVE2, 3)),
    ("WL2Out", list(reversed(TO_SEAM2[:-1])) + [15]),
    ("Lean Out", list(reversed(LEAN[:-1])) + [0]),
]
ROBOT_FRAME = 256            # animation frames: the robot2 prop is 256 x 256
SPARK_FRAMES = 24            # weld-spark flip-book: 24 frames over 400 ms
SPARK_MS = 400


class Animation:
    """One compiled animation family, one animation per facing: the scene, the declare that
    poses it, the pose values (each rendered once), the frames as pose indices and, for the
    welding robot, the eight sequences."""

    def __init__(self, name, scene, size, declares, param, values, frames, sections=None):
        self.name, self.scene, self.size, self.declares = name, scene, size, declares
        self.param, self.values, self.frames, self.sections = param, values, frames, sections


def robot_animation():
    frames, sections = [], []
    for title, poses in ROBOT_SEQUENCES:
        sections.append((title, len(frames), len(frames) + len(poses) - 1))
        frames += poses
    return Animation("arm_weld", "props/robot.pov", ROBOT_FRAME, {"Variant": "2"}, "Frame",
                     ROBOT_POSES, [ROBOT_POSES.index(p) for p in frames], sections)


# Machines that work on their own now and then (CONSTANT props): the press stamps once, the
# lathe spins its chuck, the generator's fan turns.
PRESS_DOWN = [0, 0.04, 0.16, 0.36, 0.64, 1.0]
PRESS_UP = [0.8, 0.55, 0.3, 0.12, 0.03]
MACHINE_ANIMATIONS = [
    Animation("press_stamp", "props/machine_press.pov", 512, {}, "RamDrop", PRESS_DOWN + PRESS_UP,
              list(range(6)) + [5] * 6 + list(range(6, 11)) + [0] * 6),
    Animation("lathe_turn", "props/machine_lathe.pov", 512, {}, "Spin", [22.5 * i for i in range(8)],
              list(range(8)) * 6),
    Animation("generator_fan", "props/machine_generator.pov", 512, {}, "Fan", [10 * i for i in range(6)],
              list(range(6)) * 8),
]


# World camera (art/world/inc/fv_camera.inc): metres to pixels.
TILE = 6.0
PX = 512.0 / (TILE * 2 ** 0.5)
VERT = PX * (3 ** 0.5) / 2


def screen(x, y, z):
    """Screen offset in pixels (x right, y down) of a world point from the floor origin."""
    return (PX * (x - z) / 2 ** 0.5, PX * (x + z) / (2 * 2 ** 0.5) - VERT * y)


def turn(facing, v):
    """A model vector (looking along +x) turned to a facing, as FV_FacingTurn does."""
    x, y, z = v
    return {1: (x, y, z), 2: (-z, y, x), 3: (-x, y, -z), 0: (z, y, -x)}[facing]


def expand(name):
    """(name, facing) pairs for a name with {F} or {f}, else [(name, None)]."""
    if "{F}" in name:
        return [(name.replace("{F}", f), i) for i, f in enumerate(FACINGS)]
    if "{f}" in name:
        return [(name.replace("{f}", f.lower()), i) for i, f in enumerate(FACINGS)]
    return [(name, None)]


def read_table(path):
    rows = []
    with open(path) as f:
        for number, raw in enumerate(f, 1):
            line = raw.split("#", 1)[0].strip()
            if not line:
                continue
            fields = line.split()
            if len(fields) < 5:
                raise SystemExit("artgen world: sprites.txt:%d: too few fields" % number)
            kind, name, scene, size, anchor = fields[:5]
            w, h = (int(v) for v in size.split("x"))
            opts = dict(o.split("=", 1) for o in fields[5:])
            rows.append((number, kind, name, scene, w, h, anchor, opts))
    return rows


def build_helper(ctx):
    """Builds fv_artworld in the art tools tree (the driver builds its packer there too)."""
    tree = os.path.join(ctx.repo, "build", "artgen", "tools")
    if not os.path.exists(os.path.join(tree, "build.ninja")):
        subprocess.run(["cmake", "-S", ctx.repo, "-B", tree, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                        "-DFV_BUILD_TESTS=OFF", "-DFV_BUILD_BENCH=OFF", "-DFV_BUILD_GAME=OFF"],
                       check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", tree, "--target", "fv_artworld"], check=True, stdout=subprocess.DEVNULL)
    return os.path.join(tree, "tools", "artworld", "fv_artworld")


class World:
    def __init__(self, ctx):
        self.ctx = ctx
        self.src = os.path.join(ctx.art, "world")
        self.helper = build_helper(ctx)
        incs = []
        for base, _, files in os.walk(self.src):
            incs += [os.path.join(base, f) for f in files if f.endswith(".inc")]
        self.inputs = sorted(incs) + [os.path.join(ctx.repo, "tools", "artworld", "artworld.cpp")]
        self.include_dirs = sorted({os.path.dirname(p) for p in incs})
        self.renders = {}          # sprite name -> png

    def render(self, name, scene, w, h, anchor, declares, shadow=None, mask=False):
        out = os.path.join(self.ctx.work, name + ".png")
        argv = [self.helper, os.path.join(self.src, scene), out, str(w), str(h)]
        if shadow is not None:
            argv.append("shadow=%s" % shadow)
        if mask:
            argv.append("mask=1")
        argv += ["+L" + d for d in self.include_dirs]
        if anchor == "flat":
            argv.append("shadow=0")
        elif anchor != "-":
            ax, ay = anchor.split(",")
            argv += ["Declare=FV_AX=%s" % ax, "Declare=FV_AY=%s" % ay]
        argv += ["Declare=FV_%s=%s" % (k, v) for k, v in sorted(declares.items())]
        self.ctx.command(argv, out, [os.path.join(self.src, scene)] + self.inputs)
        self.renders[name] = out
        return out


def build(ctx):
    world = World(ctx)
    ctx.world = world
    for folder in ("floors", "world"):
        ctx.owns(folder)
    atlases = {}               # texture -> (table, entries)
    parts = {}                 # picture made of stacked parts -> [png]
    floor_tables = {"floors": [], "floor_parts": []}
    ctx.world_floor_tables = floor_tables

    def add(texture, table, key, sprite, png, trim=True):
        atlases.setdefault(texture, (table, []))[1].append((key, sprite, png, trim))

    for number, kind, name, scene, w, h, anchor, opts in read_table(os.path.join(world.src, "sprites.txt")):
        declares = {k: v for k, v in opts.items() if k[0].isupper()}
        shadow = opts.get("shadow")
        for sprite, facing in expand(name):
            d = dict(declares)
            if facing is not None:
                d["Side" if kind in ("wall", "overhead") else "Facing"] = str(facing)
            if kind == "floor":
                png = world.render(sprite, scene, w, h, anchor, d, shadow="0")
                ctx.picture("floors/%s.dds" % sprite, png, "dxt")
                floor_tables[opts["table"]].append(sprite + ".dds")
            elif kind in ("wall", "overhead"):
                png = world.render(sprite, scene, w, h, anchor, d, shadow)
                add("world/walls1.dds" if kind == "wall" else "world/overhead1.dds",
                    "atlases/world_walls.atl" if kind == "wall" else "atlases/world_overhead.atl",
                    sprite, sprite + ".dds", png)
            elif kind == "prop":
                png = world.render(sprite, scene, w, h, anchor, d, shadow)
                add("world/%s.dds" % opts["atlas"], "atlases/world_%s.atl" % opts["atlas"], sprite, sprite + ".dds", png)
            elif kind == "resource":
                png = world.render(sprite, scene, w, h, anchor, d, "0")
                add("world/props1.dds", "atlases/world_props1.atl", sprite, sprite + ".dds", png)
            elif kind == "car":
                png = world.render(sprite, scene, w, h, anchor, d, shadow or "0", mask=(shadow is None))
                texture = "car1_ne" if sprite.endswith(("_ne", "_nw")) else "car1_sw"
                add("world/%s.dds" % texture, "atlases/world_%s.atl" % texture, sprite, sprite, png)
            elif kind == "picture":
                png = world.render(sprite, scene, w, h, anchor, d, shadow)
                if "part" in opts:
                    parts.setdefault(opts["part"], []).append(png)
                else:
                    ctx.picture("%s/%s.dds" % (opts.get("dest", "world"), sprite), png, opts.get("fmt", "dxt"))
            else:
                raise SystemExit("artgen world: sprites.txt:%d: unknown kind %s" % (number, kind))

    # Pictures made of parts: conveyor_gui (the stockpile marker above the conveyor arm) and
    # zoom_out_vehicle (the car dot's body left, its status spot right).
    ctx.grid("world/conveyor_gui.dds", "dxt", 1, 2, 512, 256, parts["conveyor_gui"])
    ctx.grid("world/zoom_out_vehicle.dds", "argb", 2, 1, 64, 64, parts["zoom_out_vehicle"])

    # The weld-spark flip-book: 8 x 8 cells running down each column.
    frames = [world.render("weld_sparks_%02d" % i, "effects/weld.pov", 128, 128, "64,64",
                           {"Frame": str(i), "PixelScale": "0.5"}, "0") for i in range(SPARK_FRAMES)]
    ctx.grid("world/weld_sparks.dds", "dxt", 8, 8, 128, 128, frames, "down")

    # Compiled animations, one per facing (never mirrored: the light stays put): every pose is
    # rendered once, finish() lays the frames out and compiles them.
    ctx.world_anims = []
    for anim in [robot_animation()] + MACHINE_ANIMATIONS:
        poses = {}
        for facing, f in enumerate(ROBOT_FACINGS):
            for k, value in enumerate(anim.values):
                d = dict(anim.declares)
                d.update({anim.param: str(value), "Facing": str(facing)})
                poses[(f, k)] = world.render("%s_%s_pose%02d" % (anim.name, f, k), anim.scene, anim.size, anim.size,
                                             "-", d)
        ctx.world_anims.append((anim, poses))

    for texture, (table, entries) in sorted(atlases.items()):
        ctx.atlas(table, texture, "dxt", sorted(entries), padding=2)


def robot_weld_points(poses_inc, facing):
    """Screen offsets of the two weld seams from the robot's anchor, for a facing."""
    text = open(poses_inc).read()
    points = []
    for key in ("FV_RobotWeld1", "FV_RobotWeld2"):
        m = re.search(r"#declare %s = <([^>]*)>" % key, text)
        x, y, z = (float(v) for v in m.group(1).split(","))
        tx, ty, tz = turn(facing, (x, y, z))
        # The robot stands in the bay below its anchor (FV_CellOffset).
        sx, sy = screen(tx + TILE / 8, ty, tz + TILE / 8)
        points.append((sx, sy))
    return points


def finish(ctx, data_root, compiler):
    """After the packer: writes the floor tables, the robot animations (sources, then the game's
    compiler makes their sheets and descriptions) and the contact sheet. Returns the files made,
    relative to data_root, and the contact sheet's path."""
    world = ctx.world
    made = []
    for table, names in sorted(ctx.world_floor_tables.items()):
        lines = ["// Floor textures as atlas entries of themselves: the game draws a floor as a plain",
                 "// picture; ghosts and the mission editor's floor list look it up here.", "[atlasdata]"]
        lines += ["f%d = %s,0,0,1,1,%s,0,0,1,1" % (i + 1, n, n) for i, n in enumerate(names)]
        path = os.path.join(data_root, "bitmaps", "atlases", table + ".atl")
        write_if_changed(path, "\n".join(lines) + "\n")
        made.append(os.path.relpath(path, data_root))
    made += compile_animations(ctx, data_root, compiler)
    sheet = os.path.join(os.path.dirname(data_root), "art", "contact-sheet-world.png") \
        if os.path.basename(data_root) == "data" else os.path.join(os.path.dirname(data_root), "contact-sheet-world.png")
    contact_sheet(ctx, sheet)
    return made, sheet


def compile_animations(ctx, data_root, compiler):
    """Stages the frames as the game's compiler expects them (PNG frames under data/bitmaps, a
    source per animation under data/animations), runs it, and copies the sources, descriptions
    and sheets into the data tree, the sheets block-compressed by the packer."""
    world = ctx.world
    stage = os.path.join(ctx.work, "animroot")
    shutil.rmtree(stage, ignore_errors=True)
    os.makedirs(os.path.join(stage, "data", "animations"))
    os.makedirs(os.path.join(stage, "data", "bitmaps", "animations"))
    poses_inc = os.path.join(world.src, "props", "robot_poses.inc")
    sources = {}
    for anim, poses in ctx.world_anims:
        for facing, f in enumerate(ROBOT_FACINGS):
            name = "%s_%s" % (anim.name, f)
            for i, k in enumerate(anim.frames):
                shutil.copyfile(poses[(f, k)], os.path.join(stage, "data", "bitmaps", "%s_%04d.png" % (name, i)))
            particles = ""
            if anim.sections:
                (w1x, w1y), (w2x, w2y) = robot_weld_points(poses_inc, facing)
                particles = "weld_sparks.dds,%d,%d,%d,%d,%d,%d" % (SPARK_FRAMES, SPARK_MS, round(w1x), round(w1y),
                                                                   round(w2x), round(w2y))
            lines = ["[config]", "name = %s" % name, "particles = %s" % particles,
                     "totalframes = %d" % len(anim.frames), "frame_name = %s_" % name,
                     "width = %d" % anim.size, "height = %d" % anim.size, ""]
            for n, (title, start, end) in enumerate(anim.sections or [], 1):
                lines += ["[section%d]" % n, "name = %s" % title, "startframe = %d" % start, "endframe = %d" % end, ""]
            text = "\n".join(lines)
            sources[name] = text
            with open(os.path.join(stage, "data", "animations", name + ".txt"), "w") as out:
                out.write(text)
    made = []
    for name, text in sorted(sources.items()):
        path = os.path.join(data_root, "animations", name + ".txt")
        write_if_changed(path, text)
        made.append(os.path.relpath(path, data_root))
    if not compiler:
        print("artgen world: the animation compiler is not built; animations not compiled")
        return made
    argv = [compiler, "--rebuild", stage]
    if not os.environ.get("DISPLAY"):
        argv = ["xvfb-run", "-a", "-s", "-screen 0 640x480x24"] + argv
    res = subprocess.run(argv, capture_output=True, text=True)
    print(res.stdout.strip())
    if res.returncode != 0:
        raise SystemExit("artgen world: the animation compiler failed\n" + res.stdout + res.stderr)
    # Descriptions as the compiler wrote them; sheets through the packer, DXT5.
    job = ["root\t" + os.path.join(data_root, "bitmaps")]
    for name in sorted(sources):
        rel = os.path.join("animations", name + ".txt.anim")
        copy_if_changed(os.path.join(stage, "data", rel), os.path.join(data_root, rel))
        made.append(rel)
        png = os.path.join(ctx.work, "sheet_%s.png" % name)
        subprocess.run([world.helper, "ddspng", os.path.join(stage, "data", "bitmaps", "animations", name + ".dds"), png],
                       check=True)
        job.append("\t".join(["picture", "animations/%s.dds" % name, "dxt", png, "nobleed"]))
        made.append(os.path.join("bitmaps", "animations", name + ".dds"))
    job_path = os.path.join(ctx.work, "sheets.txt")
    with open(job_path, "w") as out:
        out.write("\n".join(job) + "\n")
    packer = os.path.join(os.path.dirname(os.path.dirname(world.helper)), "artgen", "fv_artpack")
    subprocess.run([packer, job_path], check=True)
    return made


def copy_if_changed(src, dst):
    os.makedirs(os.path.dirname(dst), exist_ok=True)
    data = open(src, "rb").read()
    if os.path.exists(dst) and open(dst, "rb").read() == data:
        return
    with open(dst, "wb") as out:
        out.write(data)


def contact_sheet(ctx, path):
    """Every factory sprite on its floor tile, the facings of a prop side by side, each robot
    sequence as a strip of frames; drawn at full size, stored at half."""
    world = ctx.world
    r = world.renders
    floor = r["floor_concrete_01"]
    items = []
    cell_w, y = 576, 0
    width = cell_w * 8

    def row_of(names, frame_w, frame_h, anchor_x, anchor_y, under=floor, per_row=8):
        nonlocal y
        for i, n in enumerate(names):
            x = (i % per_row) * cell_w + 32
            top = y + (i // per_row) * (frame_h + 16)
            cx, cy = x + 256, top + anchor_y
            if under:
                items.append((r.get(under, under), cx - 256, cy - 128))
            items.append((r[n], cx - anchor_x, cy - anchor_y))
        y += ((len(names) + per_row - 1) // per_row) * (frame_h + 16) + 32

    floors = [n for n in r if n.startswith(("floor_", "conveyor_insert", "car_conv", "car_turn", "car_merge",
                                            "car_split", "export_tile", "tile_blank_outline"))]
    row_of(sorted(floors), 512, 256, 256, 128, under=None)
    walls = sorted(n for n in r if n.startswith("wall"))
    row_of(walls, 512, 512, 256, 384)
    row_of(sorted(n for n in r if n.startswith("overhead_") and n != "overhead_hook_NW"), 512, 512, 256, 384)
    for family in sorted({re.sub(r"_(ne|se|sw|nw)$", "", n) for n in r if n.startswith("prop_")}):
        names = ["%s_%s" % (family, f) for f in ROBOT_FACINGS]
        size = max((read_png_size(r[n]) for n in names))
        row_of(names, size[1], size[1], size[0] // 2, size[1] // 2, per_row=4)
    res = sorted(n for n in r if n.startswith("res_"))
    for i, n in enumerate(res):
        x, top = (i % 16) * 256, y + (i // 16) * 160
        items.append((r["prop_pallet_se"], x + 64, top))
        items.append((r[n], x + 64, top + 12))
    y += ((len(res) + 15) // 16) * 160 + 32
    layers = ["chassis", "axles", "fuel_tank", "engine", "wheels", "body_colour", "seats", "doors_colour",
              "windscreen", "sunroof", "spoiler"]
    for f in ROBOT_FACINGS:
        x = 0
        for upto in range(1, len(layers) + 1):
            for layer in layers[:upto]:
                items.append((r["car_%s_%s" % (layer, f)], x, y))
            x += 372
        y += 216
    y += 32
    for anim, poses in ctx.world_anims:
        if anim.sections:
            for title, start, end in anim.sections:
                for k, i in enumerate(range(start, end + 1, 2)):
                    items.append((poses[("se", anim.frames[i])], k * 200, y))
                y += 232
        else:
            for k, i in enumerate(range(0, len(anim.frames), max(1, len(anim.frames) // 12))[:12]):
                items.append((poses[("se", anim.frames[i])], k * 384, y))
            y += 520
    for i in range(SPARK_FRAMES):
        items.append((r["weld_sparks_%02d" % i], i * 128, y))
    y += 160
    layout = os.path.join(ctx.work, "contact.txt")
    with open(layout, "w") as out:
        out.write("".join("%s %d %d\n" % it for it in items))
    subprocess.run([world.helper, "compose", path, str(width), str(y), layout], check=True)


def read_png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    return int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")


def write_if_changed(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if os.path.exists(path) and open(path).read() == text:
        return
    with open(path, "w") as f:
        f.write(text)
