#!/usr/bin/env bash
# Usage: start_again.sh PREFIX.SH DIR
#
# prefix.sh runs a command once more when Wine failed to start one of its
# processes, and only then: a command stands in for a test, failing in turn
# with each status of its list, Wine's message printed with those marked w.
set -euo pipefail
if [ "${1:-}" = --command ]; then
    count=$2
    shift 2
    n=$(($(cat "$count") + 1))
    echo "$n" >"$count"
    run=${*:n:1}
    [ "$run" = "${run%w}" ] ||
        echo "0024:err:virtual:virtual_alloc_first_teb wine: failed to map the shared user data: c0000018" >&2
    exit "${run%w}"
fi
prefix_sh=$1 dir=$2
count=$(mktemp)
trap 'rm -f "$count"' EXIT
failed=0
# statuses in turn | prefix.sh's status | runs
while read -r runs want_status want_runs; do
    echo 0 >"$count"
    status=0
    "$prefix_sh" "$dir" "$0" --command "$count" ${runs//,/ } 2>/dev/null || status=$?
    if [ "$status" != "$want_status" ] || [ "$(cat "$count")" != "$want_runs" ]; then
        echo "FAIL: a command failing with $runs ended $status after $(cat "$count") runs," \
            "not $want_status after $want_runs" >&2
        failed=1
    fi
done <<'CASES'
0       0 1
1w,0    0 2
1w,5w   5 2
3,0     3 1
CASES
exit "$failed"
