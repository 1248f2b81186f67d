"""Small PNG and JPEG pictures for the corpus: graphs, circuits and "photographs"
drawn as a PDF, then rasterised with pdftoppm so that no imaging library is needed."""
import math
import random
import subprocess
from pathlib import Path

# name: (kind, width, height) in points; the file type follows the name.
PICTURES = {
    "graph1.png": ("graph", 220, 130),
    "graph2.png": ("graph", 200, 140),
    "graph3.png": ("graph", 240, 120),
    "circuit1.png": ("circuit", 150, 90),
    "circuit2.png": ("circuit", 150, 90),
    "circuit3.png": ("circuit", 180, 100),
    "photo1.jpg": ("photo", 190, 130),
    "photo2.jpg": ("photo", 240, 150),
    "photo3.jpg": ("photo", 200, 150),
    "photo4.jpg": ("photo", 160, 120),
    "graph4.png": ("graph", 210, 120),
    "graph5.png": ("graph", 180, 120),
    "circuit4.png": ("circuit", 160, 100),
    "photo5.jpg": ("photo", 180, 120),
    "photo6.jpg": ("photo", 220, 140),
}


def _graph(w, h, rnd):
    ops = ["0 0 0 RG 1 w", f"20 15 m 20 {h - 10} l S", f"20 15 m {w - 10} 15 l S",
           "0.6 0.6 0.6 RG 0.3 w"]
    for x in range(40, int(w) - 10, 20):
        ops.append(f"{x} 15 m {x} {h - 10} l S")
    for y in range(35, int(h) - 10, 20):
        ops.append(f"20 {y} m {w - 10} {y} l S")
    ops.append("0 0 0.7 RG 1.5 w")
    k, phase = rnd.uniform(0.02, 0.06), rnd.uniform(0, 3)
    pts = [(20 + i, 15 + (h - 35) * (0.5 + 0.45 * math.sin(k * i + phase))) for i in range(0, int(w) - 30, 4)]
    ops.append(f"{pts[0][0]:.1f} {pts[0][1]:.1f} m " + " ".join(f"{x:.1f} {y:.1f} l" for x, y in pts[1:]) + " S")
    return ops


def _circuit(w, h, rnd):
    ops = ["0 0 0 RG 1.2 w", f"15 15 {w - 30} {h - 30} re S", "1 1 1 rg"]
    for i in range(rnd.randint(2, 3)):
        x = 30 + i * (w - 60) / 3 + rnd.uniform(0, 12)
        ops.append(f"{x:.1f} {h - 21} 24 12 re B")
    ops.append(f"{w / 2 - 3} 10 m {w / 2 - 3} 20 l S {w / 2 + 3} 12 m {w / 2 + 3} 18 l S")
    cx, cy = w - 15, h / 2
    ops.append(f"{cx - 8} {cy - 8} 16 16 re B {cx - 6} {cy - 6} m {cx + 6} {cy + 6} l S")
    return ops


def _photo(w, h, rnd):
    ops = []
    for i in range(24):
        r, g, b = (rnd.uniform(0.2, 0.95) for _ in range(3))
        ops.append(f"{r:.2f} {g:.2f} {b:.2f} rg {rnd.uniform(0, w):.1f} {rnd.uniform(0, h):.1f} "
                   f"{rnd.uniform(10, w / 2):.1f} {rnd.uniform(10, h / 2):.1f} re f")
    return ops


def _pdf(pages):
    objs = ["<< /Type /Catalog /Pages 2 0 R >>", None]
    kids = []
    for w, h, ops in pages:
        stream = "\n".join(ops).encode()
        objs.append(f"<< /Length {len(stream)} >>\nstream\n".encode() + stream + b"\nendstream")
        objs.append(f"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 {w} {h}] /Contents {len(objs)} 0 R >>")
        kids.append(f"{len(objs)} 0 R")
    objs[1] = f"<< /Type /Pages /Kids [{' '.join(kids)}] /Count {len(kids)} >>"
    out, offsets = bytearray(b"%PDF-1.4\n"), []
    for n, o in enumerate(objs, 1):
        offsets.append(len(out))
        out += f"{n} 0 obj\n".encode() + (o if isinstance(o, bytes) else o.encode()) + b"\nendobj\n"
    xref = len(out)
    out += f"xref\n0 {len(objs) + 1}\n0000000000 65535 f \n".encode()
    out += b"".join(f"{o:010d} 00000 n \n".encode() for o in offsets)
    out += f"trailer\n<< /Size {len(objs) + 1} /Root 1 0 R >>\nstartxref\n{xref}\n%%EOF\n".encode()
    return bytes(out)


def make_pictures(folder: Path) -> dict:
    """Writes every picture into folder; returns name -> path."""
    rnd = random.Random(13)
    draw = {"graph": _graph, "circuit": _circuit, "photo": _photo}
    pages = [(w, h, ["1 1 1 rg", f"0 0 {w} {h} re f"] + draw[kind](w, h, rnd))
             for kind, w, h in PICTURES.values()]
    pdf = folder / "pictures.pdf"
    pdf.write_bytes(_pdf(pages))
    paths = {}
    for page, name in enumerate(PICTURES, 1):
        stem, ext = name.rsplit(".", 1)
        kind = ["-png"] if ext == "png" else ["-jpeg", "-jpegopt", "quality=70"]
        subprocess.run(["pdftoppm", "-f", str(page), "-l", str(page), "-r", "48", *kind,
                        "-singlefile", str(pdf), str(folder / stem)], check=True)
        paths[name] = folder / name
    return paths
