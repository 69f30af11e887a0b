"""Runs one mode of the probe under Xvfb and openbox.
Usage: test_probe.py PROBE MODE [ARGS...]
"""

import sys

import desktop


def body(s):
    s.xvfb()
    s.openbox()
    env = dict(s.env, QT_QPA_PLATFORM="xcb")
    done = s.run(sys.argv[1:], env=env, timeout=30, check=False)
    sys.stdout.write(done.stdout.decode(errors="replace"))
    err = done.stderr.decode(errors="replace")
    if err:
        print(f"stderr: {err}")
    s.check(done.returncode == 0, f"probe {sys.argv[2]} exit status", done.returncode, 0)


if __name__ == "__main__":
    desktop.main("probe", body, limit=60)
