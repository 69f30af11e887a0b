"""The game's accessibility tree as a screen reader sees it over AT-SPI.

Runs the real binary under Xvfb and openbox with a private session bus and
accessibility bus, reads the tree through pyatspi, starts an exercise with
the menu keys and watches the countdown and the play field change.
Usage: test_atspi_tree.py TARVO
"""

import os
import re
import sys
import time

import desktop

# Object names of the code; none may reach a screen reader.
CODE_NAMES = {"Kavix", "GamePict", "textWord", "timeDisplay", "speedStatus", "correctStatus", "lblPause",
              "lblSpeed", "lblTime", "client", "Line1", "Line2", "Line3", "Line4"}
WORDS = re.compile(r"[A-Y]{1,7}( [A-Y]{1,7})*")


def text_of(obj):
    try:
        return obj.queryText().getText(0, -1)
    except Exception as e:  # no Text interface
        return f"<no Text interface: {type(e).__name__}>"


def states_of(obj):
    import pyatspi
    names = {getattr(pyatspi, n): n for n in dir(pyatspi)
             if n.startswith("STATE_") and n != "STATE_VALUE_TO_NAME"}
    return {names.get(s, str(s)) for s in obj.getState().getStates()}


def walk(obj):
    yield obj
    for child in obj:
        if child is not None:
            yield from walk(child)


def body(s):
    tarvo = sys.argv[1]
    s.xvfb()
    s.openbox()
    s.dbus()
    s.atspi()
    env = dict(s.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    game = s.spawn("tarvo", [tarvo], env=env)
    s.wait_window(game.pid)

    # pyatspi connects to the buses named in this process's environment.
    os.environ.update(s.env)
    import pyatspi
    from gi.repository import GLib

    def find_app():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == game.pid and app.childCount > 0:
                return app
        return None
    app = desktop.wait_for(find_app, 10, 0.2)
    if not app:
        desktop.fail("the game on the accessibility bus", "not registered", f"an application of pid {game.pid}")
    objects = list(walk(app))

    code_named = sorted({o.name for o in objects if o.name in CODE_NAMES})
    s.check(not code_named, "accessible names that are code names", code_named or "none", "none")

    by_name = {}
    for o in objects:
        by_name.setdefault(o.name, o)

    for caption in ("当前状态:", "时间:"):
        s.check(caption in by_name, f"a label named by its caption {caption!r}",
                "present" if caption in by_name else "absent", "present")

    for name, text in (("剩余时间", "180"), ("速度", "0 字/分钟"), ("正确率", "100% 正确率")):
        obj = by_name.get(name)
        s.check(obj is not None and text_of(obj) == text, f"status field {name!r}, its text",
                text_of(obj) if obj else "no object of that name", repr(text))

    typed = by_name.get("已输入")
    if s.check(typed is not None, "typed-text box named '已输入'", "present" if typed else "absent", "present"):
        st = states_of(typed)
        s.check("STATE_READ_ONLY" in st and "STATE_EDITABLE" not in st, "typed-text box states", sorted(st),
                "STATE_READ_ONLY, without STATE_EDITABLE")
    field = by_name.get("练习区")
    s.check(field is not None, "play field named '练习区'", "present" if field else "absent", "present")

    # The countdown: found by name, or failing that by its text, so that the
    # event check still runs on a window whose names are wrong.
    countdown = by_name.get("剩余时间")
    if countdown is None:
        countdown = next((o for o in objects if text_of(o) == "180" or o.name == "180"), None)
    if countdown is None:
        countdown = next((o for o in objects if o.name == "timeDisplay"), None)

    events = []

    def listener(event):
        events.append((time.monotonic(), event.type, event.source))
    kinds = ["object:text-changed", "object:property-change:accessible-name", "object:property-change"]
    pyatspi.Registry.registerEventListener(listener, *kinds)

    def pump(seconds):
        loop = GLib.MainLoop()
        GLib.timeout_add(int(seconds * 1000), loop.quit)
        loop.run()

    pump(0.3)
    events.clear()
    wid = s.wait_window(game.pid)

    def counting():
        pump(0.1)
        return countdown is not None and text_of(countdown) not in ("180", "")
    # When it never starts, the checks below say what is missing.
    started = s.start_exercise(wid, counting) or time.monotonic()
    pump(max(0.0, 2.5 - (time.monotonic() - started)))
    from_countdown = [e for e in events if countdown is not None and e[2] == countdown]
    s.check(bool(from_countdown), "an event from the countdown within 2.5 s of the start",
            f"{len(from_countdown)} of {len(events)} events ({sorted({e[1] for e in events})})",
            "object:text-changed or a name change as 180 becomes 179")
    if countdown is not None:
        now = text_of(countdown)
        s.check(now in ("179", "178"), f"countdown (object {countdown.name!r}) text 2.5 s after the start",
                repr(now), "'179' or '178'")

    pump(max(0.0, 5.0 - (time.monotonic() - started)))
    if field is None:
        field = next((o for o in objects if o.name == "GamePict"), None)
    words = text_of(field) if field is not None else "<no play field object>"
    s.check(bool(WORDS.fullmatch(words)), "play field text 5 s into the exercise", repr(words),
            "words of 1-7 capitals A-Y separated by single spaces")


if __name__ == "__main__":
    desktop.main("atspi", body, limit=60)
