"""molan-script-server from Python: scenarios written as Python (Chinese texts
as str; the server turns UTF-8 into GBK), recorded frames read back as GBK
bytes, frames pushed unasked.

    server.start(Scenario().rule("登录").reply("登录返回|成功").on_connect().reply("公告|..."))
"""
import os
import select
import subprocess
import time
from pathlib import Path

CLIENT_PORT = 17365  # built into the test build of the client (MOLAN_TEST_SERVER_PORT)


class ScriptServerError(RuntimeError):
    pass


def _escape(text) -> str:
    """One scenario argument: str stays text (UTF-8 in the file), bytes are taken
    as GBK bytes; line breaks, backslashes and edge blanks are escaped."""
    if isinstance(text, bytes):
        return "".join(chr(b) if 0x20 < b < 0x7F and b != 0x5C else f"\\x{b:02x}" for b in text)
    out = text.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t")
    if out[:1] == " ":
        out = "\\x20" + out[1:]
    if out[-1:] == " ":
        out = out[:-1] + "\\x20"
    return out


class Scenario:
    """Builder of a scenario file; each method adds one line and returns self."""

    def __init__(self):
        self.lines = []

    def _add(self, *parts):
        self.lines.append(" ".join(str(p) for p in parts))
        return self

    def rule(self, command):
        return self._add("rule", _escape(command))

    def on_connect(self):
        return self._add("on-connect")

    def reply(self, text):
        return self._add("reply", _escape(text))

    def reply_file(self, path):
        return self._add("reply-file", Path(path).resolve())

    def delay(self, ms: int):
        return self._add("delay", int(ms))

    def close(self):
        return self._add("close")

    def garbage(self, n: int):
        return self._add("garbage", int(n))

    def bad_header(self):
        return self._add("bad-header")

    def zero_header(self):
        return self._add("zero-header")

    def raw_hex(self, data: bytes):
        return self._add("raw-hex", data.hex())

    def text(self) -> str:
        return "\n".join(self.lines) + "\n"


class ScriptServer:
    def __init__(self, exe: Path, folder: Path, port: int = CLIENT_PORT):
        self.exe = exe
        self.folder = folder
        self.port = port
        self.record_dir = folder / "record"
        self.push_dir = folder / "push"
        self.process = None
        self._pushed = 0

    def start(self, scenario=None, timeout_s: float = 10):
        """Starts the server with this scenario (a Scenario or its text); returns self."""
        if self.process:
            raise ScriptServerError("the script server is already running")
        text = scenario.text() if isinstance(scenario, Scenario) else (scenario or "")
        self.folder.mkdir(parents=True, exist_ok=True)
        self.push_dir.mkdir(exist_ok=True)
        scenario_file = self.folder / "scenario.txt"
        scenario_file.write_text(text, encoding="utf-8")
        with open(self.folder / "server.log", "wb") as log:  # the child keeps its own copy
            self.process = subprocess.Popen(
                [str(self.exe), "--port", str(self.port), "--scenario", str(scenario_file), "--record",
                 str(self.record_dir), "--push-dir", str(self.push_dir)],
                stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=log)
        line = self._read_line(timeout_s)
        if line.split() != ["listening", str(self.port)]:
            self.stop()
            log = (self.folder / "server.log").read_text(errors="replace")
            raise ScriptServerError(f"molan-script-server did not start on port {self.port} "
                                    f"(said {line!r}):\n{log}\nscenario:\n{text}")
        return self

    def _read_line(self, timeout_s: float) -> str:
        deadline = time.monotonic() + timeout_s
        data = b""
        while b"\n" not in data and time.monotonic() < deadline:
            ready, _, _ = select.select([self.process.stdout], [], [], 0.1)
            if ready:
                chunk = os.read(self.process.stdout.fileno(), 256)
                if not chunk:
                    break
                data += chunk
        return data.decode("utf-8", "replace").strip()

    def stop(self):
        if not self.process:
            return
        self.process.terminate()
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait(5)
        self.process.stdout.close()
        self.process = None

    # Records -------------------------------------------------------------
    def events(self) -> list:
        """events.log as tuples: ("connect", 1), ("frame", 1, 1), ("close", 1), ("bad-pack", 1)."""
        log = self.record_dir / "events.log"
        if not log.exists():
            return []
        text = log.read_text()
        complete = text[:text.rfind("\n") + 1]  # a line still being written is left for later
        out = []
        for line in complete.splitlines():
            kind, *numbers = line.split()
            out.append((kind, *map(int, numbers)))
        return out

    def frames(self) -> list:
        """Every recorded (deciphered) frame, in order, as GBK bytes."""
        if not self.record_dir.is_dir():
            return []
        return [p.read_bytes() for p in sorted(self.record_dir.glob("[0-9][0-9][0-9][0-9].frame"))]

    def wait_for(self, predicate, timeout_s: float = 10, what: str = "an event"):
        """Polls until predicate(server) is true; returns its value or raises."""
        deadline = time.monotonic() + timeout_s
        while True:
            value = predicate(self)
            if value:
                return value
            if time.monotonic() > deadline:
                raise AssertionError(f"timed out after {timeout_s} s waiting for {what}; events: {self.events()}")
            time.sleep(0.05)

    def wait_event(self, kind: str, count: int = 1, timeout_s: float = 10):
        return self.wait_for(lambda s: [e for e in s.events() if e[0] == kind][count - 1:] and True,
                             timeout_s, f"{count} '{kind}' event(s)")

    def wait_frames(self, count: int, timeout_s: float = 10) -> list:
        self.wait_for(lambda s: len(s.frames()) >= count, timeout_s, f"{count} frame(s)")
        return self.frames()

    def push(self, frame):
        """Sends a plain frame (str is encoded as GBK) to every open connection."""
        data = frame.encode("gbk") if isinstance(frame, str) else frame
        self._pushed += 1
        temporary = self.push_dir / f"{self._pushed:04d}.tmp"
        temporary.write_bytes(data)
        temporary.rename(self.push_dir / f"{self._pushed:04d}.frame")
