#!/usr/bin/env bash
# Serves the built site on 127.0.0.1 and runs the browser test against it,
# with playwright-core at a pinned version installed beside the build (no
# browser download: Debian's chromium is used).
#   run.sh SITE_DIR WORK_DIR SCREENSHOT_DIR EXAMPLE... (the shared examples, as page_test.mjs takes them)
set -euo pipefail
site=$1 work=$2 shots=$3
shift 3
PLAYWRIGHT=playwright-core@1.65.2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work" "$shots"
if [ ! -d "$work/node_modules/playwright-core" ]; then
    (cd "$work" && npm install --no-save --no-package-lock --ignore-scripts --silent "$PLAYWRIGHT")
fi
cp "$here/page_test.mjs" "$work/"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >"$work/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null' EXIT
for _ in $(seq 50); do
    curl -sf "http://127.0.0.1:$port/" >/dev/null && break
    sleep 0.1
done
chromium --version
node "$work/page_test.mjs" "http://127.0.0.1:$port/" "$site" "$(command -v chromium)" "$shots" "$@"
