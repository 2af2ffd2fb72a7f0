#!/usr/bin/env bash
# Runs a program on the current X display with openbox managing its windows (fullscreen and
# leaving it need a window manager), then stops openbox. Usage: with_wm.sh program [arguments]
set -u
openbox >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
"$@"
status=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
exit "$status"
