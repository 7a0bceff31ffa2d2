#!/usr/bin/env python3
"""Load generator for molan-server: N concurrent connections, each sending one
request after the other for a fixed time, in pack mode with the link cipher.
Prints requests per second and latency percentiles.

usage: load.py PORT MODE [--connections 50] [--seconds 10] [--picture FILE]
MODE: announcement | version | login | recognize
For login, accounts bench0000.. must exist with password benchpass1 (see run_bench.sh).
"""
import argparse
import asyncio
import base64
import struct
import time
import urllib.parse

KEY = b"qotu7mbnv-*h5yplkzrwoxc*^^&jmtbe8g^%Rivulo9786513n076"
SEP = "<||||>".encode("gbk")


def rc4(data: bytes) -> bytes:
    s = list(range(256))
    j = 0
    for i in range(256):
        j = (j + s[i] + KEY[i % len(KEY)]) & 0xFF
        s[i], s[j] = s[j], s[i]
    out = bytearray(len(data))
    i = j = 0
    for n, b in enumerate(data):
        i = (i + 1) & 0xFF
        j = (j + s[i]) & 0xFF
        s[i], s[j] = s[j], s[i]
        out[n] = b ^ s[(s[i] + s[j]) & 0xFF]
    return bytes(out)


def frame(command: str, *fields: bytes) -> bytes:
    out = "青柯<||||>墨澜<||||>".encode("gbk") + command.encode("gbk") + SEP
    for f in fields:
        out += f + SEP
    return out


def pack(body: bytes) -> bytes:
    cipher = rc4(body)
    return struct.pack("<I", len(cipher)) + cipher


async def read_pack(reader) -> bytes:
    header = await reader.readexactly(4)
    (word,) = struct.unpack("<I", header)
    return rc4(await reader.readexactly(word & 0x3FFFFF))


async def client(index, args, request_for, stop_at, latencies, errors):
    reader, writer = await asyncio.open_connection("127.0.0.1", args.port)
    try:
        setup = request_for.get("setup")
        if setup:
            writer.write(pack(setup(index)))
            await read_pack(reader)
        request = pack(request_for["request"](index))
        while time.monotonic() < stop_at:
            t0 = time.monotonic()
            writer.write(request)
            reply = await read_pack(reader)
            latencies.append(time.monotonic() - t0)
            if "繁忙".encode("gbk") in reply[:80] or "异常".encode("gbk") in reply[:80]:
                errors.append(reply[:80])
    finally:
        writer.close()


def requests(args):
    machine = b"F4CCB51A9"
    if args.mode == "announcement":
        return {"request": lambda i: frame("取公告")}
    if args.mode == "version":
        return {"request": lambda i: frame("取推送版本号")}
    if args.mode == "login":
        return {"request": lambda i: frame("登录", b"bench%04d" % i, b"benchpass1", machine)}
    picture = open(args.picture, "rb").read()
    payload = urllib.parse.quote_plus(base64.b64encode(picture).decode()).encode()
    login = lambda i: frame("登录", b"bench%04d" % i, b"benchpass1", machine)
    return {"setup": login, "request": lambda i: frame("通用文字识别_标准", payload)}


async def main():
    p = argparse.ArgumentParser()
    p.add_argument("port", type=int)
    p.add_argument("mode", choices=["announcement", "version", "login", "recognize"])
    p.add_argument("--connections", type=int, default=50)
    p.add_argument("--seconds", type=float, default=10)
    p.add_argument("--picture")
    args = p.parse_args()
    request_for = requests(args)
    latencies, errors = [], []
    stop_at = time.monotonic() + args.seconds
    start = time.monotonic()
    await asyncio.gather(*(client(i, args, request_for, stop_at, latencies, errors)
                           for i in range(args.connections)))
    elapsed = time.monotonic() - start
    latencies.sort()
    pct = lambda q: latencies[min(len(latencies) - 1, int(q * len(latencies)))] * 1000 if latencies else 0
    print(f"{args.mode}: {len(latencies)} replies in {elapsed:.1f} s with {args.connections} connections = "
          f"{len(latencies) / elapsed:.0f} requests/s; latency p50 {pct(0.5):.1f} ms, p99 {pct(0.99):.1f} ms; "
          f"busy/exception replies: {len(errors)}")


if __name__ == "__main__":
    asyncio.run(main())
