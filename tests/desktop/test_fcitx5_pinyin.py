"""Typing in the game with a Chinese input method active.

Starts fcitx5 with pinyin as the active input method, proves on a plain
line edit that it composes ("nihao" + Space commits 你好, with a candidate
window up meanwhile), then types letters into a running exercise of the
real game: they must reach the typed-text box as capitals, and no fcitx5
window may show.
Usage: test_fcitx5_pinyin.py TARVO PROBE
"""

import os
import sys
import time

import desktop

PROFILE = """[Groups/0]
Name=Default
Default Layout=us
DefaultIM=pinyin

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=pinyin
Layout=

[GroupOrder]
0=Default
"""
# Every input context starts with the group's input method on: pinyin.
CONFIG = """[Behavior]
ActiveByDefault=True
ShareInputState=All
"""
# Front ends and helpers the test does not use.
DISABLED = "wayland,waylandim,notificationitem,xim,ibusfrontend,fcitx4frontend,kimpanel,clipboard,emoji,spell," \
           "quickphrase,unicode,notifications"


def body(s):
    tarvo, probe = sys.argv[1], sys.argv[2]
    s.xvfb()
    s.openbox()
    s.dbus()
    s.atspi()
    conf = os.path.join(s.env["XDG_CONFIG_HOME"], "fcitx5")
    os.makedirs(conf)
    with open(os.path.join(conf, "profile"), "w") as f:
        f.write(PROFILE)
    with open(os.path.join(conf, "config"), "w") as f:
        f.write(CONFIG)
    fcitx = s.spawn("fcitx5", ["fcitx5", f"--disable={DISABLED}"])

    def on_bus():
        done = s.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/",
                      "org.freedesktop.DBus.NameHasOwner", "string:org.fcitx.Fcitx5"], check=False, timeout=5)
        return b"boolean true" in done.stdout
    if not desktop.wait_for(on_bus, 15, 0.2):
        desktop.fail("fcitx5 on the session bus", "no org.fcitx.Fcitx5", "fcitx5 running")
    # Pinyin loads its dictionaries after the bus name is taken.
    if not desktop.wait_for(lambda: "Loaded addon pinyin" in open(s.path("fcitx5.err"), errors="replace").read(),
                            15, 0.2):
        desktop.fail("fcitx5's pinyin addon", "not loaded", "Loaded addon pinyin")

    def fcitx_windows():
        done = s.run(["xdotool", "search", "--onlyvisible", "--pid", str(fcitx.pid)], check=False)
        return done.stdout.decode().split()

    im = dict(s.env, QT_QPA_PLATFORM="xcb", QT_IM_MODULE="fcitx", XMODIFIERS="@im=fcitx")

    # The control: the input method must compose there, or nothing below means anything.
    control = s.spawn("control", [probe, "imcontrol"], env=im)
    if not desktop.wait_for(lambda: "ready" in open(s.path("control.out")).read(), 10):
        desktop.fail("the control line edit", "not shown", "ready")
    s.xdotool("windowactivate", "--sync", s.wait_window(control.pid))
    time.sleep(0.3)
    s.xdotool("type", "--delay", "60", "nihao")
    composing = desktop.wait_for(fcitx_windows, 3, 0.1)
    s.xdotool("key", "space")
    lines = desktop.wait_for(lambda: [l for l in open(s.path("control.out")).read().splitlines()
                                      if l.startswith("text: ")], 3, 0.1)
    texts = [l[len("text: "):] for l in lines]
    if texts != ["你好"]:
        desktop.fail("input method not active: the control's text after typing nihao and Space", texts, ["你好"])
    s.check(bool(composing), "fcitx5's candidate window while composing on the control",
            composing or "none shown", "shown")
    s.stop(control)
    desktop.wait_for(lambda: not fcitx_windows(), 3, 0.1)

    # The game, with an exercise running.
    game = s.spawn("tarvo", [tarvo], env=dict(im, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    wid = s.wait_window(game.pid)
    s.xdotool("windowactivate", "--sync", wid)
    time.sleep(0.3)
    s.xdotool("key", "--clearmodifiers", "alt+g")
    time.sleep(0.6)  # the menu opens before its item's key comes
    s.xdotool("key", "--clearmodifiers", "t")
    time.sleep(0.5)

    os.environ.update(s.env)
    import pyatspi

    def typed_box():
        for app in pyatspi.Registry.getDesktop(0):
            if app is None or app.get_process_id() != game.pid:
                continue
            found = pyatspi.findDescendant(app, lambda o: o.name == "已输入") or pyatspi.findDescendant(
                app, lambda o: o.getRole() in (pyatspi.ROLE_ENTRY, pyatspi.ROLE_TEXT))
            if found:
                return found
        return None
    box = desktop.wait_for(typed_box, 10, 0.2)
    if not box:
        desktop.fail("the typed-text box on the accessibility bus", "not found", "an entry of the game")

    s.xdotool("type", "--delay", "60", "nihao")
    shown = desktop.wait_for(fcitx_windows, 1.5, 0.1)
    text = desktop.wait_for(lambda: box.queryText().getText(0, -1) == "NIHAO" and "NIHAO", 3, 0.1) or \
        box.queryText().getText(0, -1)
    s.check(text == "NIHAO", "the typed-text box after typing nihao in the game", repr(text), repr("NIHAO"))
    s.check(not shown, "fcitx5 windows shown while typing in the game", shown or "none", "none")


if __name__ == "__main__":
    desktop.main("fcitx5", body, limit=90)
