#!/usr/bin/env bash
# Only one copy runs per user: a second start ends at once and silently; a
# copy killed with SIGKILL does not block the next start; two copies started
# at the same instant leave exactly one running.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
export QT_QPA_PLATFORM=offscreen
e2e_options welcome=0

"$APP" & first=$!
sleep 1.5
kill -0 $first || fail "the first copy did not keep running"

start=$SECONDS
"$APP" && rc=0 || rc=$?
[ $rc -eq 0 ] || fail "the second copy ended with $rc"
[ $((SECONDS - start)) -le 5 ] || fail "the second copy did not end at once"
kill -0 $first || fail "the first copy was disturbed by the second"

kill -KILL $first
wait $first 2>/dev/null || true
"$APP" & third=$!
sleep 1.5
kill -0 $third || fail "a killed copy's lock blocked the next start"
kill -TERM $third
wait $third || fail "SIGTERM did not end the program cleanly"
grep -q '^active_collection=' "$CONF" || fail "SIGTERM ended without saving the options"

# Two at the same instant: exactly one stays.
"$APP" & a=$!
"$APP" & b=$!
sleep 2
alive=0
kill -0 $a 2>/dev/null && alive=$((alive + 1))
kill -0 $b 2>/dev/null && alive=$((alive + 1))
[ $alive -eq 1 ] || fail "$alive copies running after a simultaneous start"
kill -TERM $a $b 2>/dev/null || true
wait 2>/dev/null || true
echo "single instance: ok"
