"""The Wine environment itself (tests/wine/env.sh and run-exe): the prefix
settings every test relies on, separate environments for parallel runs, and
that stopping (or losing the owner) leaves no process behind."""
import os
import signal
import subprocess
import time
from pathlib import Path

import pytest

from harness import paths
from harness.wine import WineEnv

RUN_EXE = paths.WINE_DIR / "run-exe"


def _pids(env: WineEnv) -> dict:
    state = env.folder / "state"
    return {p.stem: int(p.read_text()) for p in state.glob("*.pid")}


def _alive(pid: int) -> bool:
    try:
        os.kill(pid, 0)
    except OSError:
        return False
    try:  # a zombie has finished
        return Path(f"/proc/{pid}/stat").read_text().split(")")[-1].split()[0] != "Z"
    except OSError:
        return False


def _processes_of(prefix: Path) -> list:
    """Live processes whose WINEPREFIX is this prefix (wineserver, Wine programs)."""
    found = []
    for proc in Path("/proc").iterdir():
        if not proc.name.isdigit():
            continue
        try:
            environ = (proc / "environ").read_bytes().split(b"\0")
        except OSError:
            continue
        if f"WINEPREFIX={prefix}".encode() in environ and _alive(int(proc.name)):
            found.append(int(proc.name))
    return found


def _desktop_processes(prefix: Path) -> list:
    return [pid for pid in _processes_of(prefix)
            if b"explorer.exe" in Path(f"/proc/{pid}/cmdline").read_bytes()]


def _wait_until(check, timeout_s=10):
    deadline = time.monotonic() + timeout_s
    while not check():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.1)
    return True


@pytest.mark.parametrize("key, value, data", [
    (r"HKCU\Software\Wine\Fonts\Replacements", "Microsoft YaHei", "WenQuanYi Micro Hei"),
    (r"HKCU\Software\Wine\Fonts\Replacements", "微软雅黑", "WenQuanYi Micro Hei"),
    (r"HKCU\Software\Wine\Fonts\Replacements", "SimSun", "WenQuanYi Micro Hei"),
    (r"HKCU\Software\Wine\Fonts\Replacements", "宋体", "WenQuanYi Micro Hei"),
    (r"HKCU\Software\Wine\X11 Driver", "Managed", "N"),
    (r"HKCU\Software\Wine\X11 Driver", "Decorated", "N"),
])
def test_prefix_carries_the_settings(wine, key, value, data):
    done = wine.run(["reg", "query", key, "/v", value], timeout=60)
    assert done.returncode == 0
    assert data in done.stdout.decode("gbk", "replace")


def test_prefix_has_fonts_locale_and_its_own_desktop(wine):
    fonts = wine.prefix / "drive_c" / "windows" / "Fonts"
    for name in ("tahoma.ttf", "tahomabd.ttf", "marlett.ttf"):
        assert (fonts / name).stat().st_size > 0
    assert wine.env["LC_ALL"] == "zh_CN.UTF-8"
    assert wine.env["WINEDEBUG"] == "-all"
    desktop = wine.user_dir / "Desktop"
    assert desktop.resolve() == wine.desktop.resolve()
    assert wine.desktop.is_dir() and wine.home.is_relative_to(wine.folder)


@pytest.mark.time_limit(240)
def test_parallel_environments_are_separate_and_stop_cleanly(tmp_path, driver_exe):
    first = WineEnv.start(tmp_path / "a")
    second = WineEnv.start(tmp_path / "b")
    try:
        assert first.env["DISPLAY"] != second.env["DISPLAY"]
        assert first.prefix != second.prefix
        for env in (first, second):
            assert env.run([driver_exe, "wait-window", "--timeout", "100", "无"], timeout=60).returncode == 1
        started = {**{f"a-{k}": v for k, v in _pids(first).items()}, **{f"b-{k}": v for k, v in _pids(second).items()}}
        assert {"a-xvfb", "a-xcompmgr", "a-watchdog", "b-xvfb"} <= set(started)
        assert all(_alive(pid) for pid in started.values())
        assert _processes_of(first.prefix) and _processes_of(second.prefix)
    finally:
        first.stop()
        second.stop()
    assert _wait_until(lambda: not any(_alive(pid) for pid in started.values())), started
    assert _wait_until(lambda: not _processes_of(first.prefix) and not _processes_of(second.prefix))


def test_compositor_is_restarted_when_it_died(wine):
    before = _pids(wine)["xcompmgr"]
    os.kill(before, signal.SIGTERM)
    assert _wait_until(lambda: not _alive(before))
    wine.ensure_compositor()
    after = _pids(wine)["xcompmgr"]
    assert after != before and _alive(after)


@pytest.mark.time_limit(120)
def test_environment_stops_when_its_owner_dies(tmp_path):
    owner = subprocess.Popen(["sleep", "60"])
    env = dict(os.environ, MOLAN_WINE_OWNER=str(owner.pid))
    folder = tmp_path / "orphan"
    done = subprocess.run(["bash", "-c", f'source "{paths.WINE_DIR}/env.sh"; molan_wine_start "$1"', "bash",
                           str(folder)], env=env, capture_output=True, timeout=120)
    assert done.returncode == 0, done.stderr
    pids = {p.stem: int(p.read_text()) for p in (folder / "state").glob("*.pid")}
    assert all(_alive(pid) for pid in pids.values())
    owner.kill()
    owner.wait()
    assert _wait_until(lambda: not any(_alive(pid) for pid in pids.values()), 15), pids
    assert _wait_until(lambda: not _processes_of(folder / "prefix"), 15)


@pytest.mark.time_limit(120)
@pytest.mark.parametrize("shared", [True, False])
def test_run_exe_returns_the_program_exit_code(wine, driver_exe, shared):
    env = dict(wine.env) if shared else {k: v for k, v in os.environ.items()
                                         if k not in ("MOLAN_WINE_DIR", "WINEPREFIX", "DISPLAY")}
    for args, code in ((["wait-window", "--timeout", "50", "无"], 1), (["nonsense"], 2)):
        done = subprocess.run([RUN_EXE, driver_exe, *args], env=env, capture_output=True, timeout=100)
        assert done.returncode == code, done.stderr
        assert b"uidriver" in done.stderr


def test_run_exe_refuses_a_missing_program(wine, tmp_path):
    done = subprocess.run([RUN_EXE, tmp_path / "missing.exe"], env=wine.env, capture_output=True, timeout=30)
    assert done.returncode == 2
    assert b"no such program" in done.stderr


@pytest.mark.time_limit(150)
def test_a_program_that_restarts_the_desktop_process_still_returns(tmp_path, driver_exe):
    # Wine's desktop process ends a while after the last window has gone and is
    # restarted by the next program that needs it, inheriting that program's
    # standard handles. The program's output must not depend on it exiting.
    env = WineEnv.start(tmp_path / "desktop")
    try:
        assert _wait_until(lambda: not _desktop_processes(env.prefix), 60), "the desktop process stayed"
        done = env.run([driver_exe, "wait-window", "--timeout", "100", "无"], timeout=60)
        assert done.returncode == 1 and b"no visible window" in done.stderr
        assert _desktop_processes(env.prefix), "the program did not restart the desktop process"
        out = subprocess.run([RUN_EXE, driver_exe, "nonsense"], env=env.env, stdin=subprocess.DEVNULL,
                             capture_output=True, timeout=60)
        assert out.returncode == 2 and b"unknown command" in out.stderr
    finally:
        env.stop()
