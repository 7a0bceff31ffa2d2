"""The whole journey against the real server: the client under Wine logs in
to molan-server (real accounts, real OCR), imports a picture through the open
dialog, recognises it, and shows the text; the server charged nothing but the
free allowance."""
import subprocess
import time

import pytest

from harness import paths
from harness.script_server import CLIENT_PORT

MAIN = "墨澜"
LOGIN = "登录"
FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
LINES = ["墨澜文字识别，把图片里的文字变成可以复制的文本。", "Molan OCR reads Chinese and English text."]


@pytest.fixture
def molan_server(port_lock, tmp_path):
    exe = paths.find_output(paths.native_build(), "molan-server")
    if exe is None:
        pytest.skip("molan-server is not built; run scripts/build")
    data = tmp_path / "server-data"
    subprocess.run([exe, "admin", "--data", data, "create-account", "journey1", "journey2026", "50"],
                   check=True, capture_output=True)
    log = tmp_path / "server.log"
    process = subprocess.Popen([exe, "--data", data, "--port", str(CLIENT_PORT)], stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=open(log, "wb"))
    deadline = time.monotonic() + 60
    while b"listening" not in log.read_bytes():
        assert process.poll() is None, log.read_text(errors="replace")
        assert time.monotonic() < deadline, "molan-server did not start"
        time.sleep(0.1)
    yield exe, data, log
    process.terminate()
    process.wait(40)


def result_lines(driver, kind):
    text = driver.get_text(MAIN, f"编辑框_通用_通用文字识别_{kind}_结果")
    if not text or text.lstrip().startswith("**"):
        return None
    return [line.strip() for line in text.splitlines() if line.strip()]


@pytest.mark.time_limit(300)
def test_log_in_recognise_and_see_the_text(driver, wine, client, molan_server, tmp_path):
    exe, data, log = molan_server
    picture = tmp_path / "journey.png"
    command = ["convert", "-size", "1280x400", "xc:white", "-font", FONT, "-pointsize", "36", "-fill", "black"]
    for i, line in enumerate(LINES):
        command += ["-annotate", f"+60+{130 + i * 110}", line]
    subprocess.run(command + [str(picture)], check=True)

    client.start()
    driver.wait_window(MAIN, timeout_ms=60000)
    driver.click(MAIN, "超级按钮_登录")
    driver.wait_window(LOGIN)
    driver.set_text(LOGIN, "编辑框_账号", "journey1")
    driver.set_text(LOGIN, "编辑框_密码", "journey2026")
    driver.click(LOGIN, "超级按钮_登录")
    driver.wait_gone(LOGIN, timeout_ms=30000)
    assert driver.get_text(MAIN, "透明标签_账户") == "journey1"

    driver.click(MAIN, "超级按钮_通用_通用文字识别_标准_图片")
    driver.wait_window("打开")
    driver.set_text("打开", "#1148", wine.windows_path(picture))
    driver.click("打开", "打开(&O)")
    driver.wait_gone("打开")
    driver.click(MAIN, "超级按钮_通用_通用文字识别_标准_识别")
    deadline = time.monotonic() + 60
    while (lines := result_lines(driver, "标准")) is None:
        assert time.monotonic() < deadline, "no recognition result"
        time.sleep(0.3)
    driver.screenshot("journey-result")
    assert lines == LINES

    accounts = subprocess.run([exe, "admin", "--data", data, "list-accounts"], check=True, capture_output=True,
                              text=True).stdout
    assert "journey1" in accounts and "50" in accounts  # the first recognition of the day is free
    server_log = log.read_text(errors="replace")
    assert "登录 账号密码正确" in server_log and "通用文字识别_标准" in server_log
    driver.close(MAIN)
    assert client.wait_exit() == 0
