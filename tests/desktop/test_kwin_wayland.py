"""The game under KWin on Wayland: kwin_wayland with its virtual backend and
a session bus, on which KWin scripts report what KWin knows of each window.

The game opens maximised, with nothing on stderr. The window probe shows the
play field, the typed-text box and the bottom frame line whole inside the
surface KWin holds for the window. The settings dialog and the About box
open centred on the main window, KWin offers no maximise for them (their
size is fixed), and a dialog that KWin minimises (it offers that button, and
tells the program nothing) is back at once: the game behind it is activated,
and the dialog shows itself afresh.
Usage: test_kwin_wayland.py TARVO WINDOW_PROBE
"""

import sys
import time

import desktop

SOCKET = "tarvo-kwin"
SIZE = (1280, 800)
TOLERANCE = 2

# One line per window: caption|frame|surface|minimizable|maximizable|minimized
WINDOWS = """
var cs = workspace.clientList();
for (var i = 0; i < cs.length; ++i) {
    var c = cs[i], f = c.frameGeometry, b = c.bufferGeometry;
    say([c.caption, [f.x, f.y, f.width, f.height].join(','), [b.x, b.y, b.width, b.height].join(','),
         c.minimizable, c.maximizable, c.minimized].join('|'));
}
"""


def windows(s):
    found = {}
    for line in s.kwin_script(WINDOWS):
        caption, frame, surface, minimizable, maximizable, minimized = line.split("|")
        found[caption] = dict(frame=desktop.rect(frame), surface=desktop.rect(surface),
                              minimizable=minimizable == "true", maximizable=maximizable == "true",
                              minimized=minimized == "true")
    return found


def check_dialog(s, p, command, caption, what):
    p.ask(command, "shown")
    all_windows = windows(s)
    main, dialog = all_windows.get("Tarvo"), all_windows.get(caption)
    if not main or not dialog:
        desktop.fail(f"{what} and the game among KWin's windows", list(all_windows), f"Tarvo and {caption}")
    (ox, oy, ow, oh), (dx, dy, dw, dh) = main["frame"], dialog["frame"]
    cx, cy = (2 * dx + dw) - (2 * ox + ow), (2 * dy + dh) - (2 * oy + oh)
    s.check(abs(cx) <= 2 * TOLERANCE and abs(cy) <= 2 * TOLERANCE, f"{what}: its frame's centre off the game's",
            f"{cx / 2:+} px, {cy / 2:+} px (frame {dw}x{dh}+{dx}+{dy} on {ow}x{oh}+{ox}+{oy})",
            f"within {TOLERANCE} px both ways")
    print(f"{what}: KWin offers minimise: {dialog['minimizable']}, maximise: {dialog['maximizable']}")
    s.check(not dialog["maximizable"], f"{what}: no maximise offered", dialog["maximizable"], False)

    s.kwin_script(f"var cs = workspace.clientList();\n"
                  f"for (var i = 0; i < cs.length; ++i) if (cs[i].caption == {caption!r}) cs[i].minimized = true;")
    shows = desktop.wait_for(lambda: int(p.fields(p.ask("state", "state"))["shows"]) >= 2, 4, 0.2)
    back = windows(s).get(caption)
    s.check(shows and back and not back["minimized"], f"{what}: minimised by KWin, then shown afresh",
            f"shown afresh: {bool(shows)}, KWin's window: {back}", "shown afresh, not minimised")
    p.ask("close", "closed")


def body(s):
    tarvo, probe = sys.argv[1], sys.argv[2]
    s.dbus()
    s.kwin_wayland(SOCKET, SIZE)
    env = s.wayland_env(SOCKET)

    game = s.spawn("tarvo", [tarvo], env=env)
    shown = desktop.wait_for(lambda: windows(s).get("Tarvo", {}).get("frame") == (0, 0) + SIZE, 8, 0.2)
    s.check(bool(shown), "the game's window at start", windows(s).get("Tarvo"),
            f"maximised: a frame of 0,0,{SIZE[0]},{SIZE[1]}")
    time.sleep(1)
    s.stop(game)
    err = open(s.path("tarvo.err"), errors="replace").read()
    s.check(err == "", "the game's stderr under KWin on Wayland", repr(err[:2000]), "empty")

    p = desktop.Probe(s, [probe], env)
    layout = p.ask("layout", "layout")
    print(layout)
    surface = windows(s)["Tarvo"]["surface"]
    desktop.check_layout(s, layout, surface[2:], "maximised under KWin on Wayland")
    check_dialog(s, p, "open settings", "高级设置", "the settings dialog")
    check_dialog(s, p, "open about", "关于 Tarvo", "the About box")
    err = p.quit()
    s.check(err == "", "the probe's stderr", repr(err[:2000]), "empty")


if __name__ == "__main__":
    desktop.main("kwin-wayland", body, limit=60)
