"""Recognition end to end: the real client under Wine against the scripted
server, with a user logged in by a login reply the server pushes when the
client connects. Pictures come in through the real open dialog; replies in
both JSON styles fill the result box; boxes are read back from the screen."""
import base64
import struct
import subprocess
import time
import urllib.parse

import pytest

from harness.script_server import Scenario
from harness.waiting import wait_for

MAIN = "墨澜"
TAGS = "青柯<||||>墨澜<||||>"
LOGIN_PUSH = TAGS + "登录返回<||||>账号密码正确<||||>tester<||||>100<||||>"
KINDS = ["标准", "标准含位置", "高精度", "高精度含位置"]
COST = {"标准": 2, "标准含位置": 4, "高精度": 6, "高精度含位置": 8}
ACCENT = (0, 136, 255)


def control(role_prefix, kind, role):
    return f"{role_prefix}_通用_通用文字识别_{kind}_{role}"


def bmp(width, height, rgb=(255, 255, 255)):
    """A 24-bit BMP file of one colour."""
    stride = (width * 3 + 3) // 4 * 4
    row = bytes([rgb[2], rgb[1], rgb[0]]) * width + b"\0" * (stride - width * 3)
    pixels = row * height
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def payload(picture: bytes) -> bytes:
    """base64, then form-style percent-encoding with lower-case hex."""
    return urllib.parse.quote_plus(base64.b64encode(picture).decode()).replace("%2B", "%2b") \
        .replace("%2F", "%2f").replace("%3D", "%3d").encode()


def result_json(kind, lines, paragraphs, boxes=None):
    """The service's JSON in the kind's style, as UTF-8 bytes."""
    spaced = kind.startswith("高精度")
    c, s = (": ", ", ") if spaced else (":", ",")

    def location(b):
        top, left, width, height = b
        return "{" + s.join(f'"{k}"{c}{v}' for k, v in
                            (("top", top), ("left", left), ("width", width), ("height", height))) + "}"

    entries = []
    for i, text in enumerate(lines):
        if boxes and spaced:
            entries.append(f'{{"location"{c}{location(boxes[i])}{s}"words"{c}"{text}"}}')
        elif boxes:
            entries.append(f'{{"words"{c}"{text}"{s}"location"{c}{location(boxes[i])}}}')
        else:
            entries.append(f'{{"words"{c}"{text}"}}')
    paras = s.join(f'{{"words_result_idx"{c}[' + s.join(map(str, p)) + "]}" for p in paragraphs)
    json = f'{{"words_result"{c}[' + s.join(entries) + "]" + s
    if not spaced:
        json += f'"log_id"{c}1234{s}'
    json += f'"paragraphs_result"{c}[' + paras + "]"
    if not spaced:
        json += f'{s}"language"{c}3'
    return (json + "}").encode("utf-8")


def reply_file(tmp_path, kind, body: bytes):
    path = tmp_path / f"reply-{kind}.frame"
    path.write_bytes((TAGS + f"通用文字识别_{kind}返回<||||>").encode("gbk") + body + b"<||||>")
    return path




def logged_in(server, client, driver, scenario):
    server.start(scenario.on_connect().delay(200).reply(LOGIN_PUSH))
    client.start()
    driver.wait_window(MAIN)
    wait_for(lambda: any(c["name"] == "外形框_账户" and c["visible"] for c in driver.list(MAIN)), what="the login")


def show_page(driver, kind):
    """Clicks the kind's caption on the variant tabs (fixed items 136 x 32)."""
    x = KINDS.index(kind) * 136 + 68
    driver.mouse(MAIN, "高级选择夹_通用文字识别", "down", x, 16)
    driver.mouse(MAIN, "高级选择夹_通用文字识别", "up", x, 16)


def import_picture(driver, wine, kind, path):
    """图片, then the real open dialog: the file's path typed, 打开 pressed."""
    show_page(driver, kind)
    driver.click(MAIN, control("超级按钮", kind, "图片"))
    dialog = "打开"
    driver.wait_window(dialog)
    driver.set_text(dialog, "#1148", wine.windows_path(path))
    driver.click(dialog, "打开(&O)")
    driver.wait_gone(dialog)


def message(driver):
    box = driver.msgbox()
    driver.msgbox_press("1")
    return box


def canvas_size(driver, kind):
    left, top, right, bottom = driver.rect(MAIN, control("画板", kind, "原图"))["screen"]
    return right - left, bottom - top


def canvas_pixels(driver, tmp_path, kind):
    """RGB rows of the page canvas as it shows on the screen."""
    left, top, right, bottom = driver.rect(MAIN, control("画板", kind, "原图"))["screen"]
    shot = driver.screenshot("canvas")
    plain = tmp_path / "canvas.png"  # ImageMagick reads "[...]" in a name as a frame selection
    plain.write_bytes(shot.read_bytes())
    width, height = right - left, bottom - top
    raw = subprocess.run(["convert", str(plain), "-crop", f"{width}x{height}+{left}+{top}", "+repage", "rgb:-"],
                         capture_output=True, check=True).stdout
    return lambda x, y: tuple(raw[(y * width + x) * 3:(y * width + x) * 3 + 3])


def float32(value):
    return struct.unpack("<f", struct.pack("<f", value))[0]


def expected_box(canvas, picture, location):
    """Where a line's box lands: the canvas shows the picture centred and
    scaled down by one single-precision factor."""
    (cw, ch), (pw, ph) = canvas, picture
    top, left, width, height = location
    if pw > cw or ph > ch:
        rw, rh = cw / pw, ch / ph
        if rw - rh < -0.0000001:
            s, ox, oy = float32(rw), 0, int((ch - ph * float32(rw)) / 2)
        else:
            s, ox, oy = float32(rh), int((cw - pw * float32(rh)) / 2), 0
    else:
        s, ox, oy = 1.0, (cw - pw) // 2, (ch - ph) // 2
    return int(left * s + ox), int(top * s + oy), int((left + width) * s + ox), int((top + height) * s + oy)


def accent_near(pixel, x, y):
    return any(pixel(x + dx, y + dy) == ACCENT for dx in (-1, 0, 1) for dy in (-1, 0, 1))


def test_logged_out_first_then_no_picture(driver, script_server, client):
    script_server.start(Scenario())
    client.start()
    driver.wait_window(MAIN)
    driver.click(MAIN, control("超级按钮", "标准", "识别"))
    box = message(driver)
    assert (box["text"], box["title"], box["icon"]) == ("登录后才能使用识别功能", "提示", "information")
    script_server.push(LOGIN_PUSH)
    wait_for(lambda: any(c["name"] == "外形框_账户" and c["visible"] for c in driver.list(MAIN)), what="the login")
    driver.click(MAIN, control("超级按钮", "标准", "识别"))
    box = message(driver)
    assert (box["text"], box["title"], box["icon"]) == ("没有有效图片", "警告", "warning")


@pytest.mark.parametrize("kind", KINDS)
def test_each_kind_sends_the_picture_and_shows_one_line_per_paragraph(driver, script_server, client, wine,
                                                                       tmp_path, kind):
    picture = bmp(30, 20, (250, 120, 7))
    picture_path = wine.desktop / f"picture-{kind}.bmp"
    picture_path.parent.mkdir(parents=True, exist_ok=True)
    picture_path.write_bytes(picture)
    boxes = [(1, 2, 3, 4), (5, 6, 7, 8), (9, 10, 11, 12)] if "位置" in kind else None
    body = result_json(kind, ["ab", "墨澜", "ef"], [[0, 1], [2]], boxes)
    scenario = Scenario().rule(f"通用文字识别_{kind}").reply_file(reply_file(tmp_path, kind, body))
    logged_in(script_server, client, driver, scenario)
    import_picture(driver, wine, kind, picture_path)
    driver.click(MAIN, control("超级按钮", kind, "识别"))
    result = driver.wait_text(MAIN, control("编辑框", kind, "结果"), "       ab墨澜\r\n       ef\r\n")
    assert result == "       ab墨澜\r\n       ef\r\n"
    request = [f for f in script_server.frames() if f"通用文字识别_{kind}<||||>".encode("gbk") in f][0]
    assert request == (TAGS + f"通用文字识别_{kind}<||||>").encode("gbk") + payload(picture) + b"<||||>"


def test_expected_box_follows_the_documented_examples():
    assert expected_box((440, 504), (220, 252), (10, 20, 30, 40)) == (130, 136, 160, 176)
    assert expected_box((440, 504), (880, 504), (10, 20, 30, 40)) == (10, 131, 25, 151)
    assert expected_box((440, 504), (1000, 1000), (100, 100, 100, 100)) == (43, 75, 87, 119)


@pytest.mark.parametrize("size,location", [((220, 252), (10, 20, 30, 40)), ((1000, 1000), (100, 100, 100, 100)),
                                           ((1400, 300), (100, 200, 300, 150))])
def test_boxes_appear_where_the_canvas_shows_the_lines(driver, script_server, client, wine, tmp_path, size,
                                                       location):
    kind = "标准含位置"
    picture_path = wine.desktop / "white.bmp"
    picture_path.parent.mkdir(parents=True, exist_ok=True)
    # A colour whose base64 needs no escapes keeps the 1000 x 1000 frame
    # (4 MB) under the largest pack; white would triple it and be refused.
    picture_path.write_bytes(bmp(*size, (0x30, 0x20, 0x10)))
    body = result_json(kind, ["ab"], [[0]], [location])
    logged_in(script_server, client, driver,
              Scenario().rule(f"通用文字识别_{kind}").reply_file(reply_file(tmp_path, kind, body)))
    import_picture(driver, wine, kind, picture_path)
    driver.click(MAIN, control("超级按钮", kind, "识别"))
    assert driver.wait_text(MAIN, control("编辑框", kind, "结果"), "       ab\r\n", timeout_s=30) == "       ab\r\n"
    time.sleep(0.5)
    pixel = canvas_pixels(driver, tmp_path, kind)
    left, top, right, bottom = expected_box(canvas_size(driver, kind), size, location)
    middle_x, middle_y = (left + right) // 2, (top + bottom) // 2
    assert accent_near(pixel, left, middle_y) and accent_near(pixel, middle_x, top)
    assert accent_near(pixel, right - 1, middle_y) and accent_near(pixel, middle_x, bottom - 1)
    assert not accent_near(pixel, middle_x, middle_y)


@pytest.mark.parametrize("kind,status,text", [
    ("标准", "服务器网络繁忙<||||>", "服务器网络繁忙，请稍后重试"),
    ("高精度", "服务器异常：识别引擎重启中<||||>", "服务器异常：识别引擎重启中"),
    ("标准含位置", "余额不足<||||>", "个人或公共每日免费识别次数已达上限，本次识别需要扣除4眼泪，当前余额不足，无法完成本次识别。"),
])
def test_status_replies_show_their_message(driver, script_server, client, wine, kind, status, text):
    picture_path = wine.desktop / "status.bmp"
    picture_path.parent.mkdir(parents=True, exist_ok=True)
    picture_path.write_bytes(bmp(8, 8))
    scenario = Scenario().rule(f"通用文字识别_{kind}").reply(TAGS + f"通用文字识别_{kind}返回<||||>" + status)
    logged_in(script_server, client, driver, scenario)
    import_picture(driver, wine, kind, picture_path)
    driver.click(MAIN, control("超级按钮", kind, "识别"))
    box = message(driver)
    assert (box["text"], box["title"]) == (text, "提示")


def test_export_writes_the_result_bytes_with_txt_appended(driver, script_server, client, wine, tmp_path):
    kind = "高精度"
    picture_path = wine.desktop / "export.bmp"
    picture_path.parent.mkdir(parents=True, exist_ok=True)
    picture_path.write_bytes(bmp(8, 8))
    body = result_json(kind, ["墨澜", "ab"], [[0], [1]])
    logged_in(script_server, client, driver,
              Scenario().rule(f"通用文字识别_{kind}").reply_file(reply_file(tmp_path, kind, body)))
    import_picture(driver, wine, kind, picture_path)
    driver.click(MAIN, control("超级按钮", kind, "识别"))
    assert driver.wait_text(MAIN, control("编辑框", kind, "结果"), "       墨澜\r\n       ab\r\n") == \
        "       墨澜\r\n       ab\r\n"
    target = tmp_path / "结果.txt"
    target.with_name("结果.txt.txt").write_bytes(b"old content that is longer than the result")
    driver.click(MAIN, control("超级按钮", kind, "导出"))
    dialog = "另存为"
    driver.wait_window(dialog)
    driver.set_text(dialog, "#1148", wine.windows_path(target))
    driver.click(dialog, "保存(&S)")
    box = message(driver)
    written = target.with_name("结果.txt.txt")
    assert box["text"] == "已成功导出到文档：" + wine.windows_path(written)
    assert written.read_bytes() == "       墨澜\r\n       ab\r\n".encode("gbk")


def test_copy_puts_the_result_on_the_clipboard_for_other_programs(driver, script_server, client, wine, tmp_path):
    kind = "标准"
    picture_path = wine.desktop / "copy.bmp"
    picture_path.parent.mkdir(parents=True, exist_ok=True)
    picture_path.write_bytes(bmp(8, 8))
    body = result_json(kind, ["墨澜识别", "ab"], [[0, 1]])
    logged_in(script_server, client, driver,
              Scenario().rule(f"通用文字识别_{kind}").reply_file(reply_file(tmp_path, kind, body)))
    driver.click(MAIN, control("超级按钮", kind, "复制"))
    box = message(driver)
    assert (box["text"], box["title"], box["icon"]) == ("没有数据可复制", "提示", "information")
    import_picture(driver, wine, kind, picture_path)
    driver.click(MAIN, control("超级按钮", kind, "识别"))
    expected = "       墨澜识别ab\r\n"
    assert driver.wait_text(MAIN, control("编辑框", kind, "结果"), expected) == expected
    driver.click(MAIN, control("超级按钮", kind, "复制"))
    box = message(driver)
    assert (box["text"], box["title"]) == ("已将右侧结果文本复制到剪辑板", "提示")
    # Read back by another process, as Unicode and as the local code page.
    assert driver.clipboard() == expected
    assert driver.clipboard(ansi=True) == expected


def test_a_second_recognition_starts_nothing_while_the_first_waits(driver, script_server, client, wine, tmp_path):
    first, second = "标准", "高精度"
    picture_path = wine.desktop / "wait.bmp"
    picture_path.parent.mkdir(parents=True, exist_ok=True)
    picture_path.write_bytes(bmp(8, 8))
    body = result_json(first, ["ab"], [[0]])
    # The reply takes 2.5 s: well inside the test build's wait, long enough to press again.
    scenario = Scenario().rule(f"通用文字识别_{first}").delay(2500).reply_file(reply_file(tmp_path, first, body))
    logged_in(script_server, client, driver, scenario)
    import_picture(driver, wine, second, picture_path)
    import_picture(driver, wine, first, picture_path)
    driver.click(MAIN, control("超级按钮", first, "识别"))
    wait_for(lambda: driver.get_text(MAIN, control("编辑框", first, "结果")).startswith("**准备"), what="progress")
    show_page(driver, second)
    driver.click(MAIN, control("超级按钮", second, "识别"))
    show_page(driver, first)
    driver.click(MAIN, control("超级按钮", first, "识别"))
    assert driver.wait_text(MAIN, control("编辑框", first, "结果"), "       ab\r\n") == "       ab\r\n"
    with pytest.raises(Exception):
        driver.msgbox(timeout_ms=1500)  # no "未响应" for a result that arrived
    requests = [f for f in script_server.frames() if "通用文字识别_".encode("gbk") in f]
    assert len(requests) == 1
    assert driver.get_text(MAIN, control("编辑框", second, "结果")) == ""


def test_a_pasted_picture_is_sent_as_a_24_bit_bmp(driver, script_server, client, wine, tmp_path):
    kind = "标准"
    source = tmp_path / "clip.bmp"
    source.write_bytes(bmp(30, 20, (250, 120, 7)))
    logged_in(script_server, client, driver,
              Scenario().rule(f"通用文字识别_{kind}").reply(TAGS + f"通用文字识别_{kind}返回<||||>余额不足<||||>"))
    driver.clipboard_picture(source)
    driver.paste(MAIN, control("编辑框", kind, "结果"))
    driver.click(MAIN, control("超级按钮", kind, "识别"))
    message(driver)  # the balance message
    request = wait_for(lambda: [f for f in script_server.frames() if f"通用文字识别_{kind}<||||>".encode("gbk") in f],
                       what="the request")[0]
    encoded = request[len((TAGS + f"通用文字识别_{kind}<||||>").encode("gbk")):-len(b"<||||>")]
    sent = base64.b64decode(urllib.parse.unquote_plus(encoded.decode()))
    width, height, planes, bits = struct.unpack("<iiHH", sent[18:30])
    assert sent[:2] == b"BM" and (width, abs(height), bits) == (30, 20, 24)
    # Same pixels as the picture on the clipboard (rows of 30 * 3 bytes, padded to 92).
    offset = struct.unpack("<I", sent[10:14])[0]
    rows = [sent[offset + r * 92:offset + r * 92 + 90] for r in range(20)]
    assert set(rows) == {bytes([7, 120, 250]) * 30}


def test_capture_by_mouse_gives_a_picture_of_the_dragged_size(driver, script_server, client, wine, tmp_path):
    kind = "高精度"
    logged_in(script_server, client, driver,
              Scenario().rule(f"通用文字识别_{kind}").reply(TAGS + f"通用文字识别_{kind}返回<||||>服务器网络繁忙<||||>"))
    show_page(driver, kind)
    driver.click(MAIN, control("超级按钮", kind, "截图"))
    driver.wait_window("截图")
    driver.mouse("截图", "画板_截图", "move", 10, 10)
    driver.mouse("截图", "画板_截图", "down", 10, 10)
    driver.mouse("截图", "画板_截图", "move", 110, 60)
    driver.mouse("截图", "画板_截图", "up", 110, 60)
    driver.wait_gone("截图")
    driver.click(MAIN, control("超级按钮", kind, "识别"))
    message(driver)  # busy: the request went out
    request = [f for f in script_server.frames() if f"通用文字识别_{kind}<||||>".encode("gbk") in f][0]
    sent = base64.b64decode(urllib.parse.unquote_plus(request.split(b"<||||>")[3].decode()))
    assert sent[:2] == b"BM"
    width, height = struct.unpack("<ii", sent[18:26])
    assert (width, abs(height)) == (100, 50)


def test_a_picture_too_large_for_one_pack_is_not_sent(driver, script_server, client, wine):
    kind = "标准"
    picture_path = wine.desktop / "large.bmp"
    picture_path.parent.mkdir(parents=True, exist_ok=True)
    picture_path.write_bytes(bmp(1000, 1000))  # white: "////" in base64, about 12 MB once escaped
    logged_in(script_server, client, driver, Scenario())
    import_picture(driver, wine, kind, picture_path)
    driver.click(MAIN, control("超级按钮", kind, "识别"))
    first_line = "**准备开始识别图片中的文字……\r\n**\r\n"
    assert driver.wait_text(MAIN, control("编辑框", kind, "结果"), first_line) == first_line
    with pytest.raises(Exception):
        driver.msgbox(timeout_ms=1500)
    assert not [f for f in script_server.frames() if "通用文字识别_标准<||||>".encode("gbk") in f]
