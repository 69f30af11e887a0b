"""The game under the window managers players run, one row of DESKTOPS per
CTest test: KWin on X11 (Breeze's tall title bar, compositing off) and on
Wayland, GNOME's mutter and weston on Wayland, all headless.

The game opens maximised and keeps running, with nothing on stderr; on
Wayland its protocol log shows that it names its app id and asks to be
maximised, never restored. The window probe shows the play field, the
typed-text box and the bottom frame line whole inside the client area the
desktop gives it. No dialog is left maximised, full screen or minimised out
of sight. Where KWin frames the dialogs, they open centred on the game, KWin
offers no maximise for them (their size is fixed), a full screen it grants
is undone at once, and a dialog it minimises comes back: on X11 when the
game does (KWin minimises the game along), on Wayland by itself, shown
afresh. Where Qt draws the title bars (mutter, weston), a dialog maximised
by them is restored at once and one minimised is shown afresh.

The desktops' programs write what they know differently from one version to
the next, and the test reads either: libwayland 1.21 logs xdg_surface@12,
1.23 xdg_surface#12 after the name of the event queue; KWin 5 scripts list
the windows with clientList(), KWin 6 with windowList(), in fractional
pixels.
Usage: test_desktops.py ROW TARVO WINDOW_PROBE
"""

import re
import sys
import time

import desktop

SOCKET = "tarvo-desktop"
TOLERANCE = 2

# One line per window that KWin manages; its client area as KWin 6 gives it,
# or the surface KWin 5 holds (on Wayland that is the client area).
KWIN_WINDOWS = """
var ws = workspace.windowList ? workspace.windowList() : workspace.clientList();
function box(r) { return [r.x, r.y, r.width, r.height].join(','); }
for (var i = 0; i < ws.length; ++i) {
    var w = ws[i];
    say([w.caption, box(w.frameGeometry), box(w.clientGeometry || w.bufferGeometry), w.maximizable, w.fullScreenable, w.fullScreen,
         w.minimized].join('|'));
}
"""
KWIN_FIELDS = ("frame", "client", "maximizable", "fullScreenable", "fullScreen", "minimized")


def kwin_windows(s):
    found = {}
    for line in s.kwin_script(KWIN_WINDOWS):
        caption, *values = line.split("|")
        w = dict(zip(KWIN_FIELDS, values))
        for key in ("frame", "client"):
            w[key] = tuple(round(float(v)) for v in w[key].split(","))
        found[caption] = {k: v == "true" if v in ("true", "false") else v for k, v in w.items()}
    return found


def kwin_do(s, caption, action):
    """Runs action (JavaScript, on the window w) on KWin's windows of that
    caption, as its title bar or a taskbar would; returns what it said."""
    return s.kwin_script("var ws = workspace.windowList ? workspace.windowList() : workspace.clientList();\n"
                         f"for (var i = 0; i < ws.length; ++i) if (ws[i].caption == {caption!r}) "
                         f"{{ var w = ws[i]; {action} }}")


PROTOCOL = re.compile(r"^\[ *\d+\.\d+\] (?:\{[^}]*\} )? *(-> )?(.*)$")


def protocol(text):
    """The client's protocol log (WAYLAND_DEBUG=client) out of its stderr:
    the requests and the events, with object ids spelled name@N as
    libwayland 1.21 writes them, and the other lines."""
    requests, events, rest = [], [], []
    for line in text.splitlines():
        m = PROTOCOL.match(line)
        if not m:
            rest.append(line)
            continue
        (requests if m.group(1) else events).append(re.sub(r"\b(\w+)#(\d+)", r"\1@\2", m.group(2)))
    return requests, events, rest


def check_game(s, row, tarvo, env):
    """Runs the game for two seconds; returns the size the compositor last
    configured its toplevel to on Wayland."""
    game = s.spawn("tarvo", [tarvo], env=dict(env, WAYLAND_DEBUG="client") if row["wayland"] else env)
    time.sleep(2)
    running = game.poll() is None
    if row["kwin"]:
        size = row["size"]
        frame = desktop.wait_for(lambda: kwin_windows(s).get("Tarvo", {}).get("frame") == (0, 0) + size, 6, 0.2)
        s.check(frame, "the game's window at start, as KWin frames it", kwin_windows(s).get("Tarvo"),
                f"maximised: a frame of 0,0,{size[0]},{size[1]}")
    s.stop(game)
    requests, events, err = protocol(open(s.path("tarvo.err"), errors="replace").read())
    s.check(running and not err, "the game after 2 s: running, its stderr", f"running: {running}, {err[:20]}",
            "running, nothing")
    if not row["wayland"]:
        return None
    toplevel = next((m.group(1) for m in map(re.compile(r"^xdg_surface@\d+\.get_toplevel\(new id "
                                                         r"(xdg_toplevel@\d+)\)").match, requests) if m), None)
    if not toplevel:
        desktop.fail("an xdg_toplevel in the protocol log", f"none in {len(requests)} requests", "get_toplevel")
    mine = [r for r in requests if r.startswith(f"{toplevel}.")]
    app_ids = [r for r in mine if ".set_app_id(" in r]
    s.check(app_ids == [f'{toplevel}.set_app_id("org.tarvo.Tarvo")'], "the toplevel's app id", app_ids,
            f'[{toplevel}.set_app_id("org.tarvo.Tarvo")]')
    s.check(any(r.endswith(".set_maximized()") for r in mine) and not any(".unset_maximized(" in r for r in mine),
            "maximise requests", [r for r in mine if "maximized" in r], "set_maximized(), never unset_maximized()")
    sizes = [tuple(map(int, m.groups())) for m in map(re.compile(rf"^{toplevel}\.configure\((\d+), (\d+),").match,
                                                       events) if m]
    return sizes[-1] if sizes else None


def check_kwin_dialog(s, p, command, caption, what, x11, screen):
    p.ask(command, "shown")
    found = kwin_windows(s)
    main, dialog = found.get("Tarvo"), found.get(caption)
    if not main or not dialog:
        desktop.fail(f"{what} and the game among KWin's windows", list(found), f"Tarvo and {caption}")
    (ox, oy, ow, oh), (dx, dy, dw, dh) = main["frame"], dialog["frame"]
    # Twice the offset between the centres, so an odd difference does not round.
    cx, cy = (2 * dx + dw) - (2 * ox + ow), (2 * dy + dh) - (2 * oy + oh)
    s.check(abs(cx) <= 2 * TOLERANCE and abs(cy) <= 2 * TOLERANCE, f"{what}: its frame's centre off the game's",
            f"{cx / 2:+} px, {cy / 2:+} px (frame {dw}x{dh}+{dx}+{dy} on {ow}x{oh}+{ox}+{oy})",
            f"within {TOLERANCE} px both ways")
    s.check(not dialog["maximizable"], f"{what}: no maximise offered", dialog["maximizable"], False)

    granted = kwin_do(s, caption, "w.fullScreen = true; say(w.fullScreen);")
    print(f"{what}: KWin offers full screen: {dialog['fullScreenable']}, grants it when asked: {granted}")
    undone = desktop.wait_for(lambda: (lambda w: w if w and not w["fullScreen"] and w["frame"][2] < screen[0]
                                       else None)(kwin_windows(s).get(caption)), 3, 0.2)
    s.check(undone, f"{what}: asked by KWin to be full screen", undone or kwin_windows(s).get(caption),
            f"not full screen, its frame narrower than the screen's {screen[0]} px")

    kwin_do(s, caption, "w.minimized = true;")
    gone = desktop.wait_for(lambda: (lambda f: f if f.get(caption, {}).get("minimized") is False
                                     or f["Tarvo"]["minimized"] else None)(kwin_windows(s)), 3, 0.2)
    game = gone["Tarvo"] if gone else kwin_windows(s)["Tarvo"]
    print(f"{what}: minimised by KWin; the game then: {'minimised' if game['minimized'] else 'in sight'}")
    if x11:
        s.check(game["minimized"], f"{what}: minimised by KWin, with the game", game["minimized"], True)
    if game["minimized"]:
        # The player brings the game back, as a taskbar does.
        kwin_do(s, "Tarvo", "w.minimized = false; if (workspace.activeWindow !== undefined) "
                            "workspace.activeWindow = w; else workspace.activeClient = w;")
    back = desktop.wait_for(lambda: (lambda w: w if w and not w["minimized"] else None)(
        kwin_windows(s).get(caption)), 4, 0.2)
    state = p.fields(p.ask("state", "state"))
    s.check(back and state["visible"] == "1" and state["exposed"] == "1", f"{what}: minimised by KWin, then back",
            f"KWin's window: {back}, the probe's: {state}", "not minimised, exposed")
    p.ask("close", "closed")


# kwin: KWin frames the windows and its scripts report them; wayland: the
# game speaks Wayland, and logs it; panel: where Qt draws the title bars, the
# least and most height the desktop's panel takes from the maximised size.
DESKTOPS = {
    "kwin_x11": dict(kwin=True, wayland=False, size=(1280, 800)),
    "kwin_wayland": dict(kwin=True, wayland=True, size=(1280, 800)),
    "mutter": dict(kwin=False, wayland=True, size=(1280, 800), panel=(0, 0)),
    "weston": dict(kwin=False, wayland=True, size=(1024, 640), panel=(1, 64)),
}


def body(s):
    name, tarvo, probe = sys.argv[1:4]
    row = DESKTOPS[name]
    size = row["size"]
    if name == "kwin_x11":
        s.xvfb(f"{size[0]}x{size[1]}x24")
        s.dbus()
        s.kwin_x11()
        env = s.env
    else:
        if name != "weston":
            s.dbus()
        getattr(s, name)(SOCKET, size)
        env = s.wayland_env(SOCKET)

    configured = check_game(s, row, tarvo, env)
    if "panel" in row:
        low, high = row["panel"]
        s.check(configured and configured[0] == size[0] and size[1] - high <= configured[1] <= size[1] - low,
                "the size the compositor last configured (the work area when maximised)", configured,
                f"{size[0]} wide, {size[1] - high}..{size[1] - low} high")

    p = desktop.Probe(s, [probe], env)
    layout = p.ask("layout", "layout")
    print(layout)
    if not row["wayland"]:  # the size the X server gives the window
        info = s.run(["xwininfo", "-id", s.wait_window(p.proc.pid)]).stdout.decode(errors="replace")
        client = tuple(int(re.search(rf"{key}: +(\d+)", info).group(1)) for key in ("Width", "Height"))
    elif row["kwin"]:
        client = kwin_windows(s)["Tarvo"]["client"][2:]
    else:
        s.check(p.fields(layout)["maximised"] == "1", "the probe's window at start", layout, "maximised=1")
        left, top, right, bottom = desktop.rect(p.fields(layout)["frame"])
        client = (configured[0] - left - right, configured[1] - top - bottom)
    desktop.check_layout(s, layout, client, f"maximised under {name}")
    for command, caption, what in (("open settings", "高级设置", "the settings dialog"),
                                   ("open about", "关于 Tarvo", "the About box")):
        if row["kwin"]:
            check_kwin_dialog(s, p, command, caption, what, not row["wayland"], size)
        else:
            desktop.check_dialog_in_sight(s, p, command, what)
    err = p.quit()
    s.check(err == "", "the probe's stderr", repr(err[:2000]), "empty")
    if name == "mutter":
        placed = [l.split("PLACEMENT: ", 1)[1].strip() for l in open(s.path("mutter.err"), errors="replace")
                  if "PLACEMENT: " in l and ("Centered" in l or "Placing" in l)]
        print(f"mutter's placement of the windows: {placed}")


if __name__ == "__main__":
    desktop.main(sys.argv[1].replace("_", "-"), body, limit=60)
