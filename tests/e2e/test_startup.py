"""Start-up and shutdown of the real client under Wine against the scripted
server: the library file, the data folders and the settings file, the
messages that end a failed start, and what closing does."""
import os
import shutil
import time

import pytest

from harness.script_server import Scenario
from harness.waiting import wait_for

MAIN = "墨澜"
TEMPLATE = "[用户配置]\r\n记住密码=否\r\n自动登录=否\r\n记忆账户=\r\n记忆密码=\r\n".encode("gbk")




def connects(server):
    return sum(1 for e in server.events() if e[0] == "connect")


def closes(server):
    return sum(1 for e in server.events() if e[0] == "close")


def test_first_start_lays_out_files_and_a_second_start_keeps_edited_settings(driver, script_server, client):
    script_server.start(Scenario())
    client.start()
    driver.wait_window(MAIN)
    wait_for(lambda: connects(script_server) == 1, what="the client's connection")
    data = client.data_dir / "墨澜客户端"
    assert (data / "配置").is_dir() and (data / "日志").is_dir()
    config = data / "配置" / "配置.ini"
    assert config.read_bytes() == TEMPLATE and len(TEMPLATE) == 60
    assert list((data / "日志").iterdir()) == []  # made, never written
    library = client.run_dir / "HPSocket4C.dll"
    assert library.stat().st_size > 0

    # Closing stops the link (the server sees the close) and deletes the library.
    driver.close(MAIN)
    assert client.wait_exit() == 0
    wait_for(lambda: closes(script_server) == 1, what="the connection's close")
    assert not library.exists()

    edited = "[用户配置]\r\n记住密码=是\r\n自动登录=否\r\n记忆账户=x\r\n; mine\r\n".encode("gbk")
    config.write_bytes(edited)
    client.start()
    driver.wait_window(MAIN)
    wait_for(lambda: connects(script_server) == 2, what="the second connection")
    assert config.read_bytes() == edited
    driver.close(MAIN)
    assert client.wait_exit() == 0


def test_a_file_in_the_way_of_a_folder_ends_the_start_with_its_code(driver, port_lock, client):
    client.appdata.joinpath("墨澜").write_bytes(b"not a folder")
    client.start()
    box = driver.msgbox()
    assert box["title"] == "出错"
    assert box["text"] == "创建目录失败，编号69413432，请重启后再试或联系管理员！"
    assert box["icon"] == "error"
    driver.msgbox_press("1")  # IDOK
    assert client.wait_exit() == 0


def test_a_settings_file_that_cannot_be_written_ends_the_start_with_its_code(driver, port_lock, client):
    # The settings file is written through a temporary file beside it; a folder
    # of that name makes the write fail.
    settings = client.data_dir / "墨澜客户端" / "配置"
    (settings / "配置.ini.tmp").mkdir(parents=True)
    client.start()
    box = driver.msgbox()
    assert (box["title"], box["icon"]) == ("出错", "error")
    assert box["text"] == "创建文件失败，编号77071359，请重启后再试或联系管理员！"
    driver.msgbox_press("1")  # IDOK
    assert client.wait_exit() == 0
    assert not (settings / "配置.ini").exists()


def test_a_library_that_cannot_be_loaded_ends_the_start(driver, script_server, client):
    # A folder named like the library cannot be deleted, so it is kept and
    # "used": loading it fails and the link cannot create its client.
    (client.run_dir / "HPSocket4C.dll").mkdir()
    script_server.start(Scenario())
    client.start()
    box = driver.msgbox()
    assert (box["title"], box["text"], box["icon"]) == ("信息：", "创建CLIENT组件失败", "warning")
    driver.msgbox_press("1")  # IDOK
    assert client.wait_exit() == 0
    assert not [e for e in script_server.events() if e[0] == "connect"]


def test_unreachable_server_ends_the_start_after_making_the_folders(driver, port_lock, client):
    # No server listens on the client's port. Automatic login is on, so a
    # start-up tick would open the login window: it must never come.
    settings = client.data_dir / "墨澜客户端" / "配置"
    settings.mkdir(parents=True)
    (settings / "配置.ini").write_bytes(TEMPLATE.replace("自动登录=否".encode("gbk"), "自动登录=是".encode("gbk")))
    client.start()
    box = driver.msgbox()
    assert box["title"] == "信息："
    assert box["text"] == "启动客户端失败，错误信息在日志框输出"
    assert box["icon"] == "warning"
    assert (client.data_dir / "墨澜客户端" / "日志").is_dir()
    time.sleep(1.5)  # longer than the start-up timer's period
    with pytest.raises(Exception):
        driver.wait_window("登录", timeout_ms=500)
    driver.msgbox_press("1")  # IDOK
    assert client.wait_exit() == 0


def test_a_library_file_that_cannot_be_deleted_is_used(driver, script_server, client, client_exe):
    source = client_exe.parent / "netlib" / "HPSocket4C.dll"
    library = client.run_dir / "HPSocket4C.dll"
    shutil.copy2(source, library)
    os.chmod(library, 0o444)  # read-only: Windows refuses to delete it
    before = library.read_bytes()
    script_server.start(Scenario())
    client.start()
    driver.wait_window(MAIN)
    wait_for(lambda: connects(script_server) == 1, what="the client's connection")
    assert library.read_bytes() == before
    driver.close(MAIN)
    assert client.wait_exit() == 0
    wait_for(lambda: closes(script_server) == 1, what="the connection's close")
    assert library.exists()  # could not be deleted at close either; nothing reported


@pytest.mark.parametrize("ending", ["close", "bad-header", "zero-header"])
def test_a_connection_ended_by_the_peer_shows_nothing(driver, script_server, client, ending):
    scenario = Scenario().on_connect().delay(300)
    getattr(scenario, ending.replace("-", "_"))()
    script_server.start(scenario)
    client.start()
    driver.wait_window(MAIN)
    wait_for(lambda: closes(script_server) == 1, what="the connection to end")
    with pytest.raises(Exception):
        driver.msgbox(timeout_ms=1500)
    assert client.running
    driver.wait_window(MAIN, timeout_ms=1000)
    driver.close(MAIN)
    assert client.wait_exit() == 0
