"""Starts and stops the parts of a real desktop for one test.

Every test of this directory builds its own session in a private temporary
directory: Xvfb, openbox, a D-Bus session bus, the accessibility bus, fcitx5
or weston, as it needs. Each part is started in a process group of its own;
closing the session ends exactly those groups (and any process they left
behind), by id, newest first. Every wait has a time limit, and the whole
test has one too, so a part that hangs fails the test instead of blocking.
"""

import os
import pty
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import tty

LIBEXEC = "/usr/libexec"


class Failure(Exception):
    pass


def fail(what, actual, expected):
    raise Failure(f"{what}\n  actual:   {actual}\n  expected: {expected}")


def wait_for(predicate, timeout, step=0.05):
    """Polls predicate until it returns a true value or timeout seconds pass."""
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= end:
            return value
        time.sleep(step)


class Session:
    def __init__(self, name):
        self.name = name
        self.dir = tempfile.mkdtemp(prefix=f"tarvo-{name}-")
        self.procs = []  # (label, Popen), in start order
        self.failures = []
        runtime = os.path.join(self.dir, "runtime")
        os.mkdir(runtime, 0o700)
        os.chmod(runtime, 0o700)
        home = os.path.join(self.dir, "home")
        os.mkdir(home)
        keep = ("PATH", "LANG", "LC_ALL", "TZ", "ASAN_OPTIONS", "UBSAN_OPTIONS")
        self.env = {k: os.environ[k] for k in keep if k in os.environ}
        self.env.update(
            HOME=home,
            XDG_RUNTIME_DIR=runtime,
            XDG_CONFIG_HOME=os.path.join(home, ".config"),
            XDG_DATA_HOME=os.path.join(home, ".local", "share"),
            XDG_CACHE_HOME=os.path.join(home, ".cache"),
        )
        self.env.setdefault("LANG", "C.UTF-8")
        os.makedirs(self.env["XDG_CONFIG_HOME"])

    def check(self, ok, what, actual, expected):
        """Records a failed check and goes on, so one run shows every fault."""
        if ok:
            print(f"ok: {what}: {actual}")
        else:
            self.failures.append(f"{what}\n  actual:   {actual}\n  expected: {expected}")
            print(f"FAIL: {what}\n  actual:   {actual}\n  expected: {expected}")
        return ok

    # ---- processes ----

    def spawn(self, label, argv, env=None, stdout=None, stderr=None, stdin=subprocess.DEVNULL):
        """Starts argv in a process group of its own and keeps its id."""
        if stdout is None:
            stdout = open(self.path(f"{label}.out"), "wb")
        if stderr is None:
            stderr = open(self.path(f"{label}.err"), "wb")
        proc = subprocess.Popen(argv, env=env or self.env, stdin=stdin, stdout=stdout, stderr=stderr,
                                start_new_session=True)
        self.procs.append((label, proc))
        return proc

    def stop(self, proc, timeout=3):
        """Ends the process group proc leads: SIGTERM, then SIGKILL."""
        pgid = proc.pid
        descendants = self._descendants(proc.pid)
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(pgid, sig)
            except ProcessLookupError:
                pass
            for pid in descendants:
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
            try:
                proc.wait(timeout)
                if not any(self._alive(p) for p in descendants):
                    break
            except subprocess.TimeoutExpired:
                pass
        self.procs = [(l, p) for (l, p) in self.procs if p is not proc]

    @staticmethod
    def _alive(pid):
        try:
            with open(f"/proc/{pid}/stat") as f:
                return f.read().rsplit(")", 1)[1].split()[0] != "Z"
        except OSError:
            return False

    @staticmethod
    def _descendants(root):
        children = {}
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open(f"/proc/{entry}/stat") as f:
                    ppid = int(f.read().rsplit(")", 1)[1].split()[1])
            except (OSError, ValueError, IndexError):
                continue
            children.setdefault(ppid, []).append(int(entry))
        found, todo = [], [root]
        while todo:
            for child in children.get(todo.pop(), []):
                found.append(child)
                todo.append(child)
        return found

    def close(self):
        if getattr(self, "speech_log", None):
            self.speech_log.save(self.path("orca-debug.log"))
        for _, proc in reversed(list(self.procs)):
            self.stop(proc)
        if os.environ.get("TARVO_DESKTOP_KEEP"):
            print(f"kept {self.dir}")
        else:
            shutil.rmtree(self.dir, ignore_errors=True)

    def path(self, *parts):
        return os.path.join(self.dir, *parts)

    def run(self, argv, timeout=10, env=None, check=True):
        """Runs a short command to its end; a hang past timeout fails."""
        try:
            done = subprocess.run(argv, env=env or self.env, stdin=subprocess.DEVNULL, capture_output=True,
                                  timeout=timeout, start_new_session=True)
        except subprocess.TimeoutExpired:
            raise Failure(f"{argv[0]} did not finish within {timeout} s")
        if check and done.returncode != 0:
            raise Failure(f"{' '.join(argv)} exited with {done.returncode}: {done.stderr.decode(errors='replace')}")
        return done

    # ---- the parts ----

    def xvfb(self, size="1024x768x24"):
        rfd, wfd = os.pipe()
        proc = subprocess.Popen(["Xvfb", "-displayfd", str(wfd), "-screen", "0", size, "-nolisten", "tcp",
                                 "-noreset"], env=self.env, stdin=subprocess.DEVNULL,
                                stdout=open(self.path("xvfb.out"), "wb"), stderr=open(self.path("xvfb.err"), "wb"),
                                pass_fds=(wfd,), start_new_session=True)
        self.procs.append(("xvfb", proc))
        os.close(wfd)
        number = self._read_line(rfd, 10, "Xvfb did not report its display")
        self.env["DISPLAY"] = f":{number}"
        return proc

    def _read_line(self, fd, timeout, message):
        import select
        data = b""
        end = time.monotonic() + timeout
        while not data.endswith(b"\n"):
            left = end - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                os.close(fd)
                raise Failure(message)
            chunk = os.read(fd, 256)
            if not chunk:
                os.close(fd)
                raise Failure(message)
            data += chunk
        os.close(fd)
        return data.decode().strip()

    def openbox(self):
        proc = self.spawn("openbox", ["openbox", "--sm-disable"])
        # openbox owns the WM selection once it manages the screen.
        if not wait_for(lambda: b"_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False).stdout, 10):
            fail("openbox did not start", "no _NET_SUPPORTING_WM_CHECK on the root window", "openbox managing")
        return proc

    def dbus(self):
        rfd, wfd = os.pipe()
        proc = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--nopidfile", f"--print-address={wfd}"],
                                env=self.env, stdin=subprocess.DEVNULL, stdout=open(self.path("dbus.out"), "wb"),
                                stderr=open(self.path("dbus.err"), "wb"), pass_fds=(wfd,), start_new_session=True)
        self.procs.append(("dbus", proc))
        os.close(wfd)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self._read_line(rfd, 10, "dbus-daemon did not report its address")
        return proc

    def atspi(self):
        """The accessibility bus and its registry, as the desktop starts them."""
        launcher = self.spawn("at-spi-bus-launcher", [f"{LIBEXEC}/at-spi-bus-launcher", "--launch-immediately"])

        def registry_up():
            done = self.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                             "org.a11y.Bus.GetAddress"], check=False, timeout=5)
            return done.returncode == 0 and b"unix:" in done.stdout
        if not wait_for(registry_up, 10, 0.1):
            fail("the accessibility bus did not start", "no org.a11y.Bus on the session bus", "its address")
        return launcher

    def wayland_env(self, socket, **extra):
        """The session's environment for a Qt program on the Wayland
        compositor listening on socket, and not on X11."""
        env = dict(self.env, QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=socket, **extra)
        env.pop("DISPLAY", None)
        return env

    def speech(self):
        """A sound server with a null sink (speech takes its real time, in
        silence) and a speech-dispatcher on the session's own socket."""
        self.spawn("pulseaudio", ["pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n", "--use-pid-file=no",
                                  "--load=module-null-sink sink_name=silent", "--load=module-native-protocol-unix"])
        pulse = os.path.join(self.env["XDG_RUNTIME_DIR"], "pulse", "native")
        if not wait_for(lambda: os.path.exists(pulse), 10):
            fail("pulseaudio did not start", "no socket pulse/native", "a listening socket")
        sock = os.path.join(self.env["XDG_RUNTIME_DIR"], "speech-dispatcher", "speechd.sock")
        os.makedirs(os.path.dirname(sock), exist_ok=True)
        self.spawn("speech-dispatcher", ["speech-dispatcher", "--run-single", "--timeout", "0",
                                         "--communication-method", "unix_socket", "--socket-path", sock])
        if not wait_for(lambda: os.path.exists(sock), 10):
            fail("speech-dispatcher did not start", "no socket", sock)

    def orca(self, lang="zh_CN.UTF-8", user_prefs=None):
        """Orca with speech, its debug log read line by line; returns the
        log. Needs the session bus and the accessibility bus. user_prefs: a
        directory holding the user-settings.conf to start with (Orca's
        --user-prefs), else Orca's defaults."""
        self.speech()
        log = SpeechLog()
        env = dict(self.env, LANG=lang, LC_ALL=lang)
        launch = os.path.join(os.path.dirname(os.path.abspath(__file__)), "orca_launch.py")
        prefs = [f"--user-prefs={user_prefs}"] if user_prefs else []
        self.spawn("orca", ["/usr/bin/python3", launch, "--debug", f"--debug-file={log.tty}", *prefs], env=env)
        self.speech_log = log
        if not log.wait(r"^屏幕阅读器启用", 20):
            fail("Orca did not start", log.spoken()[-3:] or "nothing spoken", "屏幕阅读器启用")
        return log

    def weston(self, socket="tarvo-weston", size=(1024, 640)):
        proc = self.spawn("weston", ["weston", "--backend=headless-backend.so", f"--socket={socket}",
                                     f"--width={size[0]}", f"--height={size[1]}", "--idle-time=0", "--no-config"])
        sock = os.path.join(self.env["XDG_RUNTIME_DIR"], socket)
        if not wait_for(lambda: os.path.exists(sock), 10):
            fail("weston did not start", f"no socket {socket}", "a listening socket")
        # desktop-shell's panel and background are up a moment later.
        time.sleep(0.5)
        return proc

    def kwin_x11(self):
        """KWin on X11 with its default decoration (Breeze), compositing off.
        Needs a display and a session bus."""
        env = dict(self.env, KWIN_COMPOSE="N", QT_LOGGING_RULES="kwin_scripting.debug=true")
        proc = self.spawn("kwin_x11", ["kwin_x11", "--replace"], env=env)
        if not wait_for(lambda: b"_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False).stdout and self._kwin_on_bus(),
                15, 0.1):
            fail("kwin_x11 did not start", "no _NET_SUPPORTING_WM_CHECK on the root window or no org.kde.KWin on "
                 "the bus", "KWin managing, and its scripting interface")
        self.kwin_log = self.path("kwin_x11.err")
        self.kwin_scripts = 0
        return proc

    def kwin_wayland(self, socket="tarvo-kwin", size=(1280, 800)):
        """KWin on Wayland, headless (its virtual backend). Needs a session
        bus, on which kwin_script() reaches it. /usr/bin/kwin_wayland carries
        a file capability that a container may refuse; a copy has none."""
        binary = self.path("kwin_wayland")
        shutil.copy("/usr/bin/kwin_wayland", binary)
        env = dict(self.env, QT_LOGGING_RULES="kwin_scripting.debug=true")
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            env.pop(name, None)
        proc = self.spawn("kwin_wayland", [binary, "--virtual", "--width", str(size[0]), "--height", str(size[1]),
                                           "--socket", socket, "--no-lockscreen", "--no-global-shortcuts",
                                           "--no-kactivities"], env=env)
        sock = os.path.join(self.env["XDG_RUNTIME_DIR"], socket)
        if not wait_for(lambda: os.path.exists(sock) and self._kwin_on_bus(), 15, 0.1):
            fail("kwin_wayland did not start", f"no socket {socket} or no org.kde.KWin on the bus",
                 "a listening socket and KWin's scripting interface")
        self.kwin_log = self.path("kwin_wayland.err")
        self.kwin_scripts = 0
        return proc

    def _kwin_on_bus(self):
        done = self.run(["dbus-send", "--session", "--print-reply", "--dest=org.kde.KWin", "/Scripting",
                         "org.freedesktop.DBus.Introspectable.Introspect"], check=False, timeout=5)
        return done.returncode == 0

    def kwin_script(self, source, timeout=5):
        """Runs a KWin script and returns the lines it printed (print()),
        read from KWin's log; the script must print a last line "end"."""
        self.kwin_scripts += 1
        name = f"tarvo{self.kwin_scripts}"
        path = self.path(f"{name}.js")
        tag = f"{name}: "
        with open(path, "w") as f:
            f.write(f"function say(line) {{ print({tag!r} + line); }}\n{source}\nsay('end');\n")
        start = os.path.getsize(self.kwin_log)
        for call in (["org.kde.kwin.Scripting.loadScript", f"string:{path}", f"string:{name}"],
                     ["org.kde.kwin.Scripting.start"]):  # start runs the scripts loaded and not yet running
            self.run(["dbus-send", "--session", "--print-reply", "--dest=org.kde.KWin", "/Scripting", *call])

        def said():
            with open(self.kwin_log, errors="replace") as f:
                f.seek(start)
                lines = [l.split(tag, 1)[1].rstrip() for l in f if tag in l]
            return lines if lines and lines[-1] == "end" else None
        lines = wait_for(said, timeout)
        self.run(["dbus-send", "--session", "--print-reply", "--dest=org.kde.KWin", "/Scripting",
                  "org.kde.kwin.Scripting.unloadScript", f"string:{name}"], check=False)
        if not lines:
            fail("a KWin script printed nothing", f"{name}.js in {self.kwin_log}", "its lines, ending with 'end'")
        return lines[:-1]


    def window_ids(self):
        """Ids of the mapped top-level windows (children of the root)."""
        done = self.run(["xwininfo", "-root", "-children"], check=False)
        ids = []
        for line in done.stdout.decode(errors="replace").splitlines():
            line = line.strip()
            if line.startswith("0x"):
                ids.append(line.split()[0])
        return ids

    def xdotool(self, *args, timeout=10):
        return self.run(["xdotool", *args], timeout=timeout).stdout.decode(errors="replace")

    def start_exercise(self, wid, started, wait=2.0, attempts=3):
        """Chooses 文件(G) → 开始练习(T) with the keyboard until started()
        holds: on a busy machine the menu may open after the second key has
        gone to the window. Returns the time of the key that started it, or
        None."""
        self.xdotool("windowactivate", "--sync", wid)
        for _ in range(attempts):
            self.xdotool("key", "--clearmodifiers", "alt+g")
            time.sleep(0.6)
            self.xdotool("key", "--clearmodifiers", "t")
            sent = time.monotonic()
            if wait_for(started, wait, 0.1):
                return sent
            # Close a menu left open before trying again.
            self.xdotool("key", "--clearmodifiers", "Escape")
            time.sleep(0.3)
        return None

    def wait_window(self, pid, timeout=15):
        """The id of a visible window of process pid."""
        def find():
            done = self.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)], check=False)
            ids = done.stdout.decode().split()
            return ids[-1] if ids else None
        wid = wait_for(find, timeout, 0.1)
        if not wid:
            fail("the program did not map a window", "no visible window", f"a window of pid {pid}")
        return wid


    def mutter(self, socket="tarvo-mutter", size=(1280, 800)):
        """GNOME's mutter as a headless Wayland compositor with one virtual
        monitor. Needs a session bus. Its log tells where it placed each
        window (MUTTER_DEBUG=placement)."""
        env = dict(self.env, MUTTER_DEBUG="placement")
        env.pop("DISPLAY", None)
        proc = self.spawn("mutter", ["mutter", "--headless", "--virtual-monitor", f"{size[0]}x{size[1]}",
                                     "--wayland", "--no-x11", "--wayland-display", socket], env=env)
        sock = os.path.join(self.env["XDG_RUNTIME_DIR"], socket)
        if not wait_for(lambda: os.path.exists(sock), 15):
            fail("mutter did not start", f"no socket {socket}", "a listening socket")
        return proc

class SpeechLog:
    """What Orca speaks, read from its debug log as it is written. The log
    goes to a pseudo-terminal, which Orca writes line by line (a file it
    would buffer)."""

    # Orca 43 writes "SPEECH OUTPUT: '<text>'{voice}", Orca 48 "'<text>' {voice}".
    SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)' ?(?:\{|$)")

    def __init__(self):
        self._master, slave = pty.openpty()
        tty.setraw(slave)
        self.tty = os.ttyname(slave)
        self._slave = slave
        self.start = time.monotonic()
        self.lines = []  # (seconds since start, line)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        buf = b""
        while True:
            try:
                chunk = os.read(self._master, 65536)
            except OSError:
                return
            if not chunk:
                return
            buf += chunk
            *done, buf = buf.split(b"\n")
            now = time.monotonic() - self.start
            self.lines.extend((now, line.decode(errors="replace")) for line in done)

    def spoken(self, since=0.0):
        """(time, text) of each phrase spoken after `since`; the phrase
        without Orca's trailing period."""
        out = []
        for t, line in list(self.lines):
            m = self.SPOKEN.search(line)
            if m and t >= since:
                out.append((t, m.group(1).rstrip(". ")))
        return out

    def wait(self, pattern, timeout, since=0.0):
        """The first phrase after `since` that matches pattern, waiting up
        to timeout seconds."""
        regex = re.compile(pattern)
        return wait_for(lambda: next((p for p in self.spoken(since) if regex.search(p[1])), None), timeout, 0.05)

    def now(self):
        return time.monotonic() - self.start

    def save(self, path):
        with open(path, "w") as f:
            f.writelines(f"{t:8.2f} {line}\n" for t, line in list(self.lines))


class Probe:
    """window_probe, driven line by line on its standard input."""

    def __init__(self, session, argv, env, label="probe"):
        self.session = session
        self.proc = session.spawn(label, argv, env=env, stdin=subprocess.PIPE)
        self.out = session.path(f"{label}.out")
        self.err = session.path(f"{label}.err")
        self.seen = 0  # lines of output already answered
        self.expect("ready", 15)

    def send(self, line):
        self.proc.stdin.write((line + "\n").encode())
        self.proc.stdin.flush()

    def expect(self, word, timeout=8):
        """The next line of output that starts with word."""
        def find():
            with open(self.out, errors="replace") as f:
                lines = f.read().splitlines()
            for i in range(self.seen, len(lines)):
                if lines[i].split(" ", 1)[0] == word:
                    self.seen = i + 1
                    return lines[i]
            return None
        line = wait_for(find, timeout)
        if not line:
            fail(f"the probe did not say '{word}'", f"{open(self.out).read()[-500:]!r}", f"a line '{word} ...'")
        return line

    def ask(self, command, answer, timeout=8):
        self.send(command)
        return self.expect(answer, timeout)

    def fields(self, line):
        """The name=value fields of a line."""
        return dict(f.split("=", 1) for f in line.split()[1:] if "=" in f)

    def quit(self):
        self.send("quit")
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            pass
        return open(self.err, errors="replace").read()


def rect(text):
    return tuple(int(v) for v in text.split(","))


def check_layout(s, layout, client_size, what):
    """The play field, the typed-text box and the bottom frame line whole
    inside the client area below the menu bar, the window being as large as
    the desktop says its client area is. layout: a probe's "layout" line."""
    f = dict(v.split("=", 1) for v in layout.split()[1:])
    window = tuple(int(v) for v in f["window"].split("x"))
    s.check(window == tuple(client_size), f"{what}: the window's client size, as Qt and the desktop see it",
            f"{window[0]}x{window[1]}", f"{client_size[0]}x{client_size[1]}")
    cx, cy, cw, ch = rect(f["client"])
    s.check(cx >= 0 and cy >= 0 and cx + cw <= window[0] and cy + ch <= window[1],
            f"{what}: the client area below the menu bar", f["client"], f"inside 0,0,{window[0]},{window[1]}")
    for name in ("GamePict", "textWord", "Line2"):
        x, y, w, h = rect(f[name])
        s.check(x >= cx and y >= cy and x + w <= cx + cw and y + h <= cy + ch,
                f"{what}: {name} (x, y, width, height) in the client area {f['client']}",
                f"{f[name]}: x {x}-{x + w - 1}, y {y}-{y + h - 1}",
                f"x {cx}-{cx + cw - 1}, y {cy}-{cy + ch - 1}")
    return f


def check_dialog_in_sight(s, p, command, what):
    """Under a title bar that Qt draws itself (weston, mutter): a dialog
    maximised by it is restored at once, one minimised by it shown afresh."""
    shown = p.ask(command, "shown")
    size = shown.split()[-1]
    p.send("maximise")
    time.sleep(0.6)
    state = p.fields(p.ask("state", "state"))
    s.check(state["states"] == "0" and state["size"] == size and state["visible"] == "1",
            f"{what}: asked to be maximised by Qt's title bar", state, f"restored: states 0, size {size}, visible")
    p.send("minimise")
    again = wait_for(lambda: (lambda f: f if f["shows"] == "2" and f["exposed"] == "1" else None)(
        p.fields(p.ask("state", "state"))), 3, 0.2)
    s.check(bool(again), f"{what}: asked to be minimised by Qt's title bar", again or "not shown afresh",
            "shown afresh and on screen")
    p.ask("close", "closed")


def main(name, body, limit=90):
    """Runs body(session) with a whole-test time limit; prints the outcome."""
    def expired(*_):
        raise Failure(f"the test did not finish within {limit} s")
    signal.signal(signal.SIGALRM, expired)
    signal.alarm(limit)
    session = Session(name)
    status = 1
    try:
        body(session)
        if session.failures:
            print(f"{len(session.failures)} check(s) failed")
        else:
            print("PASS")
            status = 0
    except Failure as e:
        print(f"FAIL: {e}")
    finally:
        signal.alarm(0)
        sys.stdout.flush()
        session.close()
    sys.stdout.flush()
    sys.stderr.flush()
    # Library bindings of a test (AT-SPI) may hold connections to the buses
    # just closed; leave without running their finalisers.
    os._exit(status)
