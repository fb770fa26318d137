"""Reads every DXF fragment in a folder with ezdxf, a reader we did not write,
and checks that it finds what the raw group pairs hold."""
import pathlib
import sys

import ezdxf


def raw_entities(path):
    """Top-level entities of the ENTITIES section as (type, {code: [values]})."""
    lines = path.read_bytes().decode("cp932").split("\r\n")
    assert lines[-1] == "", "the file must end with CR LF"
    pairs = list(zip(lines[0:-1:2], lines[1:-1:2]))
    start = pairs.index(("  2", "ENTITIES")) + 1
    entities = []
    for code, value in pairs[start:]:
        if code.strip() == "0":
            if value in ("ENDSEC", "EOF"):
                break
            entities.append((value, {}))
        else:
            entities[-1][1].setdefault(code.strip(), []).append(value)
    return entities


def check(path):
    doc = ezdxf.readfile(str(path), encoding="cp932")
    assert doc.dxfversion == "AC1009", doc.dxfversion
    raw = raw_entities(path)
    found = list(doc.modelspace())
    expected_types = [kind for kind, _ in raw if kind not in ("VERTEX", "SEQEND")]
    assert [e.dxftype() for e in found] == expected_types, (path, [e.dxftype() for e in found], expected_types)

    vertex_runs = []
    for kind, _ in raw:
        if kind == "POLYLINE":
            vertex_runs.append(0)
        elif kind == "VERTEX":
            vertex_runs[-1] += 1
    polylines = [e for e in found if e.dxftype() == "POLYLINE"]
    assert [len(p.vertices) for p in polylines] == vertex_runs, (path, vertex_runs)

    raw_texts = [fields["1"][0] for kind, fields in raw if kind == "TEXT"]
    assert [e.dxf.text for e in found if e.dxftype() == "TEXT"] == raw_texts, path
    for kind, fields in raw:
        if "8" in fields:
            assert "\r" not in fields["8"][0] and "\n" not in fields["8"][0]
    return len(found)


def main():
    folder = pathlib.Path(sys.argv[1])
    files = sorted(p for p in folder.glob("**/*.dxf") if p.is_file())
    if not files:
        print("no fragment written in %s" % folder)
    for path in files:
        count = check(path)
        print("%s: ezdxf read %d entities" % (path.name, count))


if __name__ == "__main__":
    main()
