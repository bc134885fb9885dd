"""Reads a DXF drawing back with ezdxf (Debian's python3-ezdxf) and prints what the tests compare, as JSON:
the header, the active viewport, the largest handle in the file, the layers with their colour, lineweight
and linetype, the text styles with their font family and file, the blocks, every entity's type, layer,
colour, lineweight, linetype and geometry (hatches with their boundaries and pattern lines, inserts with
their block), and every text with its alignment. With --png FILE also renders the drawing (ezdxf's drawing
add-on with matplotlib)."""
import json
import sys

import ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode


def text_as_cad_shows_it(raw):
    """A TEXT's characters: \\U+XXXX escapes decoded, the control code %%% a percent sign."""
    return decode_dxf_unicode(raw).replace("%%%", "%")


def largest_handle(path):
    """The largest handle the file itself holds (groups 5 and 105), read from its bytes."""
    with open(path, "rb") as f:
        lines = f.read().split(b"\r\n")
    largest = 0
    previous = b""
    for code, value in zip(lines[0::2], lines[1::2]):
        if code.strip() in (b"5", b"105") and previous != b"$HANDSEED":
            largest = max(largest, int(value.strip(), 16))
        previous = value.strip()
    return largest


def main():
    path = sys.argv[1]
    doc = ezdxf.readfile(path)
    vport = doc.viewports.get("*Active")
    if isinstance(vport, list):
        vport = vport[0]
    auditor = doc.audit()
    out = {
        "version": doc.dxfversion,
        "encoding": doc.encoding,
        "codepage": doc.header.get("$DWGCODEPAGE", ""),
        "insunits": doc.header.get("$INSUNITS", 0),
        "extmin": list(doc.header.get("$EXTMIN", (0, 0, 0)))[:2],
        "extmax": list(doc.header.get("$EXTMAX", (0, 0, 0)))[:2],
        "audit_errors": [e.message for e in auditor.errors],
        "handseed": int(doc.header.get("$HANDSEED", "0"), 16),
        "largest_handle": largest_handle(path),
        "vport": {"center": list(vport.dxf.center)[:2], "height": vport.dxf.height,
                  "aspect": vport.dxf.aspect_ratio},
        "layers": sorted(layer.dxf.name for layer in doc.layers),
        "layer_styles": {layer.dxf.name: {"color": layer.dxf.color, "lineweight": layer.dxf.lineweight,
                                          "linetype": layer.dxf.linetype} for layer in doc.layers},
        "linetypes": {lt.dxf.name: list(lt.simplified_line_pattern()) for lt in doc.linetypes},
        "styles": {s.dxf.name: s.get_extended_font_data()[0] for s in doc.styles},
        "font_files": {s.dxf.name: s.dxf.font for s in doc.styles},
        "blocks": {b.name: [e.dxftype() for e in b] for b in doc.blocks if not b.name.startswith("*")},
        "entities": [],
    }
    for e in doc.modelspace():
        item = {"type": e.dxftype(), "layer": e.dxf.layer, "color": e.dxf.color,
                "linetype": e.dxf.get("linetype", "BYLAYER")}
        if e.dxftype() == "LINE":
            item["points"] = [list(e.dxf.start)[:2], list(e.dxf.end)[:2]]
        elif e.dxftype() == "LWPOLYLINE":
            item["points"] = [list(p)[:2] for p in e.get_points("xy")]
            item["closed"] = bool(e.closed)
        elif e.dxftype() == "SOLID":
            item["points"] = [list(e.dxf.get(v))[:2] for v in ("vtx0", "vtx1", "vtx2", "vtx3")]
        elif e.dxftype() == "CIRCLE":
            item["points"] = [list(e.dxf.center)[:2]]
            item["radius"] = e.dxf.radius
        elif e.dxftype() == "TEXT":
            item["text"] = text_as_cad_shows_it(e.dxf.text)
            item["style"] = e.dxf.style
            item["height"] = e.dxf.height
            item["points"] = [list(e.dxf.insert)[:2]]
            item["halign"] = e.dxf.halign
            item["align_point"] = list(e.dxf.get("align_point", e.dxf.insert))[:2]
        elif e.dxftype() == "INSERT":
            item["block"] = e.dxf.name
            item["points"] = [list(e.dxf.insert)[:2]]
            item["scale"] = [e.dxf.xscale, e.dxf.yscale]
        elif e.dxftype() == "HATCH":
            item["pattern"] = e.dxf.pattern_name
            item["solid"] = bool(e.dxf.solid_fill)
            item["loops"] = [[list(v)[:2] for v in path.vertices] for path in e.paths
                             if hasattr(path, "vertices")]
            item["pattern_lines"] = ([{"angle": line.angle, "offset": list(line.offset)[:2]}
                                      for line in e.pattern.lines] if e.pattern else [])
        if e.dxf.hasattr("lineweight"):
            item["lineweight"] = e.dxf.lineweight
        out["entities"].append(item)
    if len(sys.argv) > 3 and sys.argv[2] == "--png":
        render(doc, sys.argv[3])
    json.dump(out, sys.stdout, ensure_ascii=False)


def render(doc, png):
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    from ezdxf.addons.drawing import Frontend, RenderContext
    from ezdxf.addons.drawing.matplotlib import MatplotlibBackend
    from ezdxf.addons.drawing.properties import LayoutProperties
    from ezdxf.tools import fonts

    # The MS fonts are not installed here: draw with the IPA fonts that stand in for them on paper.
    for ttf, family in (("ipam.ttf", "IPAMincho"), ("ipamp.ttf", "IPAPMincho")):
        fonts.font_face_cache[ttf] = fonts.FontFace(
            ttf=ttf, family=family, style="normal", stretch="normal", weight="normal")
        fonts.font_measurement_cache[family] = fonts.FontMeasurements(
            baseline=0, cap_height=0.73, x_height=0.5, descender_height=0.12)
    for style in doc.styles:
        family = style.get_extended_font_data()[0]
        style.dxf.font = "ipamp.ttf" if "Ｐ" in family else "ipam.ttf"
        style.discard_xdata("ACAD")
    msp = doc.modelspace()
    fig = plt.figure(figsize=(8.27, 11.69))
    ax = fig.add_axes([0, 0, 1, 1])
    ctx = RenderContext(doc)
    ctx.set_current_layout(msp)
    props = LayoutProperties.from_layout(msp)
    props.set_colors("#ffffff")
    Frontend(ctx, MatplotlibBackend(ax)).draw_layout(msp, finalize=True, layout_properties=props)
    fig.savefig(png, dpi=100, facecolor="white")


if __name__ == "__main__":
    main()
