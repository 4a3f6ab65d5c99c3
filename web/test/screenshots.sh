#!/bin/bash
# SPDX-License-Identifier: MIT
# Bundles the page with the fake core, serves it on loopback and takes Chromium screenshots of
# its scenes at the sizes that matter.
# Usage: test/screenshots.sh [OUT_DIR] [SCENE[+typing]:WxH[@SCALE] ...]
# With OUT_DIR "check", it runs test/page-check.ts in a few scenes and sizes instead and prints
# its verdicts.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/scrawlbox-shots}
shift || true
shots=("$@")
if [ ${#shots[@]} -eq 0 ]; then
  shots=(join:1280x800 guess:1280x800 artist:1920x1080 guess:390x844 artist:390x844@2
         guess:844x390 artist:844x390@2 winner:1280x800 setup:1280x800 final:390x844
         password:390x844 agreement:1280x800 info:1280x800 artist:1280x800@2 join:390x844)
fi
[ "$out" = check ] || mkdir -p "$out"
site=$(mktemp -d)
profiles=$(mktemp -d)
trap 'kill "$server" 2>/dev/null || true; rm -rf "$site" "$profiles"' EXIT

npx esbuild src/main.ts --bundle --format=esm --target=es2020 --log-level=warning \
  --alias:scrawlbox-core=./test/fake-module.ts --outfile="$site/page.js"
cp index.html page.css "$site/"
mkdir "$site/icons" "$site/sounds"
cp ../data/Images/*.svg ../data/Cursors/*.svg "$site/icons/"
cp ../data/Sound/*.wav "$site/sounds/"

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# Served with the room's own Content-Security-Policy, so that anything it would block shows here.
python3 - "$port" "$site" >/dev/null 2>&1 <<'PY' &
import functools, http.server, sys
class Page(http.server.SimpleHTTPRequestHandler):
    def end_headers(self):
        self.send_header("Content-Security-Policy",
                         "default-src 'self'; connect-src 'self'; frame-ancestors 'none'")
        super().end_headers()
handler = functools.partial(Page, directory=sys.argv[2])
http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])), handler).serve_forever()
PY
server=$!
for _ in $(seq 50); do
  curl -sf "http://127.0.0.1:$port/index.html" >/dev/null && break
  sleep 0.1
done

if [ "$out" = check ]; then
  status=0
  for run in artist:1280x800 artist:1920x1080 artist:390x844 artist:844x390 join:1280x800 \
             guess:390x844 password:1280x800 setup:1280x800; do
    scene=${run%%:*}
    size=${run#*:}
    verdict=$(timeout 60 chromium --headless=new --no-sandbox --disable-gpu \
      --enable-blink-features=ComputedAccessibilityInfo --user-data-dir="$profiles/check-$run" \
      --window-size="${size/x/,}" --virtual-time-budget=3000 --dump-dom \
      "http://127.0.0.1:$port/?scene=$scene&check=1" 2>/dev/null | grep -o 'data-check="[^"]*"' | cut -d'"' -f2)
    echo "$run: $verdict"
    [ "$verdict" = "CHECK OK" ] || status=1
  done
  exit $status
fi

for shot in "${shots[@]}"; do
  scene=${shot%%:*}
  query=scene=${scene%%+*}
  [[ $scene == *+typing ]] && query+="&typing=1"
  size=${shot#*:}
  scale=1
  if [[ $size == *@* ]]; then scale=${size#*@}; size=${size%@*}; fi
  name="$out/$scene-$size@${scale}x.png"
  timeout 60 chromium --headless=new --no-sandbox --disable-gpu --hide-scrollbars \
    --user-data-dir="$profiles/$scene-$size-$scale" --force-device-scale-factor="$scale" \
    --window-size="${size/x/,}" --virtual-time-budget=3000 --screenshot="$name" \
    "http://127.0.0.1:$port/?$query" >/dev/null 2>&1 || echo "failed: $shot" >&2
  echo "$name"
done
