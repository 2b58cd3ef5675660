#!/usr/bin/env bash
# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

# The window as a screen reader finds it: the program on a virtual screen of
# its own (Xvfb), on a private D-Bus session with its own accessibility bus
# and registry, checked through AT-SPI by tests/atspi_test.py (pyatspi), with
# keys typed through xdotool where a keyboard user would type them.
#
#   atspi_test.sh PROGRAM [--only GROUP]...   (GROUP: window, names, focus, ...)
#
# Prints one line per check and exits non-zero when any check fails.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# A D-Bus session of our own: the checks neither see nor disturb a desktop's.
if [ -z "${VINTRELLE_ATSPI_PRIVATE_BUS:-}" ]; then
    VINTRELLE_ATSPI_PRIVATE_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

fail() { echo "FAIL: $*" >&2; exit 1; }

program=$1
shift

# pyatspi is a package of the system's Python, whatever python3 is first on
# the path.
python=/usr/bin/python3
launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && { launcher=$candidate; break; }
done
[ -n "$launcher" ] || fail "at-spi-bus-launcher not found (package at-spi2-core)"
command -v Xvfb >/dev/null || fail "Xvfb not found (package xvfb)"
command -v xdotool >/dev/null || fail "xdotool not found (package xdotool)"
"$python" -c 'import pyatspi' 2>/dev/null || fail "pyatspi not found (package python3-pyatspi)"

scratch=$(mktemp -d)
# The accessibility bus puts its socket under the runtime folder.
mkdir -m 700 "$scratch/runtime"
export XDG_RUNTIME_DIR="$scratch/runtime"

xvfb= bus_launcher= app=
# The program ends before its X server, so that it does not report a broken
# display; a process that has ended already is no failure.
stop() {
    local pid
    for pid in $app $bus_launcher $xvfb; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap stop EXIT

# Xvfb picks a free display and says which when it is ready.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=:$(cat "$scratch/display")
echo "virtual screen $DISPLAY"

# The accessibility bus; the registry is started on it when first asked for.
# Its name on the session bus tells it is up (asking for its address instead
# would start a second one through D-Bus activation).
"$launcher" --launch-immediately >"$scratch/bus-launcher.log" 2>&1 &
bus_launcher=$!
bus_up=
for _ in $(seq 100); do
    if dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'; then
        bus_up=1
        break
    fi
    kill -0 "$bus_launcher" 2>/dev/null || break
    sleep 0.1
done
[ -n "$bus_up" ] || { cat "$scratch/bus-launcher.log"; fail "the accessibility bus did not start"; }

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb \
    "$program" >"$scratch/program.log" 2>&1 &
app=$!

status=0
"$python" "$here/atspi_test.py" --pid "$app" "$@" || status=$?
if ! kill -0 "$app" 2>/dev/null; then
    echo "FAIL: the program ended during the checks"
    cat "$scratch/program.log"
    status=1
fi
exit "$status"
