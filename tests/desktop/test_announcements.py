"""Runs the QtTest program of accessibility announcements on X11 with the
accessibility bus up, so that Qt's accessibility bridge is active."""

import sys

import desktop


def body(s):
    s.xvfb()
    s.dbus()
    s.atspi()
    env = dict(s.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_LOGGING_RULES="qt.qpa.*=false")
    done = s.run([sys.argv[1]], env=env, timeout=60, check=False)
    out = done.stdout.decode(errors="replace")
    print(out)
    totals = [line for line in out.splitlines() if line.startswith("Totals:")]
    s.check(done.returncode == 0, "the announcements test program",
            f"exit {done.returncode}, {totals[0] if totals else 'no totals'}", "exit 0, nothing failed")


if __name__ == "__main__":
    desktop.main("announcements", body, limit=90)
