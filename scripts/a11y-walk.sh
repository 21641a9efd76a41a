#!/usr/bin/env bash
# Starts skedwise and skedwise-rx under Xvfb with the AT-SPI bus, as a screen reader sees
# them, and walks their accessibility trees (scripts/a11y-walk.py). Needs the Debian
# packages xvfb, xdotool, at-spi2-core and python3-pyatspi. Usage: scripts/a11y-walk.sh [build/bin]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "${1:-$here/../build/bin}" && pwd)
display=":${A11Y_DISPLAY:-93}"
scratch=$(mktemp -d)
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
sleep 1
export DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_CONFIG_HOME="$scratch/config" \
    XDG_RUNTIME_DIR="$scratch" NO_AT_BRIDGE=0
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    sleep 1
    "$0/skedwise" & main=$!
    "$0/skedwise-rx" --model 1 & rx=$!
    sleep 3
    /usr/bin/python3 "$1/a11y-walk.py" skedwise skedwise-rx; status=$?
    echo "The grid as its current row moves (Home, Down, Down, Tab):"
    window=$(xdotool search --pid $main --name "^Skedwise [0-9]" | head -1)
    /usr/bin/python3 "$1/a11y-walk.py" --follow "$window" Home Down Down Tab || status=1
    kill $main $rx 2>/dev/null
    exit $status' "$bin" "$here"
