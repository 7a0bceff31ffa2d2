"""Fixtures of the end-to-end tests (run one after another, in one Wine session):

  wine           the session's Wine environment (prefix + Xvfb + xcompmgr)
  driver         the UI driver; screenshots land in build/screenshots/<test>-<name>.png,
                 and a failed test leaves <test>-failure.png there
  script_server  molan-script-server on 127.0.0.1:17365 (started by .start(scenario))
  client         the test build of the client in a fresh run folder (started by .start())
  testwin_exe    the driver's own test window program

Each test is bounded (default 180 s; @pytest.mark.time_limit(seconds) to change).
The client's port is machine-wide, so tests that use it hold a lock file:
parallel runs by several people wait for each other instead of colliding."""
import fcntl
import os
import signal
import time
from pathlib import Path

import pytest

from harness import paths
from harness.client import Client
from harness.driver import UiDriver
from harness.script_server import CLIENT_PORT, Scenario, ScriptServer  # noqa: F401 (re-exported for tests)
from harness.wine import WineEnv

DEFAULT_TIME_LIMIT_S = 180
PORT_LOCK = Path(f"/tmp/molan-e2e-port-{CLIENT_PORT}.lock")
PORT_LOCK_WAIT_S = 900


def _output(root: Path, name: str, what: str) -> Path:
    found = paths.find_output(root, name)
    if found is None:
        pytest.skip(f"{name} is not built in {root} ({what}); run scripts/build")
    return found


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    setattr(item, f"report_{report.when}", report)


@pytest.fixture(autouse=True)
def _time_limit(request):
    marker = request.node.get_closest_marker("time_limit")
    limit = int(marker.args[0]) if marker else DEFAULT_TIME_LIMIT_S

    def expired(signum, frame):
        raise TimeoutError(f"test exceeded its time limit of {limit} s")

    previous = signal.signal(signal.SIGALRM, expired)
    signal.alarm(limit)
    yield
    signal.alarm(0)
    signal.signal(signal.SIGALRM, previous)


@pytest.fixture(scope="session")
def wine():
    shared = WineEnv.shared()
    if shared:
        yield shared
        return
    env = WineEnv.start(paths.REPO / "build" / "wine-runs" / f"e2e-{os.getpid()}")
    try:
        yield env
    finally:
        env.stop()


@pytest.fixture(scope="session")
def driver_exe():
    return _output(paths.win_build(), "uidriver.exe", "the UI driver")


@pytest.fixture(scope="session")
def testwin_exe():
    return _output(paths.win_build(), "uidriver-testwin.exe", "the driver's test window")


@pytest.fixture
def driver(wine, driver_exe, request):
    d = UiDriver(wine, driver_exe, screenshot_prefix=f"{request.node.name}-")
    yield d
    report = getattr(request.node, "report_call", None)
    if report is not None and report.failed:
        try:
            d.screenshot("failure")
        except Exception as e:  # the failure itself is what matters
            print(f"no failure screenshot: {e}")


@pytest.fixture
def port_lock():
    """Holds the client port for this test (waits for other runs to let go)."""
    with open(PORT_LOCK, "w") as lock:
        deadline = time.monotonic() + PORT_LOCK_WAIT_S
        while True:
            try:
                fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
                break
            except BlockingIOError:
                if time.monotonic() > deadline:
                    pytest.fail(f"port {CLIENT_PORT} stayed locked by another test run ({PORT_LOCK})")
                time.sleep(0.5)
        yield
        fcntl.flock(lock, fcntl.LOCK_UN)


@pytest.fixture
def script_server(port_lock, tmp_path):
    exe = _output(paths.native_build(), "molan-script-server", "the scripted test server")
    server = ScriptServer(exe, tmp_path / "script-server")
    yield server
    server.stop()


@pytest.fixture
def client_exe():
    return _output(paths.win_build(), "MoLanTest.exe", "the test build of the client")


@pytest.fixture
def client(wine, port_lock, client_exe, tmp_path):
    c = Client(wine, client_exe, tmp_path / "run")
    c.reset_user_files()
    yield c
    c.kill()
