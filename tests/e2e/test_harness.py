"""The end-to-end harness itself, against the driver's test window
(uidriver-testwin.exe, a real Win32 program with named controls): the UI
driver's commands, the client fixture's process handling, and the scripted
server fixture's recording and pushing over real TCP."""
import socket
import struct

import pytest
from PIL import Image

from harness.client import Client
from harness.driver import DriverError
from harness.script_server import Scenario, ScriptServer, _escape
from harness.wine import SCREEN_SIZE

TITLE = "驱动测试窗口"
STATUS = "标签_状态"


@pytest.fixture
def testwin(wine, driver, testwin_exe, tmp_path):
    """The test window, exiting with code 7 when closed."""
    app = Client(wine, testwin_exe, tmp_path / "testwin", name="testwin.exe").start("7")
    driver.wait_window(TITLE)
    yield app
    app.kill()


def test_controls_are_found_by_design_name_id_and_caption(driver, testwin):
    controls = {c["name"]: c for c in driver.list(TITLE)}
    assert controls["超级按钮_确定"]["class"] == "Button"
    assert controls["超级按钮_确定"]["caption"] == "确定登录"
    assert controls["编辑框_账号"]["class"] == "Edit"
    assert controls[STATUS]["caption"] == "就绪"
    assert all(c["visible"] and c["enabled"] for c in controls.values())
    by_name = driver.rect(TITLE, "超级按钮_确定")
    for other in ("#101", "确定登录"):
        assert driver.rect(TITLE, other) == by_name
    assert by_name["parent"] == [20, 20, 140, 50]
    left, top, right, bottom = by_name["screen"]
    assert (right - left, bottom - top) == (120, 30)


@pytest.mark.parametrize("control, wait, mouse, expected", [
    ("超级按钮_确定", False, False, "点击 1"),
    ("确定登录", True, False, "点击 1"),
    ("超级按钮_确定", False, True, "点击 1"),
    ("超级按钮_自绘", False, False, "自绘 1"),
])
def test_click_reaches_the_button(driver, testwin, control, wait, mouse, expected):
    driver.click(TITLE, control, wait=wait, mouse=mouse)
    assert driver.wait_text(TITLE, STATUS, expected) == expected


def test_clicks_are_counted_once_each(driver, testwin):
    for _ in range(3):
        driver.click(TITLE, "超级按钮_确定", wait=True)
    assert driver.get_text(TITLE, STATUS) == "点击 3"


@pytest.mark.parametrize("text", ["张三", "abc 123", "", " 前后空格 ", "混合Text——“引号”" * 10])
def test_text_set_is_read_back_unchanged(driver, testwin, text):
    driver.set_text(TITLE, "编辑框_账号", text)
    assert driver.get_text(TITLE, "编辑框_账号") == text


@pytest.mark.parametrize("button, title, text, icon, buttons, press, answer", [
    ("按钮_信息", "信息", "这是一条信息\n第二行", "information", ["确定"], "确定", "1"),
    ("按钮_警告", "警告", "这是一条警告", "warning", ["确定", "取消"], "取消", "2"),
    ("按钮_错误", "错误", "这是一条错误", "error", ["确定"], "1", "1"),
    ("按钮_询问", "询问", "要继续吗？", "question", ["是(&Y)", "否(&N)"], "否", "7"),
    ("按钮_无图标", "无图标", "没有图标", "none", ["确定"], "确定", "1"),
])
def test_message_box_is_read_and_answered(driver, testwin, button, title, text, icon, buttons, press, answer):
    driver.click(TITLE, button)
    box = driver.msgbox()
    assert (box["title"], box["text"], box["icon"]) == (title, text, icon)
    assert [b["caption"] for b in box["buttons"]] == buttons
    with pytest.raises(DriverError, match="modal window is open"):
        driver.click(TITLE, "超级按钮_确定")
    driver.msgbox_press(press, title=title)
    assert driver.wait_text(TITLE, STATUS, f"答复 {answer}") == f"答复 {answer}"
    with pytest.raises(DriverError, match="no message box"):
        driver.msgbox(timeout_ms=200)


@pytest.mark.parametrize("action, x, y, expected", [
    ("down", 10, 20, "down 10 20"),
    ("move", 150, 90, "move 150 90"),
    ("hover", 3, 4, "hover 3 4"),
    ("up", 199, 0, "up 199 0"),
    ("dblclick", 5, 6, "dblclick 5 6"),
])
def test_mouse_messages_reach_the_control(driver, testwin, action, x, y, expected):
    driver.mouse(TITLE, "画布_鼠标", action, x, y)
    assert driver.wait_text(TITLE, STATUS, expected) == expected


@pytest.mark.parametrize("control", [None, "画布_鼠标"])
@pytest.mark.parametrize("vk, code", [("A", 65), ("0x42", 66), ("VK_F5", 116), ("LEFT", 37), ("RETURN", 13)])
def test_keys_reach_the_focused_or_named_control(driver, testwin, control, vk, code):
    driver.key(TITLE, vk, control=control)
    assert driver.wait_text(TITLE, STATUS, f"key {code}") == f"key {code}"


def test_screenshot_shows_the_window_as_drawn(driver, testwin):
    whole = Image.open(driver.screenshot("screen")).convert("RGB")
    assert whole.size == SCREEN_SIZE
    window = Image.open(driver.screenshot("window", window=TITLE)).convert("RGB")
    assert window.size == (560, 460)
    left, top, right, bottom = driver.rect(TITLE, "超级按钮_自绘")["screen"]
    centre = ((left + right) // 2 - 100, (top + bottom) // 2 - 100)  # the window sits at (100, 100)
    blue = window.getpixel((centre[0] + 30, centre[1] + 8))
    assert blue == (40, 120, 200)
    assert whole.getpixel((centre[0] + 130, centre[1] + 108)) == blue


@pytest.mark.parametrize("args, message", [
    (("wait-window", "没有这个窗口", "--timeout", "200"), "no visible window"),
    (("get-text", TITLE, "控件_不存在", "--timeout", "200"), "no control"),
    (("click", "没有这个窗口", "超级按钮_确定", "--timeout", "200"), "no window titled"),
    (("mouse", TITLE, "画布_鼠标", "drag", "1", "2"), "mouse action"),
    (("key", TITLE, "NOSUCHKEY"), "unknown key"),
    (("screenshot", "Z:\\tmp\\x.gif"), ".png or .bmp"),
])
def test_failures_exit_non_zero_with_a_reason(wine, driver_exe, testwin, args, message):
    done = wine.run([driver_exe, *args], timeout=40)
    assert done.returncode == 1
    assert message in done.stderr.decode("utf-8")


@pytest.mark.parametrize("args", [(), ("click", TITLE), ("nonsense",), ("get-text", TITLE, "x", "--timeout", "soon")])
def test_malformed_command_lines_exit_2(wine, driver_exe, args):
    done = wine.run([driver_exe, *args], timeout=40)
    assert done.returncode == 2
    assert b"usage" in done.stderr or b"--timeout" in done.stderr


def test_program_exit_code_and_closing(driver, testwin):
    driver.close(TITLE)
    driver.wait_gone(TITLE)
    assert testwin.wait_exit(10) == 7


def test_killed_program_leaves_no_window(driver, testwin):
    testwin.kill()
    driver.wait_gone(TITLE)
    assert not testwin.running


@pytest.mark.parametrize("text, line", [
    ("登录返回|成功", "登录返回|成功"),
    ("a\\b\nc", "a\\\\b\\nc"),
    (" edge ", "\\x20edge\\x20"),
    ("摘要".encode("gbk"), "\\xd5\\xaa\\xd2\\xaa"),
])
def test_scenario_arguments_are_escaped(text, line):
    assert _escape(text) == line
    assert Scenario().rule("登录").reply(text).text() == f"rule 登录\nreply {line}\n"


def _pack(body: bytes) -> bytes:
    return struct.pack("<I", len(body)) + body


def test_script_server_records_connections_frames_and_pushes(script_server):
    script_server.start(Scenario().rule("无此命令").reply("不会发送"))
    with socket.create_connection(("127.0.0.1", script_server.port), timeout=5) as peer:
        script_server.wait_event("connect")
        peer.sendall(_pack(b"\x01\x02\x03hello"))
        frames = script_server.wait_frames(1)
        assert len(frames[0]) == 8  # deciphered, same length
        script_server.push("推送的内容")
        header = peer.recv(4)
        assert struct.unpack("<I", header)[0] == len("推送的内容".encode("gbk"))
        peer.sendall(struct.pack("<I", 0))  # a zero-length header
        script_server.wait_event("bad-pack")
        script_server.wait_event("close")
    assert [e[0] for e in script_server.events()] == ["connect", "frame", "bad-pack", "close"]


def test_script_server_reports_a_bad_scenario(script_server, tmp_path):
    with pytest.raises(RuntimeError, match="did not start"):
        ScriptServer(script_server.exe, tmp_path / "bad").start("no-such-directive 1\n")
