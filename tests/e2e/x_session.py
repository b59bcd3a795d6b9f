"""A private X display (Xvfb) and keyboard input through xdotool.

There is no window manager: windows are found by their titles among the
mapped windows, and the keyboard focus is given to a window explicitly
(XSetInputFocus) whenever the program's own activation cannot be relied on.
"""

import os
import select
import shutil
import signal
import subprocess
import time


class StepFailed(Exception):
    pass


def remaining(deadline: float) -> float:
    return max(0.0, deadline - time.monotonic())


def stop_group(process: subprocess.Popen, grace: float = 5.0):
    """Ends a process started in its own session, with everything it started."""
    if process is None or process.poll() is not None:
        return
    for sig, wait in ((signal.SIGTERM, grace), (signal.SIGKILL, grace)):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            return
        try:
            process.wait(timeout=wait)
            return
        except subprocess.TimeoutExpired:
            pass


class XSession:
    POLL = 0.1

    def __init__(self, work_dir: str, lifetime: int):
        self.work_dir = work_dir
        self.lifetime = lifetime  # seconds; Xvfb is ended after it whatever happens here
        self.display = None
        self._xvfb = None

    # --- the display -------------------------------------------------------

    def start(self, timeout: float = 15.0):
        """Starts Xvfb on a display number it chooses itself (-displayfd)."""
        read_end, write_end = os.pipe()
        log = open(os.path.join(self.work_dir, "xvfb.log"), "wb")
        try:
            self._xvfb = subprocess.Popen(
                ["timeout", "-k", "5", str(self.lifetime), "Xvfb", "-displayfd", str(write_end),
                 "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset",
                 # A key held down by a descheduled xdotool must not repeat.
                 "-r"],
                stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                pass_fds=(write_end,), start_new_session=True)
        finally:
            os.close(write_end)
            log.close()
        number = b""
        end = time.monotonic() + timeout
        try:
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], remaining(end))
                if not ready:
                    raise StepFailed("Xvfb did not report its display number")
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise StepFailed("Xvfb ended before reporting its display number")
                number += chunk
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()

    def stop(self):
        stop_group(self._xvfb)
        self._xvfb = None

    # --- xdotool -----------------------------------------------------------

    def _xdotool(self, *args, timeout: float = 10.0, check: bool = True) -> str:
        env = dict(os.environ, DISPLAY=self.display)
        try:
            result = subprocess.run(["xdotool", *args], env=env, capture_output=True,
                                    timeout=timeout)
        except subprocess.TimeoutExpired:
            raise StepFailed("xdotool %s did not return" % " ".join(args))
        if check and result.returncode != 0:
            raise StepFailed("xdotool %s failed: %s" % (" ".join(args),
                                                        result.stderr.decode(errors="replace")))
        return result.stdout.decode("utf-8", errors="replace")

    def windows(self) -> dict:
        """The mapped windows that carry a title, as id -> title."""
        ids = self._xdotool("search", "--onlyvisible", "--name", ".", check=False).split()
        titles = {}
        for wid in ids:
            name = self._xdotool("getwindowname", wid, check=False)
            if name.endswith("\n"):
                titles[wid] = name[:-1]
        return titles

    def popups(self) -> list:
        """Mapped windows of the program without a title: menus, completer lists."""
        ids = self._xdotool("search", "--onlyvisible", "--classname", "pelmora",
                            check=False).split()
        named = self.windows()
        return [wid for wid in ids if wid not in named]

    def focused(self) -> str:
        return self._xdotool("getwindowfocus", check=False).strip()

    def wait_window(self, titles, timeout: float) -> str:
        """Waits for a mapped window with one of the titles; returns its id."""
        titles = (titles,) if isinstance(titles, str) else tuple(titles)
        end = time.monotonic() + timeout
        while True:
            for wid, title in self.windows().items():
                if title in titles:
                    return wid
            if time.monotonic() >= end:
                raise StepFailed("no window titled %s; mapped windows: %s"
                                 % (" or ".join(titles), self.describe()))
            time.sleep(self.POLL)

    def wait_gone(self, wid: str, timeout: float):
        end = time.monotonic() + timeout
        while wid in self.windows():
            if time.monotonic() >= end:
                raise StepFailed("window %s stayed open; mapped windows: %s"
                                 % (wid, self.describe()))
            time.sleep(self.POLL)

    def focus(self, wid: str, timeout: float = 10.0):
        """Gives the keyboard focus to a window and waits until it has it."""
        end = time.monotonic() + timeout
        while self.focused() != wid:
            self._xdotool("windowfocus", wid, check=False)
            if time.monotonic() >= end:
                raise StepFailed("window %s did not take the keyboard focus" % wid)
            time.sleep(self.POLL)

    def wait_focus(self, wid: str, timeout: float):
        """Waits for the program to give a new window the focus itself, then
        gives it explicitly if it did not."""
        end = time.monotonic() + timeout
        while self.focused() != wid and time.monotonic() < end:
            time.sleep(self.POLL)
        self.focus(wid)

    def key(self, *keys: str):
        self._xdotool("key", "--clearmodifiers", "--delay", "40", *keys)

    def click(self, wid: str, x: int, y: int):
        """A left click at a point of a window (its own coordinates)."""
        self._xdotool("mousemove", "--window", wid, str(x), str(y), "click", "1")

    def clipboard(self) -> str:
        """The text on the clipboard (xclip asks its owner for it)."""
        env = dict(os.environ, DISPLAY=self.display)
        try:
            result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=env,
                                    capture_output=True, timeout=10)
        except subprocess.TimeoutExpired:
            raise StepFailed("xclip did not return")
        return result.stdout.decode("utf-8", errors="replace")

    def type(self, text: str):
        if not text.isascii():
            raise ValueError("only ASCII is typed reliably: %r" % text)
        self._xdotool("type", "--delay", "25", "--", text, timeout=10 + len(text) * 0.1)

    # --- diagnostics -------------------------------------------------------

    def describe(self) -> str:
        try:
            found = self.windows()
        except StepFailed as error:
            return str(error)
        return ", ".join("%s %r" % item for item in found.items()) or "none"

    def screenshot(self, path: str):
        """Saves the screen when ImageMagick's import is at hand (diagnostics only)."""
        if not shutil.which("import"):
            return False
        env = dict(os.environ, DISPLAY=self.display)
        try:
            subprocess.run(["import", "-window", "root", path], env=env, timeout=15,
                           capture_output=True)
        except subprocess.TimeoutExpired:
            return False
        return os.path.exists(path)
