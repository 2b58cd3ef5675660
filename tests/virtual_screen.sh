# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

# Sourced by the tests that show the program on a virtual screen of their
# own (the package test, the screen-reader test).
#
#   start_virtual_screen SCRATCH   starts Xvfb on a free display (Xvfb picks
#                                  it and says which when it is ready), waits
#                                  for it, sets DISPLAY and virtual_screen_pid;
#                                  fails with Xvfb's log when it does not start

start_virtual_screen() {
    local scratch=$1 _
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$scratch/display" 2>"$scratch/xvfb.log" &
    virtual_screen_pid=$!
    for _ in $(seq 100); do
        [ -s "$scratch/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$scratch/display" ]; then
        cat "$scratch/xvfb.log" >&2
        echo "FAIL: Xvfb did not start" >&2
        exit 1
    fi
    export DISPLAY=:$(cat "$scratch/display")
}
