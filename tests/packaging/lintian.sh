#!/usr/bin/env bash
# lintian may add notes (info, pedantic) but no warning and no error.
source "$(dirname "$0")/lib.sh"
need lintian

status=0
report=$(lintian --fail-on error,warning --tag-display-limit 0 "$DEB" 2>&1) || status=$?
grep -v 'root privileges' <<<"$report" || true
[ "$status" -eq 0 ] || fail "lintian reports errors or warnings (exit $status)"
