#!/usr/bin/env python3
"""Screenshots of the Edit menu and the title, section and text dialogs for the manual.

    editing.py BUILD_DIR OUT_DIR

Runs on the X display in DISPLAY (tools/manual_shots/run.sh provides one with a window
manager): starts BUILD_DIR/src/app/quarrybook Sample on the sample library, copies three
questions into the first test document with the keyboard, opens each dialog with sample
values and saves PNGs with ImageMagick's import. Every dialog is left with Escape, so
that the program ends with nothing to save.
"""
import os
import subprocess
import sys
import time

from _xdo import keys, shoot, window, xdo


def type_text(text):
    xdo("type", "--delay", "20", text)
    time.sleep(0.3)


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
        # The first test document is the last window of the Window menu; activating it
        # makes it the document that the Edit and Insert menus work on.
        keys("alt+w", "Up", "Return", pause=0.6)
        # The finder has the first question selected: copy it and the next two.
        keys("ctrl+d", "alt+v", "n", "ctrl+d", "alt+v", "n", "ctrl+d")
        keys("alt+e", pause=0.8)
        shoot("root", os.path.join(out, "editmenu.png"), "330x300+0+20")
        keys("Escape", "Escape")

        keys("alt+i", "t", pause=0.8)
        title = window("Insert Title")
        type_text("Forces and Motion")
        keys("Tab")
        type_text("End of unit test")
        keys("Tab")
        type_text("12 June")
        shoot(title, os.path.join(out, "title.png"))
        keys("Escape")

        keys("alt+i", "s", pause=0.8)
        section = window("Insert Section Title")
        type_text("Section B")
        keys("Tab")
        type_text("Answer any two questions.")
        shoot(section, os.path.join(out, "section.png"))
        keys("Escape")

        keys("alt+i", "x", pause=0.8)
        editor = window("Text Editor")
        type_text("Extra question on friction")
        keys("Tab", "ctrl+a")
        type_text("4")
        keys("Tab", "ctrl+a")
        type_text("6")
        keys("Tab", "space", "Tab", pause=0.8)
        type_text("A box slides down a rough ramp. Explain why it slows down.")
        keys("Return")
        type_text("(4 marks)")
        # The mark line takes the Mark style of the style menu.
        keys("ctrl+shift+s", "m", pause=0.6)
        shoot(editor, os.path.join(out, "editor.png"))
        keys("Escape")
    finally:
        app.terminate()
        try:
            app.wait(5)
        except subprocess.TimeoutExpired:
            app.kill()


if __name__ == "__main__":
    main()
