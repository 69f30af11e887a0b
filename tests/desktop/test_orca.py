"""A blind player's exercise, heard through the Orca screen reader.

Xvfb with openbox, the accessibility bus, speech-dispatcher on a silent
sound server and Orca; the game in Chinese. Keys only: start (a fast
Alt+G, T, which Orca's hold on each key once broke), the settings
dialog (fast speed), typing a word Orca spelled, a word that is not there,
Enter for the words on the play field, the status-bar command, a word
falling out and Pause, each checked in what Orca says (its debug log).
While the player only plays, Orca says nothing but the game's phrases and
the keys. The same checks hold for Orca 43 with Qt 6.4, whose phrases come
as notifications ("通知 ..."), and Orca 48 with Qt 6.8 (announcements).
Usage: test_orca.py TARVO
"""

import itertools
import re
import sys
import time

import desktop

# A phrase of the game: a notification's lead (Qt 6.4), then the phrase.
GAME = "^(?:通知 )?"
WORD = re.compile(GAME + r"(?:继续练习。)?([A-Y](?: [A-Y])*)(?:，|$)")
# What Orca says of the keys the test presses while it plays.
KEY_ECHO = re.compile(r"^(?:[a-z]|空格|回车|退格|返回|Esc)键?$")
STATUS_BAR = "(?:状态栏|status bar)"  # at-spi2-core 2.56 has no Chinese for the role


def menu(s, log, item, expect):
    """文件(G) and one of its items by their keys, Alt and G pressed and
    released within a few milliseconds as a fast typist does, until Orca
    says `expect`: on a busy machine the item's key may reach the window
    before the menu has opened. Returns the phrase, or None."""
    for _ in range(3):
        mark = log.now()
        s.xdotool("key", "alt+g")
        time.sleep(0.6)
        s.xdotool("key", item)
        said = log.wait(expect, 4, mark)
        if said:
            return said
        s.xdotool("key", "Escape")
        time.sleep(0.3)
    return None


def orca_command(s, *keys):
    """An Orca command: the Orca key (Insert) held with keys."""
    s.xdotool("keydown", "Insert")
    s.xdotool("key", *keys)
    s.xdotool("keyup", "Insert")


def body(s):
    tarvo = sys.argv[1]
    s.xvfb("800x600x24")
    s.openbox()
    s.dbus()
    s.atspi()
    log = s.orca()
    env = dict(s.env, LANG="zh_CN.UTF-8", LC_ALL="zh_CN.UTF-8", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    game = s.spawn("tarvo", [tarvo], env=env)
    wid = s.wait_window(game.pid)
    s.xdotool("windowactivate", "--sync", wid)
    if not log.wait(r"^练习区", 10):
        desktop.fail("Orca on the play field", log.spoken()[-3:], "练习区 画布")

    def heard(what, pattern, since, timeout=6):
        said = log.wait(pattern, timeout, since)
        s.check(said is not None, what, said[1] if said else [p for _, p in log.spoken(since)][-6:], pattern)
        return said

    def chosen(what, item, pattern):
        said = menu(s, log, item, pattern)
        s.check(said is not None, what, said[1] if said else [p for _, p in log.spoken()][-6:], pattern)

    chosen("Start", "t", GAME + r"开始练习，3 分钟$")
    # The settings dialog says, once, that it holds the exercise; fast
    # speed, then OK.
    mark = log.now()
    chosen("the settings dialog", "s", r"^高级设置，练习已暂停，关闭后继续 对话框$")
    s.xdotool("key", "--delay", "150", "Tab", "Tab", "Tab", "Down", "Down", "Return")
    heard("resuming after the dialog", GAME + "继续练习", mark)
    playing = log.now()

    # A word as Orca spelled it, typed: removed.
    mark = log.now()
    said = heard("a new word, spelled", WORD.pattern, mark)
    if said:
        word = WORD.match(said[1]).group(1).replace(" ", "")
        mark = log.now()
        # Clears what a key that missed the menu may have typed.
        s.xdotool("key", "--delay", "60", *["BackSpace"] * 2)
        s.xdotool("type", "--delay", "120", word.lower())
        s.xdotool("key", "space")
        heard(f"typing {word}", GAME + r"(?:对|消去 [2-9]\d* 个)(?:。|$)", mark)
    # No word ever has a Z.
    mark = log.now()
    s.xdotool("key", "--delay", "120", "z", "space")
    heard("a word that is not there", GAME + r"错(?:。|$)", mark)

    heard("a word that fell out", GAME + r"(?:.*。)?漏掉 (?:[A-Y](?: [A-Y])*|\d+ 个)", mark, timeout=20)
    mark = log.now()
    s.xdotool("key", "Return")
    heard("Enter on the play field", GAME + r"(?:.*。)?\d+ 个单词，最下面：[A-Y](?: [A-Y])*(?:，[A-Y](?: [A-Y])*){2}$", mark)
    # Nothing but the game's phrases and the keys' echoes while it plays:
    # no reading of the play field or of anything else unasked.
    unasked = [p for _, p in log.spoken(playing) if not KEY_ECHO.match(p) and not re.match(
        GAME + r"(?:[A-Y](?: [A-Y])*|对|错|消去|漏掉|剩余|\d+ 个单词)", p)]
    s.check(not unasked, "what Orca said by itself while the player played", unasked[:6] or "nothing else",
            "only the game's phrases and the keys")

    # The status bar, twice: each reading is current.
    readings = []
    for _ in range(2):
        mark = log.now()
        orca_command(s, "KP_Enter", "KP_Enter")
        said = heard("the status bar", r"^速度 每分钟 \d+ 字，正确率 \d+(?:\.\d+)?%，剩余时间 \d+ 分 \d+ 秒 "
                     + STATUS_BAR + "$", mark)
        readings.append(said[1] if said else None)
        time.sleep(2.5)
    s.check(None not in readings and readings[0] != readings[1], "two status-bar readings 2.5 s apart",
            readings, "both current, so different")

    mark = log.now()
    chosen("Pause", "p", GAME + r"已暂停$")
    said = [p for _, p in log.spoken(mark)]
    before = list(itertools.takewhile(lambda p: not re.match(GAME + "已暂停$", p), said))
    s.check(not any(p.startswith("继续练习") for p in before), "the Pause item before 已暂停", before,
            "not read under its new name 继续练习(P)")
    mark = log.now()
    orca_command(s, "KP_Enter", "KP_Enter")
    heard("the status bar while paused", r"^已暂停，剩余时间 \d+ 分 \d+ 秒 " + STATUS_BAR + "$", mark)

    codes = [p for _, p in log.spoken() if re.search(r"GamePict|timeDisplay|Kavix|lblPause", p)]
    s.check(not codes, "code names spoken", codes or "none", "none")
    # Qt's accessibility bridge reports a key the reader took longer than
    # 100 ms to answer for (keyEventError, then the answer that came too
    # late); nothing else may be printed.
    err = [line for line in open(s.path("tarvo.err"), errors="replace")
           if not line.startswith("QSpiApplication::")]
    s.check(not err, "the game's stderr, besides the bridge's slow answers to keys", err[:5], "empty")


if __name__ == "__main__":
    desktop.main("orca", body, limit=110)
