"""Where the build outputs are. The folders can be moved with environment
variables, so several people can test their own build folders at once:
MOLAN_NATIVE_BUILD (default build/native), MOLAN_WIN_BUILD (default build/win),
MOLAN_SCREENSHOT_DIR (default build/screenshots)."""
import functools
import os
from pathlib import Path

REPO = Path(__file__).resolve().parents[3]
WINE_DIR = REPO / "tests" / "wine"


def native_build() -> Path:
    return Path(os.environ.get("MOLAN_NATIVE_BUILD", REPO / "build" / "native")).resolve()


def win_build() -> Path:
    return Path(os.environ.get("MOLAN_WIN_BUILD", REPO / "build" / "win")).resolve()


def screenshot_dir() -> Path:
    path = Path(os.environ.get("MOLAN_SCREENSHOT_DIR", REPO / "build" / "screenshots")).resolve()
    path.mkdir(parents=True, exist_ok=True)
    return path


@functools.lru_cache(maxsize=None)
def find_output(root: Path, name: str):
    """The build output called `name` under `root` (not inside CMakeFiles), or None."""
    if not root.is_dir():
        return None
    hits = sorted(p for p in root.rglob(name) if "CMakeFiles" not in p.parts and p.is_file())
    return hits[0] if hits else None
