"""The game on a Wayland compositor: weston, headless.

First run: nothing on stderr (Qt's own qt.qpa messages not hidden).
Second run, with the client's protocol log: the toplevel names its app id
and asks to be maximised, and weston configures it to the whole work area
of its output (the output less the desktop shell's panel).
Third, the window probe: the play field, the typed-text box and the bottom
frame line inside the client area that Qt's own frame leaves; and dialogs
under the title bar Qt draws here: one
maximised by it is restored at once (weston would end a program that kept
its fixed size), one minimised by it is shown afresh.
Usage: test_weston.py TARVO WINDOW_PROBE
"""

import re
import sys
import time

import desktop

SOCKET = "tarvo-weston"
WIDTH, HEIGHT = 1024, 640


def run_game(s, tarvo, label, extra):
    env = s.wayland_env(SOCKET, **extra)
    game = s.spawn(label, [tarvo], env=env)
    time.sleep(2.5)
    exited = game.poll()
    s.stop(game)
    return exited, open(s.path(f"{label}.err"), errors="replace").read()


def body(s):
    tarvo = sys.argv[1]
    s.weston(SOCKET, size=(WIDTH, HEIGHT))

    exited, err = run_game(s, tarvo, "tarvo", {})
    s.check(exited is None, "the game still running after 2.5 s", "running" if exited is None else
            f"exited with {exited}", "running")
    s.check(err == "", "the game's stderr on Wayland", repr(err[:2000]), "empty")

    exited, log = run_game(s, tarvo, "tarvo-wayland-debug", {"WAYLAND_DEBUG": "client"})
    lines = log.splitlines()
    toplevel = next((m.group(1) for m in map(re.compile(r" -> xdg_surface@\d+\.get_toplevel\(new id "
                                                         r"(xdg_toplevel@\d+)\)").search, lines) if m), None)
    if not toplevel:
        desktop.fail("an xdg_toplevel in the protocol log", f"none in {len(lines)} lines", "get_toplevel")
    requests = [l.split(" -> ", 1)[1] for l in lines if f" -> {toplevel}." in l]
    events = [l.split("] ", 1)[1].strip() for l in lines if f"] {toplevel}.configure(" in l]
    app_ids = [r for r in requests if ".set_app_id(" in r]
    s.check(app_ids == [f'{toplevel}.set_app_id("org.tarvo.Tarvo")'], "the toplevel's app id", app_ids,
            f'[{toplevel}.set_app_id("org.tarvo.Tarvo")]')
    s.check(any(r.endswith(".set_maximized()") for r in requests)
            and not any(".unset_maximized(" in r for r in requests), "maximise requests",
            [r for r in requests if "maximized" in r], "set_maximized(), never unset_maximized()")
    sizes = [tuple(map(int, m.groups())) for m in map(re.compile(r"configure\((\d+), (\d+),").search, events) if m]
    last = sizes[-1] if sizes else None
    s.check(last is not None and last[0] == WIDTH and HEIGHT - 64 <= last[1] < HEIGHT,
            "the size weston last configured (the work area when maximised)", events[-3:] or "no configure",
            f"{WIDTH} wide, {HEIGHT - 64}..{HEIGHT - 1} high (the {WIDTH}x{HEIGHT} output less its panel)")


    env = s.wayland_env(SOCKET)
    p = desktop.Probe(s, [sys.argv[2]], env)
    layout = p.ask("layout", "layout")
    window = tuple(int(v) for v in p.fields(layout)["window"].split("x"))
    desktop.check_layout(s, layout, window, "maximised inside the frame Qt draws")
    desktop.check_dialog_in_sight(s, p, "open about", "the About box")
    err = p.quit()
    s.check(err == "", "the probe's stderr", repr(err[:2000]), "empty")

if __name__ == "__main__":
    desktop.main("weston", body, limit=60)
