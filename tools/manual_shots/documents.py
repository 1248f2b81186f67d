#!/usr/bin/env python3
"""Screenshots of test documents and the File menu's prompts for the manual.

    documents.py BUILD_DIR OUT_DIR

Runs on the X display in DISPLAY (tools/manual_shots/run.sh provides one with a window
manager): makes a test document with BUILD_DIR's qbtool, starts BUILD_DIR/src/app/quarrybook
Sample on the sample library, opens the document with File > Open, drives the program with
xdotool and saves PNGs with ImageMagick's import. The document window's rows are found
through the accessibility interface (pyatspi).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from _xdo import keys, shoot, window, xdo


def document_rows(caption):
    """Screen rectangles (x, y, w, h) of the rows of the document window `caption`."""
    try:
        import pyatspi
    except ImportError:
        return None

    def find(acc, depth=0):
        if depth > 12:
            return None
        try:
            if acc.getRoleName() == "list" and acc.name == "Document " + caption:
                return acc
            for i in range(acc.childCount):
                hit = find(acc.getChildAtIndex(i), depth + 1)
                if hit:
                    return hit
        except Exception:
            return None
        return None

    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app and app.name == "Orrin Quarrybook":
            found = find(app)
            if found:
                rows = []
                for r in range(found.childCount):
                    e = found.getChildAtIndex(r).queryComponent().getExtents(
                        pyatspi.DESKTOP_COORDS)
                    rows.append((e.x, e.y, e.width, e.height))
                return rows
    return None


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    build, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    sample = os.path.join(build, "data", "sample")
    env = dict(os.environ, QUARRYBOOK_CONFIG_DIR=sample, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    work = tempfile.mkdtemp(prefix="qb-shots-")
    test = os.path.join(work, "Forces test.vqd")
    subprocess.run([os.path.join(build, "tools", "qbtool", "qbtool"), "new-doc", "Sample", test,
                    "Q1", "Q2a", "Q3", "Q4", "Q5", "Q6"], env=env, check=True)
    # Started in the document's folder, where the Open dialog starts too.
    app = subprocess.Popen([os.path.abspath(os.path.join(build, "src", "app", "quarrybook")),
                            "Sample"], env=env, cwd=work)
    try:
        main_window = window("Orrin Quarrybook Sample Science")
        time.sleep(1.5)
        xdo("windowactivate", "--sync", main_window)

        # File > Open, the file's path typed into the dialog.
        # The first showing may still be busy: ask again until the dialog is there.
        for attempt in range(3):
            keys("ctrl+o", pause=1.0)
            try:
                dialog = window("Open", timeout=4.0)
                break
            except SystemExit:
                if attempt == 2:
                    raise
                xdo("windowactivate", "--sync", main_window)
        shoot(dialog, os.path.join(out, "open-dialog.png"))
        xdo("type", "--delay", "20", os.path.basename(test))
        keys("Return", pause=1.5)

        # Two rows selected: the status line totals them.
        rows = document_rows("Forces test.vqd")
        if not rows:
            rows = [(5, 96 + 33 * i, 336, 33) for i in range(6)]
        x0, y0 = rows[0][0], rows[0][1]
        click = lambda r: (str(rows[r][0] + 120), str(rows[r][1] + 16))
        xdo("mousemove", *click(1), "click", "1")
        time.sleep(0.3)
        xdo("keydown", "ctrl", "mousemove", *click(3), "click", "1", "keyup", "ctrl")
        time.sleep(0.6)
        window_crop = "%dx%d+%d+%d" % (rows[0][2] + 24, 33 * 7 + 12, max(0, x0 - 8),
                                       max(0, y0 - 30))
        shoot("root", os.path.join(out, "documents.png"), window_crop)
        height = int(xdo("getdisplaygeometry").split()[1])
        shoot("root", os.path.join(out, "documents-status.png"), "520x24+0+%d" % (height - 24))

        # Dragging the first entry below the last row moves it to the end.
        xdo("mousemove", *click(0), "click", "1")
        time.sleep(0.3)
        bottom = rows[-1][1] + 33 + 12
        xdo("mousedown", "1")
        for step in range(1, 11):
            xdo("mousemove", str(x0 + 120), str(rows[0][1] + 16 + (bottom - rows[0][1]) * step // 10))
            time.sleep(0.05)
        time.sleep(0.3)
        xdo("mouseup", "1")
        time.sleep(0.6)
        shoot("root", os.path.join(out, "documents-moved.png"), window_crop)

        # Closing the main window asks about the changed document.
        xdo("windowactivate", "--sync", main_window)
        keys("alt+F4", pause=1.0)
        prompt = next((w for w in xdo("search", "--onlyvisible", "--name", "Orrin Quarrybook")
                       .split() if w != main_window), "root")
        shoot(prompt, os.path.join(out, "save-prompt.png"))
        keys("Escape")
    finally:
        app.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
