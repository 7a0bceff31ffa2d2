"""Python face of tools/uidriver (uidriver.exe), run in the session's prefix.
Every call is bounded: the driver's own --timeout plus a margin for starting
a Wine process; a failure raises DriverError with the driver's message."""
import json
import subprocess
import time
from pathlib import Path

from . import paths

START_MARGIN_S = 30  # a Wine process start, even on a loaded machine


class DriverError(AssertionError):
    def __init__(self, args, code, message):
        super().__init__(f"uidriver {' '.join(map(str, args))} failed ({code}): {message.strip()}")
        self.code = code
        self.message = message


class UiDriver:
    def __init__(self, wine, exe: Path, screenshot_prefix: str = ""):
        self.wine = wine
        self.exe = exe
        self.screenshot_prefix = screenshot_prefix

    def run(self, command: str, *args, timeout_ms: int = 5000) -> str:
        # Options first: everything after a "--" in args is taken as text.
        args = (command, *args)
        argv = [self.exe, command, "--timeout", str(timeout_ms), *map(str, args[1:])]
        try:
            done = self.wine.run(argv, timeout=timeout_ms / 1000 + START_MARGIN_S)
        except subprocess.TimeoutExpired as e:
            raise DriverError(args, "timeout", "uidriver itself did not finish") from e
        if done.returncode != 0:
            raise DriverError(args, done.returncode, done.stderr.decode("utf-8", "replace"))
        return done.stdout.decode("utf-8")

    # Windows -------------------------------------------------------------
    def wait_window(self, title: str, timeout_ms: int = 15000) -> str:
        return self.run("wait-window", title, timeout_ms=timeout_ms).strip()

    def wait_gone(self, title: str, timeout_ms: int = 10000):
        self.run("wait-gone", title, timeout_ms=timeout_ms)

    def close(self, title: str):
        self.run("close", title)

    def place(self, title: str, x: int, y: int, width: int, height: int) -> list:
        """Moves and sizes a top-level window; its rectangle afterwards, [left, top, right, bottom]."""
        return json.loads(self.run("place", title, x, y, width, height))

    def list(self, title: str) -> list:
        """The controls of a window: dicts with name, class, caption, id, rect, visible, enabled."""
        return [json.loads(line) for line in self.run("list", title).splitlines() if line.strip()]

    # Controls ------------------------------------------------------------
    def click(self, title: str, control: str, wait: bool = False, mouse: bool = False):
        flags = (["--wait"] if wait else []) + (["--mouse"] if mouse else [])
        self.run("click", title, control, *flags)

    def set_text(self, title: str, control: str, text: str):
        self.run("set-text", title, control, "--", text)

    def get_text(self, title: str, control: str) -> str:
        return self.run("get-text", title, control)

    def wait_text(self, title: str, control: str, expected: str, timeout_s: float = 10) -> str:
        """Polls the control's text until it equals `expected`; returns the last text seen."""
        deadline = time.monotonic() + timeout_s
        while True:
            text = self.get_text(title, control)
            if text == expected or time.monotonic() > deadline:
                return text
            time.sleep(0.1)

    def rect(self, title: str, control: str) -> dict:
        """{"screen": [l, t, r, b], "parent": [l, t, r, b]}"""
        return json.loads(self.run("rect", title, control))

    def mouse(self, title: str, control: str, action: str, x: int, y: int):
        self.run("mouse", title, control, action, "--", x, y)

    def key(self, title: str, vk, control: str = None):
        self.run("key", title, vk, *(["--control", control] if control else []))

    # Message boxes -------------------------------------------------------
    def clipboard(self, ansi: bool = False) -> str:
        """The clipboard's text as another program reads it (Unicode, or the local code page)."""
        return self.run("clipboard", *(["--ansi"] if ansi else []))

    def clipboard_picture(self, bmp_path):
        """Puts a BMP file's bitmap on the clipboard (CF_DIB)."""
        self.run("clipboard-picture", self.wine.windows_path(bmp_path))

    def paste(self, title: str, control: str):
        """WM_PASTE to a control."""
        self.run("paste", title, control)

    def msgbox(self, title: str = None, timeout_ms: int = 10000) -> dict:
        """The current message box: {"title", "text", "icon", "buttons": [{"id", "caption"}]}."""
        return json.loads(self.run("msgbox", *(["--title", title] if title else []), timeout_ms=timeout_ms))

    def msgbox_press(self, button, title: str = None, timeout_ms: int = 10000):
        self.run("msgbox-press", *(["--title", title] if title else []), "--", button, timeout_ms=timeout_ms)

    # Pictures ------------------------------------------------------------
    def screenshot(self, name: str, window: str = None) -> Path:
        """Saves a PNG into the kept screenshot folder and returns its path."""
        self.wine.ensure_compositor()
        path = paths.screenshot_dir() / f"{self.screenshot_prefix}{name}.png"
        self.run("screenshot", self.wine.windows_path(path), *(["--window", window] if window else []))
        return path
