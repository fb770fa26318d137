"""Reads the sample fragment with ezdxf and checks what it finds."""
import subprocess
import sys

import ezdxf


def main():
    writer, path = sys.argv[1], sys.argv[2]
    subprocess.run([writer, path], check=True)
    raw = open(path, "rb").read()
    assert raw.endswith(b"EOF\r\n"), "the file must end with EOF and CR LF"
    assert not raw.startswith(b"\xef\xbb\xbf"), "no byte-order mark"

    doc = ezdxf.readfile(path, encoding="cp932")
    assert doc.dxfversion == "AC1009", doc.dxfversion
    entities = list(doc.modelspace())
    kinds = [e.dxftype() for e in entities]
    assert kinds == ["POLYLINE", "POINT", "CIRCLE", "TEXT", "TEXT", "LINE", "LINE", "TEXT", "TEXT"], kinds

    polyline, point, circle, name, value, rule_h, rule_v, caption, cell = entities
    assert polyline.dxf.layer == "外周" and polyline.is_closed
    vertices = [tuple(v.dxf.location) for v in polyline.vertices]
    assert vertices == [(0, 0, 0), (10.5, 0, 1.25), (10.5, -20.125, 2)], vertices
    assert tuple(point.dxf.location) == (1, 2, 3) and point.dxf.layer == "点"
    assert tuple(circle.dxf.center) == (-12.5, 4, 0) and circle.dxf.radius == 2.5
    assert name.dxf.text == "No.1 境界杭" and name.dxf.height == 2.5 and name.dxf.layer == "測点名"
    assert value.dxf.halign == 0 and value.dxf.valign == 3 and value.dxf.width == 0.8
    assert tuple(value.dxf.align_point) == (1, 2, 3)
    assert tuple(rule_h.dxf.start)[:2] == (0, -5) and tuple(rule_h.dxf.end)[:2] == (85, -5)
    assert tuple(rule_v.dxf.start)[:2] == (25, 0) and tuple(rule_v.dxf.end)[:2] == (25, -15)
    assert caption.dxf.halign == 1 and caption.dxf.valign == 2 and caption.dxf.width == 1.0
    assert caption.dxf.text == "測点"
    assert cell.dxf.halign == 2 and cell.dxf.text == "123.456" and cell.dxf.width == 0.8
    print("ezdxf read %d entities: 1 passed, 0 failed" % len(entities))


if __name__ == "__main__":
    main()
