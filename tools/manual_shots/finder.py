"""Screenshots of the Question Finder and its category picker for the manual.

    finder.py BUILD_DIR OUT_DIR

Starts BUILD_DIR/src/app/quarrybook on the Sample subject on the current X display,
finds the windows through the accessibility bus and saves finder.png, picker.png,
picker-alpha.png, finder-search.png and finder-docked.png in OUT_DIR.
"""
import os
import subprocess
import sys
import time

import pyatspi


def find(node, role, name, depth=0):
    """The first accessible below node with that role and name (name None: any)."""
    if depth > 12:
        return None
    try:
        if node.getRoleName() == role and (name is None or node.name == name):
            return node
        for i in range(node.childCount):
            hit = find(node.getChildAtIndex(i), role, name, depth + 1)
            if hit is not None:
                return hit
    except Exception:
        pass
    return None


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and "quarrybook" in (app.name or "").lower():
            return app
    return None


def wait_for(what, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        found = what()
        if found is not None:
            return found
        time.sleep(0.25)
    raise RuntimeError("timed out waiting")


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def shoot(node, path, margin=2, max_height=None):
    time.sleep(0.6)
    x, y, w, h = extents(node)
    if max_height:
        h = min(h, max_height)
    x, y = max(0, x - margin), max(0, y - margin)
    subprocess.run(["import", "-window", "root", "-crop",
                    f"{w + 2 * margin}x{h + 2 * margin}+{x}+{y}", "+repage", path], check=True)
    print("wrote", path)


def click(node):
    x, y, w, h = extents(node)
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1"],
                   check=True)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "120", *names], check=True)
    time.sleep(0.3)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: finder.py BUILD_DIR OUT_DIR")
    build, out = sys.argv[1], sys.argv[2]
    env = dict(os.environ, QUARRYBOOK_CONFIG_DIR=os.path.join(build, "data", "sample"),
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = subprocess.Popen([os.path.join(build, "src", "app", "quarrybook"), "Sample"],
                               env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        app = wait_for(application)
        finder = wait_for(lambda: find(app, "frame", "Question Finder"))
        wait_for(lambda: find(finder, "list", "Questions"))
        shoot(finder, os.path.join(out, "finder.png"))

        click(find(finder, "push button", "Search by topic"))
        picker = wait_for(lambda: find(application(), "dialog", "Search"))
        keys("Down", "Right", "Down", "Right")
        shoot(picker, os.path.join(out, "picker.png"))
        click(find(picker, "push button", "List alphabetically")
              or find(picker, "check box", "List alphabetically"))
        shoot(picker, os.path.join(out, "picker-alpha.png"))
        click(find(picker, "push button", "List hierarchically")
              or find(picker, "check box", "List hierarchically"))
        keys("Home", "Down", "Right", "Down")  # Physics, open, Forces and motion
        keys("Return")
        time.sleep(0.5)
        shoot(finder, os.path.join(out, "finder-search.png"))

        # Dock it from the window menu of its title bar (the last item).
        x, y, w, h = extents(finder)
        subprocess.run(["xdotool", "mousemove", str(x + 10), str(y + 10), "click", "1"],
                       check=True)
        time.sleep(0.5)
        keys("Up", "Return")
        time.sleep(0.8)
        frame = find(application(), "frame", None)

        def dock():
            # The dock is a direct child of the main window, beside the workspace.
            for i in range(frame.childCount):
                child = frame.getChildAtIndex(i)
                if child.getRoleName() == "frame" and child.name == "Question Finder":
                    return child
            return None
        docked = wait_for(dock)
        shoot(docked, os.path.join(out, "finder-docked.png"), max_height=380)
    finally:
        program.kill()
        program.wait()


if __name__ == "__main__":
    main()
