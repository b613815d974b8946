#!/usr/bin/env bash
# Runs a command with a display: the caller's when DISPLAY is set, otherwise a private
# Xvfb server of its own (started with -noreset, found through -displayfd so that it
# never collides with another server), stopped when the command ends.
set -euo pipefail

if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi

fifo_dir=$(mktemp -d)
mkfifo "$fifo_dir/displayfd"
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1920x1080x24 3>"$fifo_dir/displayfd" \
    >"$fifo_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 30 display_number <"$fifo_dir/displayfd" || {
    echo "with-xvfb: Xvfb did not start:" >&2
    cat "$fifo_dir/xvfb.log" >&2
    exit 1
}
cleanup() {
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$fifo_dir"
}
trap cleanup EXIT
export DISPLAY=":$display_number"
"$@"
