"""Polling for a condition with a bound, for tests and the demo."""
import time


def wait_for(check, timeout_s=15.0, what="condition", interval_s=0.1):
    """The first true value of check(); AssertionError when none came in time."""
    deadline = time.monotonic() + timeout_s
    while time.monotonic() < deadline:
        value = check()
        if value:
            return value
        time.sleep(interval_s)
    raise AssertionError(f"timed out waiting for {what}")
