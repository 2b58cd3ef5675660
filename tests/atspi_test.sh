#!/usr/bin/env bash
# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

# The window as a screen reader finds it: the program on a virtual screen of
# its own (Xvfb), on a private D-Bus session with its own accessibility bus
# and registry, checked through AT-SPI by tests/atspi_test.py (pyatspi), with
# keys typed through xdotool where a keyboard user would type them.
#
#   atspi_test.sh PROGRAM [--only WORD]...   (runs the check groups whose function
#                                            names hold WORD: names, focus, ...)
#
# Prints one line per check and exits non-zero when any check fails.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/atspi_environment.sh"
# A D-Bus session of our own: the checks neither see nor disturb a desktop's.
atspi_private_session "$0" "$@"

program=$1
shift
scratch=$(mktemp -d)
trap 'atspi_stop; rm -rf "$scratch"' EXIT

atspi_start "$scratch"
atspi_start_program "$program" "$scratch/program.log"

status=0
"$atspi_python" "$here/atspi_test.py" --pid "$atspi_program" "$@" || status=$?
if ! kill -0 "$atspi_program" 2>/dev/null; then
    echo "FAIL: the program ended during the checks"
    cat "$scratch/program.log"
    status=1
fi
exit "$status"
