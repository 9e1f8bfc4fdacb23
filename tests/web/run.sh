#!/usr/bin/env bash
# Serves the built site on 127.0.0.1 and runs the browser test against it,
# with playwright-core at a pinned version installed beside the build (no
# browser download: Debian's chromium is used).
# Exits SKIPPED (77, which ctest reports as a skipped test) when the npm
# registry cannot be reached at all, so that playwright-core cannot be had:
# the test did not run, and says so; any other failure fails.
#   run.sh SITE_DIR WORK_DIR SCREENSHOT_DIR EXAMPLE... (the shared examples, as page_test.mjs takes them)
set -euo pipefail
site=$1 work=$2 shots=$3
shift 3
# The last release that runs on Debian 12's Node.js 18 (later ones need 20);
# it drives Debian's Chromium 156.
PLAYWRIGHT_VERSION=1.61.1
SKIPPED=77
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work" "$shots"
installed=$(node -p 'require(process.argv[1]).version' "$work/node_modules/playwright-core/package.json" 2>/dev/null || true)
if [ "$installed" != "$PLAYWRIGHT_VERSION" ]; then
    if ! (cd "$work" && npm ping --fetch-retries=0 --loglevel=error >/dev/null 2>&1); then
        echo "SKIPPED: the npm registry cannot be reached from here (npm ping failed), so" \
            "playwright-core@$PLAYWRIGHT_VERSION cannot be installed: the page was not tested in a browser"
        exit "$SKIPPED"
    fi
    (cd "$work" && npm install --no-save --no-package-lock --ignore-scripts --loglevel=error \
        "playwright-core@$PLAYWRIGHT_VERSION")
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
