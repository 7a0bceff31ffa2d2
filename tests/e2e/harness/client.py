"""The client under test: the test build (MoLanTest.exe, which talks to
127.0.0.1:17365) copied into a fresh run folder as MoLan.exe and run under
Wine. Knows the per-user application-data folder inside the prefix."""
import shutil
import subprocess
from pathlib import Path

DATA_FOLDER = "墨澜"  # the client's folder inside %APPDATA%


class ClientError(RuntimeError):
    pass


class Client:
    def __init__(self, wine, exe: Path, run_dir: Path, name: str = "MoLan.exe"):
        self.wine = wine
        self.source = exe
        self.run_dir = run_dir
        self.exe = run_dir / name
        self.process = None
        self.log = run_dir / "wine-output.log"
        run_dir.mkdir(parents=True, exist_ok=True)
        shutil.copy2(exe, self.exe)

    @property
    def appdata(self) -> Path:
        """%APPDATA% inside the prefix."""
        return self.wine.appdata

    @property
    def data_dir(self) -> Path:
        return self.appdata / DATA_FOLDER

    def reset_user_files(self):
        """Leaves %APPDATA% and the desktop as a fresh prefix has them (the
        session shares one prefix between tests)."""
        for entry in self.appdata.iterdir():
            if entry.name != "Microsoft":
                shutil.rmtree(entry) if entry.is_dir() and not entry.is_symlink() else entry.unlink()
        for entry in self.wine.desktop.iterdir():
            shutil.rmtree(entry) if entry.is_dir() and not entry.is_symlink() else entry.unlink()

    def start(self, *args):
        if self.running:
            raise ClientError("the client is already running")
        with open(self.log, "ab") as log:  # the child keeps its own copy of the handle
            self.process = self.wine.popen([self.exe, *args], cwd=self.run_dir, stdout=log,
                                           stderr=subprocess.STDOUT)
        return self

    @property
    def running(self) -> bool:
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout_s: float = 30) -> int:
        """The client's exit code; fails the test when it does not exit in time."""
        if self.process is None:
            raise ClientError("the client was never started")
        try:
            return self.process.wait(timeout_s)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the client did not exit within {timeout_s} s") from None

    def kill(self):
        if self.running:
            self.process.kill()
            self.process.wait(10)
