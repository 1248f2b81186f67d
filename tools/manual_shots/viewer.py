#!/usr/bin/env python3
"""Screenshots of the Viewer, its chooser and the text list for the manual.

    viewer.py BUILD_DIR OUT_DIR

Runs on the X display in DISPLAY (tools/manual_shots/run.sh provides one with a window
manager): starts BUILD_DIR/src/app/quarrybook Sample on the sample library, drives it with
xdotool and saves PNGs with ImageMagick's import.
"""
import os
import subprocess
import sys
import time

from _xdo import keys, shoot, window, xdo


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    build, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    env = dict(os.environ, QUARRYBOOK_CONFIG_DIR=os.path.join(build, "data", "sample"))
    app = subprocess.Popen([os.path.join(build, "src", "app", "quarrybook"), "Sample"], env=env)
    try:
        main_window = window("Orrin Quarrybook Sample Science")
        time.sleep(1.5)
        xdo("windowactivate", "--sync", main_window)
        # The Viewer on the first question, right of the finder's column.
        shoot("root", os.path.join(out, "viewer.png"), "656x400+364+74")

        # Question 4 is linked to two specification points: its link jump asks which.
        keys(*["alt+v", "n"] * 5)
        keys("alt+v", "r", "Down", "Down", "Down", "Return", pause=0.6)
        chooser = window("Related Information")
        time.sleep(0.5)
        shoot(chooser, os.path.join(out, "related.png"))
        keys("Escape")

        # The text list of mark schemes, with one row clicked.
        xdo("windowactivate", "--sync", main_window)
        keys("alt+v", "m", pause=0.8)
        text_list = window("Mark Scheme")
        xdo("mousemove", "--window", text_list, "120", "60", "click", "1")
        time.sleep(0.6)
        shoot(text_list, os.path.join(out, "textlist.png"))
        xdo("windowclose", text_list)
        keys("Escape")

        # Docked: the Viewer's window menu, then Dock at Bottom.
        xdo("windowactivate", "--sync", main_window)
        keys("ctrl+w", pause=0.6)
        xdo("mousemove", "377", "85", "click", "1")
        time.sleep(0.5)
        keys("d", pause=1.0)
        shoot("root", os.path.join(out, "viewer-docked.png"))
    finally:
        app.terminate()
        try:
            app.wait(5)
        except subprocess.TimeoutExpired:
            app.kill()


if __name__ == "__main__":
    main()
