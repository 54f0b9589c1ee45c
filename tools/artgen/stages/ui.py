"""Interface art: every widget texture, icon, the logo and the default savegame picture, from the
SVG sources under art/ui/ listed in art/ui/textures.txt."""

import os
import re

TOKEN = re.compile(r"\$\{([A-Za-z0-9_]+)\}")


def read_ini(path):
    sections, current = {}, None
    with open(path) as f:
        for raw in f:
            line = raw.split(";", 1)[0].strip()
            if not line:
                continue
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1], {})
            elif "=" in line and current is not None:
                k, v = line.split("=", 1)
                current[k.strip()] = v.strip()
    return sections


def svg_body(text):
    """The content of an SVG document between its root tags (glyphs are kept as whole documents
    so they open in any editor)."""
    start = text.index(">", text.index("<svg")) + 1
    return re.sub(r"<!--.*?-->", "", text[start:text.rindex("</svg>")], flags=re.S).strip()


def fill(text, values, where):
    # Values may themselves name values (a state's colour is a palette colour): a few passes.
    for _ in range(4):
        new = TOKEN.sub(lambda m: values.get(m.group(1), m.group(0)), text)
        if new == text:
            break
        text = new
    left = TOKEN.search(text)
    if left:
        raise SystemExit("artgen ui: %s: unknown name ${%s}" % (where, left.group(1)))
    return text


def build(ctx):
    src = os.path.join(ctx.art, "ui")
    ini = read_ini(os.path.join(src, "palette.ini"))
    palette = dict(ini["palette"])
    defs = svg_body(open(os.path.join(src, "defs.svg")).read())
    ctx.contact_sheet("Ferrovane interface art", "art/contact-sheet-ui.png")
    for folder in ("gui", "icons", "ui"):
        ctx.owns(folder)
    with open(os.path.join(src, "textures.txt")) as f:
        for number, raw in enumerate(f, 1):
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            fields = line.split()
            dest, size, source = fields[0], fields[1], fields[2]
            where = "textures.txt:%d" % number
            w, h = (int(v) for v in size.split("x"))
            values = dict(palette)
            values.update(ini["state.normal"])
            fmt, flags, hotspot = "argb", [], None
            inputs = [os.path.join(src, "palette.ini"), os.path.join(src, "defs.svg"), os.path.join(src, source)]
            for opt in fields[3:]:
                if "=" not in opt:
                    flags.append(opt)
                    continue
                k, v = opt.split("=", 1)
                if k == "fmt":
                    fmt = v
                elif k == "hotspot":
                    hotspot = tuple(int(n) for n in v.split(","))
                elif k == "state":
                    values.update(ini["state." + v])
                elif k.startswith("glyph"):
                    path = os.path.join(src, "glyphs", v + ".svg")
                    inputs.append(path)
                    values[k] = svg_body(open(path).read())
                else:
                    values[k] = v
            values["defs"] = defs
            values["W"], values["H"] = str(w), str(h)
            text = fill(open(os.path.join(src, source)).read(), values, where)
            name = dest.replace("/", "__").rsplit(".", 1)[0]
            png = ctx.svg(name, text, w, h, inputs)
            ctx.picture(dest, png, fmt, *flags, hotspot=hotspot)
