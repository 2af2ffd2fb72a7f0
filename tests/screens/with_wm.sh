#!/usr/bin/env bash
# Runs a program on the current X display with openbox managing its windows (fullscreen and
# leaving it need a window manager), then stops openbox. Usage: with_wm.sh program [arguments]
set -u
wm=
# Starts openbox and waits up to 10 s for it to manage the screen. Now and then it cannot open
# a display that xvfb-run has only just started and gives up at once: then it is tried again.
wm_start() {
    openbox >/dev/null 2>&1 &
    wm=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        kill -0 "$wm" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
for attempt in 1 2 3; do
    wm_start && break
    kill "$wm" 2>/dev/null
    wait "$wm" 2>/dev/null
    if [ "$attempt" = 3 ]; then
        echo "FAIL: openbox did not start on $DISPLAY"
        exit 1
    fi
    sleep 0.5
done
"$@"
status=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
exit "$status"
