"""The real main window under Wine: its look at both sizes with the drop
shadow over the desktop, the layout after a resize, navigation by category
and function, and the window buttons, all driven from another process."""
import pytest
from PIL import Image

from harness.script_server import Scenario
from harness.wine import SCREEN_SIZE

MAIN = "墨澜"


@pytest.fixture
def main_window(driver, script_server, client):
    script_server.start(Scenario())
    client.start()
    driver.wait_window(MAIN)
    yield driver
    if client.running:
        driver.close(MAIN)
        client.wait_exit()


def pixel(png, x, y):
    with Image.open(png) as picture:
        return picture.convert("RGB").getpixel((x, y))


def visible(driver, name):
    return next(c for c in driver.list(MAIN) if c["name"] == name)["visible"]


def screen_rect(driver, name):
    left, top, right, bottom = driver.rect(MAIN, name)["screen"]
    return left, top, right - left, bottom - top


def assert_shadow(shot, rect):
    """The ring outside the window's left edge blends grey over the desktop,
    strongest next to the window; five pixels out the desktop shows plain."""
    left, top, width, height = rect
    y = top + height // 2
    desktop = pixel(shot, left - 6, y)
    inner = pixel(shot, left - 1, y)
    outer = pixel(shot, left - 4, y)
    assert inner != desktop and outer != desktop
    assert abs(inner[0] - desktop[0]) > abs(outer[0] - desktop[0])


@pytest.mark.parametrize("size", [(1280, 728), (1600, 1000)])
def test_the_window_at_both_sizes_with_its_shadow(main_window, wine, size):
    driver = main_window
    width, height = size
    wine.ensure_compositor()
    assert driver.place(MAIN, 120, 90, width, height) == [120, 90, 120 + width, 90 + height]
    # Layout follows the size: the canvases share what the function list leaves.
    canvas = (width - 192 - 112) // 2
    assert screen_rect(driver, "画板_通用_通用文字识别_标准_原图")[2:] == (canvas, height - 80 - 72 - 8)
    assert screen_rect(driver, "图形按钮_关闭")[:2] == (120 + width - 40, 90 + 32)
    shot = driver.screenshot(f"main-{width}x{height}")
    assert_shadow(shot, (120, 90, width, height))


def test_below_the_minimum_size_snaps_back(main_window):
    assert main_window.place(MAIN, 50, 50, 900, 500) == [50, 50, 50 + 1280, 50 + 728]


def test_categories_and_functions_switch_pages(main_window):
    driver = main_window
    assert visible(driver, "外形框_通用") and not visible(driver, "外形框_汽车")
    driver.click(MAIN, "超级按钮_汽车")
    assert visible(driver, "外形框_汽车") and not visible(driver, "外形框_通用")
    assert not visible(driver, "外形框_通用_功能列表")
    driver.click(MAIN, "超级按钮_通用")
    assert visible(driver, "外形框_通用_功能列表") and visible(driver, "画板_通用_通用文字识别_标准_原图")
    driver.click(MAIN, "超级按钮_数字识别")
    assert visible(driver, "图片框_数字识别") and not visible(driver, "图片框_通用文字识别")
    assert not visible(driver, "画板_通用_通用文字识别_标准_原图")
    driver.click(MAIN, "超级按钮_通用文字识别")
    assert visible(driver, "画板_通用_通用文字识别_标准_原图")


def test_window_buttons(main_window, client):
    driver = main_window
    for button in ("图形按钮_分享", "图形按钮_消息"):  # their windows come later: nothing happens yet
        driver.click(MAIN, button)
    before = driver.rect(MAIN, "外形框_标题栏")["screen"]
    driver.click(MAIN, "图形按钮_最大化", wait=True)
    left, top, right, bottom = driver.rect(MAIN, "外形框_标题栏")["screen"]
    assert (left, top, right - left) == (0, 0, SCREEN_SIZE[0])
    driver.click(MAIN, "图形按钮_最大化", wait=True)
    assert driver.rect(MAIN, "外形框_标题栏")["screen"][:3] == [before[0], before[1], before[2]]
    driver.click(MAIN, "图形按钮_最小化", wait=True)
    left, top, right, bottom = driver.rect(MAIN, "外形框_标题栏")["screen"]
    # Iconic: parked off the screen (Windows) or at its bottom edge, partly below it (Wine).
    assert right <= 0 or bottom > SCREEN_SIZE[1]
    driver.click(MAIN, "图形按钮_关闭")  # ends the program at once
    assert client.wait_exit() == 0
