"""The Wine environment of a test session: a private prefix, an Xvfb display
and xcompmgr, set up by tests/wine/env.sh. Reused from the caller when
scripts/test has one running (MOLAN_WINE_DIR), otherwise started here and
stopped at the end of the session."""
import os
import pwd
import shutil
import subprocess
import tempfile
from pathlib import Path

from . import paths

ENV_SH = paths.WINE_DIR / "env.sh"
# The size of the virtual screen that tests/wine/display.sh starts.
SCREEN_SIZE = (1920, 1200)
ENV_KEYS = ("MOLAN_WINE_DIR", "WINEPREFIX", "DISPLAY", "HOME", "LC_ALL", "WINEDEBUG", "WINEDLLOVERRIDES")


class WineError(RuntimeError):
    pass


def _bash(script: str, *args: str, timeout: float, env=None) -> subprocess.CompletedProcess:
    return subprocess.run(["bash", "-c", f'source "{ENV_SH}"; {script}', "bash", *args],
                          stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=timeout, env=env)


def _read_env_file(folder: Path) -> dict:
    values = {}
    for line in (folder / "env").read_text().splitlines():
        key, _, value = line.partition("=")
        values[key] = value
    missing = [k for k in ENV_KEYS if k not in values]
    if missing:
        raise WineError(f"{folder}/env lacks {missing}")
    return values


def _alive(pid_file: Path) -> bool:
    """True while the process in the pid file runs (a zombie has ended)."""
    try:
        pid = int(pid_file.read_text().strip())
        os.kill(pid, 0)
        return Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[-1].split()[0] != "Z"
    except (OSError, ValueError, IndexError):
        return False


class WineEnv:
    def __init__(self, folder: Path, owned: bool):
        self.folder = folder
        self.owned = owned
        self.env = dict(os.environ)
        self.env.update(_read_env_file(folder))
        self.prefix = Path(self.env["WINEPREFIX"])
        self.home = Path(self.env["HOME"])

    @classmethod
    def shared(cls):
        """The environment the caller set up, when it is alive; else None."""
        folder = os.environ.get("MOLAN_WINE_DIR")
        if not folder or not (Path(folder) / "env").is_file():
            return None
        if not _alive(Path(folder) / "state" / "xvfb.pid"):
            return None
        return cls(Path(folder), owned=False)

    @classmethod
    def start(cls, folder: Path):
        env = dict(os.environ, MOLAN_WINE_OWNER=str(os.getpid()))
        # The template prefix may need booting first: allow for it.
        result = _bash('molan_wine_start "$1"', str(folder), timeout=400, env=env)
        if result.returncode != 0:
            raise WineError(f"cannot start the Wine environment in {folder}:\n{result.stderr}")
        return cls(folder, owned=True)

    def stop(self):
        if self.owned:
            _bash('molan_wine_stop "$1"', str(self.folder), timeout=60)
            shutil.rmtree(self.folder, ignore_errors=True)

    def ensure_compositor(self):
        result = _bash('molan_wine_compositor "$1"', str(self.folder), timeout=30, env=self.env)
        if result.returncode != 0:
            raise WineError(f"xcompmgr is not running:\n{result.stderr}")

    @property
    def user_dir(self) -> Path:
        users = self.prefix / "drive_c" / "users"
        names = [p.name for p in users.iterdir() if p.is_dir() and p.name != "Public"]
        for preferred in (os.environ.get("USER"), pwd.getpwuid(os.getuid()).pw_name):
            if preferred in names:
                return users / preferred
        if len(names) != 1:
            raise WineError(f"cannot tell the Wine user among {names}")
        return users / names[0]

    @property
    def appdata(self) -> Path:
        """%APPDATA%: the per-user roaming application-data folder."""
        return self.user_dir / "AppData" / "Roaming"

    @property
    def desktop(self) -> Path:
        return self.home / "Desktop"

    @staticmethod
    def windows_path(path: Path) -> str:
        """The path as Windows programs in the prefix see it (drive Z: is /)."""
        return "Z:" + str(Path(path).resolve()).replace("/", "\\")

    def popen(self, args, cwd=None, **kwargs) -> subprocess.Popen:
        return subprocess.Popen(["wine", *map(str, args)], cwd=cwd, env=self.env, stdin=subprocess.DEVNULL, **kwargs)

    def run(self, args, timeout: float, cwd=None) -> subprocess.CompletedProcess:
        """Runs a program to its end and returns its output as bytes. The output
        goes through files, not pipes: Wine restarts its desktop process from
        whichever program needs it next, and that process inherits the
        program's handles, so a pipe would stay open as long as it lives."""
        argv = ["wine", *map(str, args)]
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            code = subprocess.run(argv, cwd=cwd, env=self.env, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                  timeout=timeout).returncode
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(argv, code, out.read(), err.read())
