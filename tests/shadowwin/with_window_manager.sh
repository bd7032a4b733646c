#!/usr/bin/env bash
# Runs a command on the current X display with openbox managing the windows.
# usage: with_window_manager.sh OPENBOX COMMAND [ARGS...]
set -u
openbox=$1
shift
"$openbox" --sm-disable >/dev/null 2>&1 &
wm=$!
# Ready once it announces itself on the root window (10 s at most).
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
"$@"
rc=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
exit $rc
