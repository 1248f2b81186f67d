#!/usr/bin/env python3
"""Screenshot of the Print Preview for the manual.

    output.py BUILD_DIR OUT_DIR

Runs on the X display in DISPLAY (tools/manual_shots/run.sh provides one with a window
manager): makes a test document of sample questions with BUILD_DIR's qbtool, opens it
in BUILD_DIR/src/app/quarrybook, opens the preview from the File menu with xdotool and
saves a PNG with ImageMagick's import.
"""
import os
import subprocess
import sys
import tempfile
import time

from _xdo import keys, shoot, window, xdo


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    build, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    config = os.path.join(build, "data", "sample")
    env = dict(os.environ, QUARRYBOOK_CONFIG_DIR=config)
    work = tempfile.mkdtemp()
    test = os.path.join(work, "Forces test.vqd")
    subprocess.run([os.path.join(build, "tools", "qbtool", "qbtool"), "new-doc", "Sample", test,
                    "Q1", "Q2a", "Q2b", "Q3", "Q4", "Q5"], env=env, check=True)
    app = subprocess.Popen([os.path.join(build, "src", "app", "quarrybook"), test], env=env)
    try:
        main_window = window("Orrin Quarrybook Sample Science")
        time.sleep(2.0)
        xdo("windowactivate", "--sync", main_window)
        keys("alt+f", "v", pause=1.5)
        preview = window("Print Preview")
        time.sleep(1.0)
        shoot(preview, os.path.join(out, "preview.png"))
        keys("Escape")
    finally:
        app.terminate()
        app.wait(10)


if __name__ == "__main__":
    main()
