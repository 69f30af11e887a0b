"""The game under GNOME's mutter on Wayland, headless. Mutter draws no title
bars for Wayland windows: Qt draws its own, with minimise and maximise
buttons on every window, fixed dialogs included.

The game opens maximised, with nothing on stderr. The window probe shows the
play field, the typed-text box and the bottom frame line whole inside the
client area that Qt's title bar and borders leave. A dialog asked to be
maximised by that title bar is restored at once, and one asked to be
minimised is shown afresh.
Usage: test_mutter.py TARVO WINDOW_PROBE
"""

import sys
import time

import desktop

SOCKET = "tarvo-mutter"
SIZE = (1280, 800)


def body(s):
    tarvo, probe = sys.argv[1], sys.argv[2]
    s.dbus()
    s.mutter(SOCKET, SIZE)
    env = s.wayland_env(SOCKET)

    game = s.spawn("tarvo", [tarvo], env=env)
    time.sleep(1.5)
    exited = game.poll()
    s.stop(game)
    err = open(s.path("tarvo.err"), errors="replace").read()
    s.check(exited is None and err == "", "the game under mutter: running, its stderr",
            f"{'running' if exited is None else f'exited with {exited}'}, {err[:2000]!r}", "running, ''")

    p = desktop.Probe(s, [probe], env)
    layout = p.ask("layout", "layout")
    print(layout)
    f = p.fields(layout)
    s.check(f["maximised"] == "1", "the window at start", f"maximised={f['maximised']}", "maximised=1")
    # Maximised on a monitor without panels, Qt's title bar and borders
    # around the client area fill it.
    left, top, right, bottom = desktop.rect(f["frame"])
    desktop.check_layout(s, layout, (SIZE[0] - left - right, SIZE[1] - top - bottom), "maximised under mutter")
    desktop.check_dialog_in_sight(s, p, "open settings", "the settings dialog")
    desktop.check_dialog_in_sight(s, p, "open about", "the About box")
    err = p.quit()
    s.check(err == "", "the probe's stderr", repr(err[:2000]), "empty")
    placed = [l.split("PLACEMENT: ", 1)[1].strip() for l in open(s.path("mutter.err"), errors="replace")
              if "PLACEMENT: " in l and ("Centered" in l or "Placing" in l)]
    print(f"mutter's placement of the windows: {placed}")


if __name__ == "__main__":
    desktop.main("mutter", body, limit=60)
