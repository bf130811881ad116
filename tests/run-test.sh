#!/usr/bin/env bash
# Runs a test program under Wine: run-test.sh WINE PROGRAM ARGS...
# Now and then Wine ends a start at once, silently and with a failure, before the program
# has run at all. Such a start, and only such a start (nothing written), is made once
# more, and said so; a program that ran and failed is never run again.
wine=$1
shift
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for attempt in 1 2; do
    # Passed on as it comes, so a run cut short by a timeout still shows what it wrote.
    "$wine" "$@" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    if [ $status -eq 0 ] || [ -s "$log" ] || [ $attempt -eq 2 ]; then
        exit $status
    fi
    echo "run-test: Wine ended with status $status before the program wrote anything; starting it once more" >&2
done
