#!/usr/bin/env bash
# Builds the browser version and serves it on this machine only: open the printed address.
# Usage: scripts/web-serve.sh [PORT]   (default 8019)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/web-build.sh
port=${1:-8019}
echo "Dwindle in a browser: http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
