"""The game under KWin on X11: Xvfb, a session bus and kwin_x11 with its
default decoration (Breeze: a tall title bar), compositing off.

The game opens maximised, with nothing on stderr. The window probe shows the
play field, the typed-text box and the bottom frame line whole inside the
client area that the X server gives the window. The settings dialog and the
About box open centred on the main window; KWin offers no maximise for them
(their size is fixed), and a minimise takes the main window along, so that
bringing the game back brings the dialog back.
Usage: test_kwin_x11.py TARVO WINDOW_PROBE
"""

import sys
import time

import desktop
from test_placement import check_centred, close, frame_of, open_by_keys

SIZE = (1280, 800)


def client_size(s, wid):
    info = s.run(["xwininfo", "-id", wid]).stdout.decode(errors="replace")
    values = dict(line.strip().split(": ", 1) for line in info.splitlines() if ": " in line)
    return int(values["Width"]), int(values["Height"])


def net_wm(s, wid, prop):
    return s.run(["xprop", "-id", wid, prop], check=False).stdout.decode(errors="replace")


def iconic(s, wid):
    return "Iconic" in s.run(["xprop", "-id", wid, "WM_STATE"], check=False).stdout.decode()


def check_dialog(s, main, keys, what):
    wid = open_by_keys(s, main, keys, what)
    check_centred(s, what, main, wid)
    actions = net_wm(s, wid, "_NET_WM_ALLOWED_ACTIONS")
    print(f"{what}: {actions.strip()}")
    s.check("MAXIMIZE" not in actions and "FULLSCREEN" not in actions, f"{what}: no maximise offered",
            actions.split("=", 1)[-1].strip(), "no _NET_WM_ACTION_MAXIMIZE_* or _FULLSCREEN")
    # KWin lets any transient dialog be minimised; a modal one takes its
    # main window along, and comes back with it.
    s.xdotool("windowminimize", wid)
    both = desktop.wait_for(lambda: iconic(s, wid) and iconic(s, main), 3, 0.05)
    s.check(both, f"{what}: minimised, with the main window", "both iconic" if both else
            f"dialog iconic: {iconic(s, wid)}, main window iconic: {iconic(s, main)}", "both iconic")
    s.xdotool("windowactivate", main)
    back = desktop.wait_for(lambda: not iconic(s, wid) and frame_of(s, wid), 3, 0.05)
    s.check(bool(back), f"{what}: back when the game is", "shown" if back else "still iconic", "shown")
    close(s, wid)


def body(s):
    tarvo, probe = sys.argv[1], sys.argv[2]
    s.xvfb(f"{SIZE[0]}x{SIZE[1]}x24")
    s.dbus()
    s.kwin_x11()

    game = s.spawn("tarvo", [tarvo])
    main = s.wait_window(game.pid)
    desktop.wait_for(lambda: "MAXIMIZED_VERT" in net_wm(s, main, "_NET_WM_STATE") and frame_of(s, main), 5, 0.1)
    state = net_wm(s, main, "_NET_WM_STATE")
    s.check("MAXIMIZED_VERT" in state and "MAXIMIZED_HORZ" in state, "the game's window at start",
            state.strip(), "maximised both ways")
    extents = net_wm(s, main, "_NET_FRAME_EXTENTS").strip()
    print(f"the frame (left, right, top, bottom): {extents}")
    time.sleep(0.3)
    check_dialog(s, main, ["alt+g", "s"], "the settings dialog")
    check_dialog(s, main, ["alt+h", "a"], "the About box")
    s.stop(game)
    err = open(s.path("tarvo.err"), errors="replace").read()
    s.check(err == "", "the game's stderr under KWin", repr(err[:2000]), "empty")

    p = desktop.Probe(s, [probe], s.env)
    layout = p.ask("layout", "layout")
    print(layout)
    ids = s.run(["xdotool", "search", "--onlyvisible", "--pid", str(p.proc.pid)]).stdout.decode().split()
    desktop.check_layout(s, layout, client_size(s, ids[-1]), "maximised under KWin")
    err = p.quit()
    s.check(err == "", "the probe's stderr", repr(err[:2000]), "empty")


if __name__ == "__main__":
    desktop.main("kwin-x11", body, limit=60)
