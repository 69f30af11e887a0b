"""Where the dialogs open under a real window manager: Xvfb and openbox.

The settings dialog (alt+g, s), the About box (alt+h, a) and the result
prompt at the end of an exercise must each open with its frame centred on
the main window's frame, from the first showing on, within 2 px. The
settings dialog is hidden and shown again and the About box made afresh at
each opening, so both are opened twice. A plain dialog of a framed window
that is not maximised is placed the same way.
Usage: test_placement.py TARVO PLACEMENT_PROBE
"""

import sys
import time

import desktop

TOLERANCE = 2


def frame_of(s, wid):
    """The frame of a mapped client: its area grown by _NET_FRAME_EXTENTS."""
    info = s.run(["xwininfo", "-id", wid]).stdout.decode(errors="replace")
    values = {}
    for line in info.splitlines():
        key, _, value = line.strip().partition(":")
        values[key] = value.strip()
    x, y = int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"])
    w, h = int(values["Width"]), int(values["Height"])
    extents = s.run(["xprop", "-id", wid, "_NET_FRAME_EXTENTS"], check=False).stdout.decode()
    if "=" not in extents:
        return None
    left, right, top, bottom = (int(v) for v in extents.split("=", 1)[1].split(","))
    return x - left, y - top, w + left + right, h + top + bottom


def active_other_than(s, wids, timeout=5):
    """The active window once it is framed and none of wids."""
    def find():
        done = s.run(["xdotool", "getactivewindow"], check=False)
        wid = done.stdout.decode().strip()
        return wid if done.returncode == 0 and wid and wid not in wids and frame_of(s, wid) else None
    return desktop.wait_for(find, timeout, 0.05)


def steady_frame(s, wid):
    """The frame once it has kept still for 0.3 s (or after 3 s)."""
    last = frame_of(s, wid)
    end = time.monotonic() + 3
    while time.monotonic() < end:
        time.sleep(0.3)
        now = frame_of(s, wid)
        if now == last:
            break
        last = now
    return last


def check_centred(s, what, owner, wid):
    o, d = frame_of(s, owner), steady_frame(s, wid)
    # Twice the offset between the centres, so an odd difference in size
    # does not round.
    dx = (2 * d[0] + d[2]) - (2 * o[0] + o[2])
    dy = (2 * d[1] + d[3]) - (2 * o[1] + o[3])
    s.check(abs(dx) <= 2 * TOLERANCE and abs(dy) <= 2 * TOLERANCE, f"{what}: its frame's centre off the owner's",
            f"{dx / 2:+} px, {dy / 2:+} px (frame {d[2]}x{d[3]}+{d[0]}+{d[1]} on {o[2]}x{o[3]}+{o[0]}+{o[1]})",
            f"within {TOLERANCE} px both ways")


def open_by_keys(s, main, keys, what):
    for key in keys:
        s.xdotool("key", "--clearmodifiers", key)
        time.sleep(0.2)
    wid = active_other_than(s, {main})
    if not wid:
        desktop.fail(f"{what} did not open", "no new active window", f"a window after {' '.join(keys)}")
    return wid


def close(s, wid):
    s.xdotool("key", "--clearmodifiers", "Escape")
    desktop.wait_for(lambda: wid not in s.window_ids() or not frame_of(s, wid), 3, 0.05)
    time.sleep(0.3)


def probe_window(s, probe, mode):
    proc = s.spawn(f"probe-{mode}", [probe, mode])
    if not desktop.wait_for(lambda: "shown" in open(s.path(f"probe-{mode}.out")).read(), 15, 0.1):
        desktop.fail(f"the probe's {mode} window", "not shown", "shown")
    ids = s.run(["xdotool", "search", "--onlyvisible", "--pid", str(proc.pid)]).stdout.decode().split()
    framed = [w for w in ids if frame_of(s, w)]
    transient = [w for w in framed if "window id #" in s.run(["xprop", "-id", w, "WM_TRANSIENT_FOR"],
                                                               check=False).stdout.decode()]
    owners = [w for w in framed if w not in transient]
    if len(transient) != 1 or len(owners) != 1:
        desktop.fail(f"the probe's {mode} windows", f"owners {owners}, transients {transient}",
                     "one owner and one transient")
    return proc, owners[0], transient[0]


def body(s):
    tarvo, probe = sys.argv[1], sys.argv[2]
    s.xvfb()
    s.openbox()

    game = s.spawn("tarvo", [tarvo])
    main = s.wait_window(game.pid)
    desktop.wait_for(lambda: frame_of(s, main), 5, 0.1)
    time.sleep(0.5)
    for showing in ("first", "second"):
        wid = open_by_keys(s, main, ["alt+g", "s"], f"the settings dialog ({showing} showing)")
        check_centred(s, f"the settings dialog, {showing} showing", main, wid)
        close(s, wid)
    for showing in ("first", "second"):
        wid = open_by_keys(s, main, ["alt+h", "a"], f"the About box ({showing} opening)")
        check_centred(s, f"the About box, {showing} opening", main, wid)
        close(s, wid)
    s.stop(game)

    proc, owner, box = probe_window(s, probe, "result")
    check_centred(s, "the result prompt", owner, box)
    s.stop(proc)

    proc, owner, box = probe_window(s, probe, "dialog")
    check_centred(s, "a plain dialog of a window that is not maximised", owner, box)
    s.stop(proc)


if __name__ == "__main__":
    desktop.main("placement", body, limit=90)
