#!/usr/bin/env python3
"""标准 against 高精度: renders pictures of small screenshot text with known
content, recognises each through a running molan-server with both kinds, and
prints the time and the character accuracy (1 - edit distance / length) of
each kind.

usage: accuracy.py PORT   (account bench0000 / benchpass1 must exist, as run_bench.sh makes it)
"""
import base64
import json
import socket
import struct
import subprocess
import sys
import tempfile
import time
import urllib.parse
from pathlib import Path

from load import frame, rc4, pack

FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
TEXTS = [
    "欢迎使用墨澜文字识别服务，请选择图片后点击识别。",
    "The quick brown fox jumps over the lazy dog 1234567890",
    "识别结果可以复制到剪贴板，也可以导出为文本文件。",
    "每日免费识别次数用完后，将从余额中扣除眼泪。",
]
SIZES = [11, 13, 16]  # pixel heights of screenshot text, where the kinds differ


def render(path, size):
    command = ["convert", "-size", "900x200", "xc:white", "-font", FONT, "-pointsize", str(size), "-fill", "black"]
    for i, text in enumerate(TEXTS):
        command += ["-annotate", f"+20+{30 + i * (size * 3)}", text]
    subprocess.run(command + [str(path)], check=True)


def read_pack(sock):
    def exactly(n):
        data = b""
        while len(data) < n:
            chunk = sock.recv(n - len(data))
            if not chunk:
                raise ConnectionError("closed")
            data += chunk
        return data
    (word,) = struct.unpack("<I", exactly(4))
    return rc4(exactly(word & 0x3FFFFF))


def lines_of(reply: bytes):
    start = reply.index(b"{")
    end = reply.rindex(b"}") + 1
    result = json.loads(reply[start:end].decode("utf-8", "replace"))
    return [w["words"] for w in result["words_result"]]


def distance(a, b):
    row = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        prev, row[0] = row[0], i
        for j, cb in enumerate(b, 1):
            prev, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1, prev + (ca != cb))
    return row[-1]


def main():
    port = int(sys.argv[1])
    sock = socket.create_connection(("127.0.0.1", port))
    sock.sendall(pack(frame("登录", b"bench0000", b"benchpass1", b"F4CCB51A9")))
    read_pack(sock)
    truth = "".join(TEXTS).replace(" ", "")
    with tempfile.TemporaryDirectory() as work:
        for size in SIZES:
            picture = Path(work) / f"text{size}.png"
            render(picture, size)
            payload = urllib.parse.quote_plus(base64.b64encode(picture.read_bytes()).decode()).encode()
            for kind in ("标准", "高精度"):
                t0 = time.monotonic()
                sock.sendall(pack(frame(f"通用文字识别_{kind}", payload)))
                reply = read_pack(sock)
                took = time.monotonic() - t0
                got = "".join(lines_of(reply)).replace(" ", "")
                accuracy = 1 - distance(got, truth) / len(truth)
                print(f"{size:2d}-px text, {kind}: {took * 1000:6.0f} ms, character accuracy {accuracy:.3f}")


if __name__ == "__main__":
    main()
