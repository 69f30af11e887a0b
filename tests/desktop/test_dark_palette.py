"""Falling words stay readable under a dark desktop palette.

Runs the real binary under Xvfb and openbox with the qt6ct platform theme
set to Debian's dark "darker" colour scheme and the Fusion style, starts an
exercise and reads the play field from a screenshot: its words must be
darker than its light-grey ground, at a contrast of at least 4.5:1.
Usage: test_dark_palette.py TARVO
"""

import os
import sys
import time

import desktop

FIELD = (224, 224, 224)  # the play field's ground
SCHEME = "/usr/share/qt6ct/colors/darker.conf"


def luminance(rgb):
    def channel(c):
        c /= 255.0
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


class Shot:
    """A screenshot as rows of RGB triples, from a binary PPM."""

    def __init__(self, data):
        parts = []
        pos = 0
        while len(parts) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            parts.append(data[pos:end])
            pos = end
        if parts[0] != b"P6" or parts[3] != b"255":
            desktop.fail("screenshot format", parts, "P6 with 255 levels")
        self.width, self.height = int(parts[1]), int(parts[2])
        self.pixels = data[pos + 1:]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def field(self):
        """The largest run of the field's ground across the middle row, and its height."""
        y = self.height // 2
        best, start = (0, 0), None
        for x in range(self.width + 1):
            inside = x < self.width and self.at(x, y) == FIELD
            if inside and start is None:
                start = x
            elif not inside and start is not None:
                if x - start > best[1] - best[0]:
                    best = (start, x)
                start = None
        left, right = best
        if right - left < 100:
            return None
        # The field's height along a column just inside its left edge, where
        # no word is drawn (words keep a margin from the edge).
        col = left + 3
        top = y
        while top > 0 and self.at(col, top - 1) == FIELD:
            top -= 1
        bottom = y
        while bottom < self.height - 1 and self.at(col, bottom + 1) == FIELD:
            bottom += 1
        return left, top, right, bottom


def body(s):
    tarvo = sys.argv[1]
    conf = os.path.join(s.env["XDG_CONFIG_HOME"], "qt6ct")
    os.makedirs(conf)
    with open(os.path.join(conf, "qt6ct.conf"), "w") as f:
        f.write(f"[Appearance]\ncolor_scheme_path={SCHEME}\ncustom_palette=true\nstyle=Fusion\n"
                "standard_dialogs=default\n")
    s.xvfb()
    s.openbox()
    env = dict(s.env, QT_QPA_PLATFORM="xcb", QT_QPA_PLATFORMTHEME="qt6ct")
    game = s.spawn("tarvo", [tarvo], env=env)
    wid = s.wait_window(game.pid)
    time.sleep(0.5)

    def shoot():
        return Shot(s.run(["import", "-window", "root", "-depth", "8", "ppm:-"], timeout=15).stdout)

    def words_drawn():
        shot = shoot()
        area = shot.field()
        if not area:
            return None
        left, top, right, bottom = area
        ink = [shot.at(x, y) for y in range(top + 1, bottom, 2) for x in range(left + 1, right, 2)
               if shot.at(x, y) != FIELD]
        return (shot, area, ink) if len(ink) > 20 else None

    s.start_exercise(wid, words_drawn, wait=4.0)
    found = desktop.wait_for(words_drawn, 8, 0.5)
    if not found:
        shot = shoot()
        desktop.fail("words in the play field 8 s into the exercise",
                     f"field {shot.field()}, no word pixels", "a light-grey field with falling words")
    shot, (left, top, right, bottom), ink = found

    # The scheme must be in effect: the window's ground beside the field is dark.
    ground = shot.at(max(0, left - 6), (top + bottom) // 2)
    if not s.check(luminance(ground) < 0.1, "window ground left of the play field (dark scheme in effect)",
                   f"rgb{ground}, luminance {luminance(ground):.3f}", "luminance < 0.1"):
        return

    # The strongest ink: the word pixel farthest in luminance from the ground.
    strongest = max(ink, key=lambda c: abs(luminance(c) - luminance(FIELD)))
    ratio = contrast(strongest, FIELD)
    s.check(luminance(strongest) < luminance(FIELD) and ratio >= 4.5, "word ink against the field",
            f"ink rgb{strongest} on rgb{FIELD}, contrast {ratio:.2f}:1, "
            f"{'darker' if luminance(strongest) < luminance(FIELD) else 'lighter'}",
            "darker ink, contrast >= 4.5:1")


if __name__ == "__main__":
    desktop.main("dark", body, limit=60)
