#!/usr/bin/env bash
# Lighthouse (npm, in build/npm) on the page as a phone sees it, served on
# 127.0.0.1 by a server that compresses nothing: its four scores, each out
# of 100, and the goal is 100 in all.
#   bench/web/lighthouse.sh SITE_DIR
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/../.." && pwd)
lighthouse=$source_dir/build/npm/node_modules/.bin/lighthouse
site=$(realpath "$1")
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port" >/dev/null 2>&1 &
server=$!
report=$(mktemp)
trap 'kill $server; rm -f "$report"' EXIT
sleep 0.5
CHROME_PATH=${CHROMIUM:-/usr/bin/chromium} "$lighthouse" "http://127.0.0.1:$port/index.html" --quiet \
    --only-categories=performance,accessibility,best-practices,seo --output=json --output-path="$report" \
    --chrome-flags="--headless=new --no-sandbox --disable-gpu --no-first-run --disable-background-networking --disable-component-update --disable-sync"
python3 - "$report" <<'PYTHON'
import json, sys
report = json.load(open(sys.argv[1]))
scores = {c["title"]: round(c["score"] * 100) for c in report["categories"].values()}
print("Lighthouse " + report["lighthouseVersion"] + " on a phone: "
      + ", ".join(f"{name} {score}" for name, score in scores.items()))
for category in report["categories"].values():
    for ref in category["auditRefs"]:
        audit = report["audits"][ref["id"]]
        if ref["weight"] and audit.get("score") is not None and audit["score"] < 1:
            print(f"  {category['title']}: {audit['title']} ({audit.get('displayValue', audit['score'])})")
PYTHON
