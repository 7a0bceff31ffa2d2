"""Login end to end: the real client under Wine against the scripted server.
The title bar's 登录 opens the login window; replies change the title bar;
the check boxes write 配置.ini at once; automatic login at start."""
import re
import time

import pytest

from harness.driver import DriverError
from harness.script_server import Scenario
from harness.waiting import wait_for

MAIN = "墨澜"
LOGIN = "登录"
TAGS = "青柯<||||>墨澜<||||>"
REPLY = TAGS + "登录返回<||||>"
SUCCESS = REPLY + "账号密码正确<||||>abc12345<||||>120<||||>"
LINK_KEY = b"qotu7mbnv-*h5yplkzrwoxc*^^&jmtbe8g^%Rivulo9786513n076"


def rc4(data: bytes) -> bytes:
    """The link cipher, written independently of the client's code."""
    s = list(range(256))
    j = 0
    for i in range(256):
        j = (j + s[i] + LINK_KEY[i % len(LINK_KEY)]) % 256
        s[i], s[j] = s[j], s[i]
    out, a, b = bytearray(), 0, 0
    for byte in data:
        a = (a + 1) % 256
        b = (b + s[a]) % 256
        s[a], s[b] = s[b], s[a]
        out.append(byte ^ s[(s[a] + s[b]) % 256])
    return bytes(out)


def config_bytes(remember, auto, account=b"", password=b""):
    return (f"[用户配置]\r\n记住密码={remember}\r\n自动登录={auto}\r\n记忆账户=".encode("gbk") + account +
            "\r\n记忆密码=".encode("gbk") + password + b"\r\n")


def config_path(client):
    return client.data_dir / "墨澜客户端" / "配置" / "配置.ini"


def write_config(client, data: bytes):
    path = config_path(client)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)




def controls(driver, title=MAIN):
    return {c["name"]: c for c in driver.list(title) if c.get("name")}


def login_frames(server):
    return [f for f in server.frames() if f.startswith((TAGS + "登录<||||>").encode("gbk"))]


def open_login(driver, server, client, scenario):
    server.start(scenario)
    client.start()
    driver.wait_window(MAIN)
    driver.click(MAIN, "超级按钮_登录")
    driver.wait_window(LOGIN)


def log_in(driver, account="abc12345", password="Passw0rd"):
    driver.set_text(LOGIN, "编辑框_账号", account)
    driver.set_text(LOGIN, "编辑框_密码", password)
    driver.click(LOGIN, "超级按钮_登录")


def no_message_box(driver, timeout_ms=1500):
    try:
        driver.msgbox(timeout_ms=timeout_ms)
    except DriverError:
        return True
    return False


def account_shown(driver):
    c = controls(driver)
    return c["外形框_账户"]["visible"] and not c["超级按钮_登录"]["visible"] and not c["超级按钮_注册"]["visible"]


def test_login_success_sends_the_machine_code_and_shows_the_account(driver, script_server, client):
    open_login(driver, script_server, client, Scenario().rule("登录").reply(SUCCESS))
    driver.screenshot("login-window")
    log_in(driver)
    frame = script_server.wait_for(login_frames, what="the login request")[0]
    prefix = re.escape((TAGS + "登录<||||>abc12345<||||>Passw0rd<||||>").encode("gbk"))
    assert re.fullmatch(prefix + rb"[0-9A-F]{41}<\|\|\|\|>", frame), frame
    driver.wait_gone(LOGIN)
    wait_for(lambda: account_shown(driver), what="the account box")
    assert driver.get_text(MAIN, "透明标签_账户") == "abc12345"
    label = driver.rect(MAIN, "透明标签_账户")["parent"]
    assert label[2] - label[0] == 64
    box = driver.rect(MAIN, "外形框_账户")["parent"]
    share = driver.rect(MAIN, "图形按钮_分享")["parent"]
    assert box[1] == 28 and box[2] == share[0] - 8
    driver.screenshot("logged-in")


@pytest.mark.parametrize("status, text, title, icon", [
    ("服务器网络繁忙", "服务器网络繁忙，请稍后重试", "提示", "information"),
    ("账号不存在", "账号不存在", "警告", "warning"),
    ("密码错误", "密码错误", "警告", "warning"),
    ("账号已被登录", "账号已被登录", "警告", "warning"),
])
def test_each_failure_shows_its_message_and_the_window_stays(driver, script_server, client, status, text, title, icon):
    open_login(driver, script_server, client, Scenario().rule("登录").reply(REPLY + status + "<||||>"))
    log_in(driver)
    box = driver.msgbox()
    assert (box["text"], box["title"], box["icon"]) == (text, title, icon)
    driver.msgbox_press("1")
    assert no_message_box(driver)
    driver.wait_window(LOGIN, timeout_ms=2000)
    assert not controls(driver)["外形框_账户"]["visible"]


def test_an_unlisted_status_shows_nothing(driver, script_server, client):
    open_login(driver, script_server, client, Scenario().rule("登录").reply(REPLY + "账号已冻结<||||>"))
    log_in(driver)
    script_server.wait_for(login_frames, what="the login request")
    assert no_message_box(driver, 3000)
    driver.wait_window(LOGIN, timeout_ms=2000)
    assert not controls(driver)["外形框_账户"]["visible"]


@pytest.mark.time_limit(120)
def test_no_reply_then_a_late_success_still_logs_in(driver, script_server, client):
    # The test build's poll unit makes the 5000-poll wait about 5 s.
    open_login(driver, script_server, client, Scenario().rule("登录").delay(9000).reply(SUCCESS))
    log_in(driver)
    box = driver.msgbox(timeout_ms=30000)
    assert (box["text"], box["title"], box["icon"]) == ("登录未响应", "警告", "warning")
    driver.msgbox_press("1")
    wait_for(lambda: account_shown(driver), timeout_s=20, what="the late login")
    driver.wait_window(LOGIN, timeout_ms=2000)  # the window stays open


def test_empty_account_is_refused_and_nothing_sent(driver, script_server, client):
    open_login(driver, script_server, client, Scenario().rule("登录").reply(SUCCESS))
    before = config_path(client).read_bytes()
    driver.click(LOGIN, "超级按钮_登录")
    box = driver.msgbox()
    assert (box["text"], box["title"], box["icon"]) == ("账号不能为空", "警告", "warning")
    driver.msgbox_press("1")
    time.sleep(1)
    assert login_frames(script_server) == []
    assert config_path(client).read_bytes() == before


@pytest.mark.time_limit(240)
def test_remembered_credentials_log_in_by_themselves_at_the_next_start(driver, script_server, client):
    open_login(driver, script_server, client, Scenario().rule("登录").reply(SUCCESS))
    driver.set_text(LOGIN, "编辑框_账号", "abc12345")
    driver.set_text(LOGIN, "编辑框_密码", "Passw0rd")
    driver.click(LOGIN, "选择框_自动登录", wait=True)
    expected = config_bytes("是", "是", rc4(b"abc12345"), rc4(b"Passw0rd"))
    wait_for(lambda: config_path(client).read_bytes() == expected, what="the settings written at once")
    assert login_frames(script_server) == []  # remembered before any login
    client.kill()

    client.start()
    driver.wait_window(MAIN)
    driver.wait_window(LOGIN)
    assert driver.get_text(LOGIN, "编辑框_账号") == "abc12345"
    frame = script_server.wait_for(lambda s: len(login_frames(s)) >= 1 and login_frames(s), timeout_s=15,
                                   what="the automatic login")[0]
    assert b"<||||>abc12345<||||>Passw0rd<||||>" in frame
    driver.wait_gone(LOGIN)
    wait_for(lambda: account_shown(driver), what="the account box")
    assert config_path(client).read_bytes() == expected


@pytest.mark.parametrize("stop", ["uncheck", "close"])
def test_unchecking_or_closing_within_two_seconds_prevents_auto_login(driver, script_server, client, stop):
    write_config(client, config_bytes("是", "是", rc4(b"abc12345"), rc4(b"Passw0rd")))
    script_server.start(Scenario().rule("登录").reply(SUCCESS))
    client.start()
    driver.wait_window(LOGIN, timeout_ms=20000)
    if stop == "uncheck":
        driver.click(LOGIN, "选择框_自动登录", wait=True)
    else:
        driver.click(LOGIN, "图形按钮_关闭", wait=True)
    time.sleep(3.5)
    assert login_frames(script_server) == []
    if stop == "uncheck":
        assert config_path(client).read_bytes() == config_bytes("是", "否", rc4(b"abc12345"), rc4(b"Passw0rd"))
