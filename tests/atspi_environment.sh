# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

# Sourced by tests/atspi_test.sh and scripts/orca-check: a virtual screen and
# an accessibility bus of their own, inside a private D-Bus session.
#
#   atspi_private_session "$0" "$@"   first: runs the script again inside
#                                     dbus-run-session, once
#   atspi_start SCRATCH               Xvfb, then the accessibility bus; sets
#                                     DISPLAY and XDG_RUNTIME_DIR
#   atspi_stop                        ends what was started, last first;
#                                     ATSPI_PIDS may be given more to end
#                                     before (the program, a screen reader)
#   atspi_python                      the Python that has pyatspi

source "$(dirname "${BASH_SOURCE[0]}")/virtual_screen.sh"

atspi_fail() { echo "FAIL: $*" >&2; exit 1; }

atspi_private_session() {
    if [ -z "${VINTRELLE_ATSPI_PRIVATE_BUS:-}" ]; then
        VINTRELLE_ATSPI_PRIVATE_BUS=1 exec dbus-run-session -- "$@"
    fi
}

# pyatspi is a package of the system's Python, whatever python3 is first on
# the path.
atspi_python=/usr/bin/python3

ATSPI_PIDS=""
atspi_xvfb=""
atspi_bus_launcher=""

# The program and a screen reader end before the bus and the X server, so that
# none of them reports a broken display; a process that has ended already is
# no failure.
# One that has not ended five seconds after being asked to is killed.
atspi_stop() {
    local pid _
    for pid in $ATSPI_PIDS $atspi_bus_launcher $atspi_xvfb; do
        kill "$pid" 2>/dev/null || continue
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    ATSPI_PIDS="" atspi_bus_launcher="" atspi_xvfb=""
}

atspi_start() {
    local scratch=$1 launcher="" candidate
    for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
        [ -x "$candidate" ] && { launcher=$candidate; break; }
    done
    [ -n "$launcher" ] || atspi_fail "at-spi-bus-launcher not found (package at-spi2-core)"
    command -v Xvfb >/dev/null || atspi_fail "Xvfb not found (package xvfb)"
    command -v xdotool >/dev/null || atspi_fail "xdotool not found (package xdotool)"
    "$atspi_python" -c 'import pyatspi' 2>/dev/null || atspi_fail "pyatspi not found (package python3-pyatspi)"
    "$atspi_python" -c 'import dbus' 2>/dev/null || atspi_fail "dbus-python not found (package python3-dbus)"

    # The accessibility bus puts its socket under the runtime folder.
    mkdir -p -m 700 "$scratch/runtime"
    export XDG_RUNTIME_DIR="$scratch/runtime"

    start_virtual_screen "$scratch"
    atspi_xvfb=$virtual_screen_pid
    local _
    echo "virtual screen $DISPLAY"

    # The accessibility bus; the registry is started on it when first asked
    # for. Its name on the session bus tells it is up (asking for its address
    # instead would start a second one through D-Bus activation).
    "$launcher" --launch-immediately >"$scratch/bus-launcher.log" 2>&1 &
    atspi_bus_launcher=$!
    for _ in $(seq 100); do
        if dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
                org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'; then
            return 0
        fi
        kill -0 "$atspi_bus_launcher" 2>/dev/null || break
        sleep 0.1
    done
    cat "$scratch/bus-launcher.log"
    atspi_fail "the accessibility bus did not start"
}

# The program with its accessibility on, whatever the desktop says.
atspi_start_program() {
    local program=$1 log=$2
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb "$program" >"$log" 2>&1 &
    atspi_program=$!
    ATSPI_PIDS="$atspi_program $ATSPI_PIDS"
}
