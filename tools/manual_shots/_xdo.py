"""What the xdotool-driven shot scripts share: keys, windows and screenshots."""
import subprocess
import time


def xdo(*args):
    return subprocess.run(["xdotool", *args], check=False, capture_output=True,
                          text=True).stdout.strip()


def keys(*names, pause=0.4):
    for name in names:
        xdo("key", "--clearmodifiers", name)
        time.sleep(pause)


def window(title, timeout=10.0):
    end = time.time() + timeout
    while time.time() < end:
        found = xdo("search", "--onlyvisible", "--name", "^" + title + "$").split()
        if found:
            return found[-1]
        time.sleep(0.2)
    raise SystemExit("no window named " + title)


def shoot(target, path, crop=None):
    command = ["import", "-window", target]
    if crop:
        command += ["-crop", crop, "+repage"]
    subprocess.run(command + [path], check=True)
    print("wrote", path)
