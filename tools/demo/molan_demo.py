#!/usr/bin/env python3
"""The headless half of scripts/run: with molan-server already listening on
127.0.0.1:7365, runs the shipped client under Xvfb, logs in with the demo
account, imports a sample picture through the real open dialog, presses 识别
on the 标准含位置 page, prints the recognised text and the path of a
screenshot, and stops everything it started."""
import argparse
import shutil
import subprocess
import sys
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests" / "e2e"))

from harness.client import Client  # noqa: E402
from harness.driver import UiDriver  # noqa: E402
from harness.wine import WineEnv  # noqa: E402
from harness.waiting import wait_for  # noqa: E402

MAIN = "墨澜"
LOGIN = "登录"
KIND = "标准含位置"
FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
SAMPLE_LINES = ["墨澜文字识别，把图片里的文字变成可以复制的文本。", "Molan OCR reads Chinese and English text."]


def make_sample(path: Path):
    """A 1280 × 400 picture with two lines of text, drawn with the WenQuanYi font."""
    command = ["convert", "-size", "1280x400", "xc:white", "-font", FONT, "-pointsize", "36", "-fill", "black"]
    for i, line in enumerate(SAMPLE_LINES):
        command += ["-annotate", f"+60+{130 + i * 110}", line]
    subprocess.run(command + [str(path)], check=True)




def page_control(role, name):
    return f"{role}_通用_通用文字识别_{KIND}_{name}"


def run(args):
    work = Path(args.work)
    env = WineEnv.start(work / "wine-demo")
    client = None
    try:
        driver = UiDriver(env, Path(args.driver))
        client = Client(env, Path(args.client), work / "client-demo")
        client.start()
        driver.wait_window(MAIN, timeout_ms=60000)

        driver.click(MAIN, "超级按钮_登录")
        driver.wait_window(LOGIN)
        driver.set_text(LOGIN, "编辑框_账号", args.account)
        driver.set_text(LOGIN, "编辑框_密码", args.password)
        driver.click(LOGIN, "超级按钮_登录")
        driver.wait_gone(LOGIN, timeout_ms=60000)
        print(f"demo: logged in as {driver.get_text(MAIN, '透明标签_账户')}")

        sample = env.desktop / "墨澜示例.png"
        make_sample(sample)
        # The variant tabs are 136 pixels wide; 标准含位置 is the second.
        driver.mouse(MAIN, "高级选择夹_通用文字识别", "down", 136 + 68, 16)
        driver.mouse(MAIN, "高级选择夹_通用文字识别", "up", 136 + 68, 16)
        driver.click(MAIN, page_control("超级按钮", "图片"))
        driver.wait_window("打开")
        driver.set_text("打开", "#1148", env.windows_path(sample))
        driver.click("打开", "打开(&O)")
        driver.wait_gone("打开")

        result = page_control("编辑框", "结果")
        driver.click(MAIN, page_control("超级按钮", "识别"))
        text = wait_for(lambda: (t := driver.get_text(MAIN, result)) and not t.lstrip().startswith("**") and t,
                        90, "the recognition result")
        shot = driver.screenshot("demo-result")
        print("demo: recognised text:")
        for line in text.splitlines():
            print(f"  {line.strip()}")
        print(f"demo: screenshot {shot}")
        driver.close(MAIN)
        client.wait_exit(30)
    finally:
        if client is not None:
            client.kill()
        env.stop()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--client", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--account", required=True)
    parser.add_argument("--password", required=True)
    args = parser.parse_args()
    if not shutil.which("convert"):
        sys.exit("demo: ImageMagick's convert is missing (run scripts/setup)")
    run(args)


if __name__ == "__main__":
    main()
