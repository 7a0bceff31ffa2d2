#!/usr/bin/env bash
# Measures molan-server on this machine and prints the figures:
#  1. recognition time of a 1280x720 screenshot-like picture through the server
#     (one connection, 标准) versus the tesseract command on the same picture;
#  2. requests per second with 50 connections: announcement, version, login;
#  3. resident memory with every worker's engine loaded and used;
#  4. time and character accuracy of 标准 against 高精度 on small screenshot text.
# usage: server/bench/run_bench.sh [BUILD_DIR]   (a Release build; default build/server-release)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build/server-release}"
server="$build/server/molan-server"
[ -x "$server" ] || { echo "build molan-server first: cmake --build $build --target molan-server" >&2; exit 1; }
work="$(mktemp -d)"
pid=""
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

# A screenshot-like picture: window chrome, a side bar and five lines of 24-px text.
convert -size 1280x720 xc:'#f3f3f3' -fill '#2d6cdf' -draw 'rectangle 0,0 1280,40' \
  -fill '#e4e4e4' -draw 'rectangle 0,40 220,720' -fill white -draw 'rectangle 260,80 1240,680' \
  -font "$font" -pointsize 24 -fill white -annotate +16+28 '墨澜 文字识别 OCR' \
  -fill black -annotate +300+150 '欢迎使用墨澜文字识别服务，请选择图片后点击识别。' \
  -annotate +300+230 'The quick brown fox jumps over the lazy dog 1234567890' \
  -annotate +300+310 '识别结果可以复制到剪贴板，也可以导出为文本文件。' \
  -annotate +300+390 'Version 1.0.0.1 - reference server benchmark picture' \
  -annotate +300+470 '每日免费识别次数用完后，将从余额中扣除眼泪。' \
  -fill '#555555' -annotate +20+100 '通用文字识别' -annotate +20+150 '标准' -annotate +20+200 '高精度' \
  "$work/screen.png"
convert -size 8x8 xc:white "$work/blank.png"

seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null 2>&1; e=$(date +%s.%N); awk "BEGIN {print $e - $s}"; }
echo "== tesseract command (OMP_THREAD_LIMIT=1, -l chi_sim+eng), 3 runs each"
for i in 1 2 3; do
  t=$(OMP_THREAD_LIMIT=1 seconds tesseract "$work/screen.png" "$work/out" -l chi_sim+eng)
  l=$(OMP_THREAD_LIMIT=1 seconds tesseract "$work/blank.png" "$work/blank" -l chi_sim+eng)
  printf 'run %d: screenshot %.3f s, of which loading the models (blank picture) %.3f s\n' "$i" "$t" "$l"
done

echo "== molan-server (2 workers, argon2id interactive: 2 passes, 64 MiB)"
"$server" --data "$work/data" --port 0 --workers 2 --queue 16 --personal-free 1000000 --public-free 1000000 \
  2> "$work/server.log" &
pid=$!
for _ in $(seq 200); do grep -q 'listening on' "$work/server.log" && break; sleep 0.1; done
port=$(sed -n 's/.*listening on [0-9.]*:\([0-9]*\).*/\1/p' "$work/server.log")
echo "listening on port $port; resident memory after start: $(grep VmRSS /proc/$pid/status | awk '{print $2/1024 " MiB"}')"
for i in $(seq 0 49); do
  "$server" admin --data "$work/data" create-account "$(printf 'bench%04d' "$i")" benchpass1 100 >/dev/null
done

python3 "$here/load.py" "$port" recognize --picture "$work/screen.png" --connections 1 --seconds 15
grep '通用文字识别_标准' "$work/server.log" | sed 's/ms$//' | awk '{print $NF}' | sort -n |
  awk '{a[NR]=$1} END {print "server-side time per recognition (request read to reply queued), median of " NR ": " a[int((NR+1)/2)] " ms"}'
python3 "$here/load.py" "$port" recognize --picture "$work/screen.png" --connections 2 --seconds 15
echo "resident memory with both engines loaded and used: $(grep VmRSS /proc/$pid/status | awk '{print $2/1024 " MiB"}')"
python3 "$here/load.py" "$port" announcement --connections 50 --seconds 10
python3 "$here/load.py" "$port" version --connections 50 --seconds 10
python3 "$here/load.py" "$port" login --connections 50 --seconds 10
echo "resident memory at the end: $(grep VmRSS /proc/$pid/status | awk '{print $2/1024 " MiB"}')"
echo "== 标准 against 高精度 on small screenshot text"
(cd "$here" && python3 accuracy.py "$port")
kill -TERM "$pid"; wait "$pid" || true; pid=""
grep -c '通用文字识别_标准' "$work/server.log" | sed 's/^/recognitions logged: /'
