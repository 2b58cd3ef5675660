#!/usr/bin/env bash
# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

# Vintrelle included in a parent project with add_subdirectory
# (tests/parent_project): the parent's own file compiles with none of
# Vintrelle's warning or floating-point flags and without its include folder;
# a parent file that links vintrelle::core gets the include folder (it needs
# it for "core/...") but none of the flags; Vintrelle's own files keep them.
# Both parent programs are built.
#
#   parent_project_test.sh [CMAKE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake=${1:-cmake}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# The environment's compiler flags (a package build's, say) stay out of it.
env -u CXXFLAGS -u CPPFLAGS -u LDFLAGS "$cmake" -S "$root/tests/parent_project" -B "$scratch" -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DVINTRELLE_SOURCE_DIR="$root" -DVINTRELLE_BUILD_UI=OFF >"$scratch/configure.log" 2>&1 \
    || { cat "$scratch/configure.log"; fail "the parent project does not configure"; }
"$cmake" --build "$scratch" --target parent_own parent_user >"$scratch/build.log" 2>&1 \
    || { cat "$scratch/build.log"; fail "the parent project does not build"; }

# The compile command of one source file, from compile_commands.json.
command_of() {
    local file=$1
    awk -v file="$file" '
        /"command":/ { command = $0 }
        /"file":/ && index($0, file "\"") { print command; exit }' "$scratch/compile_commands.json"
}
own=$(command_of /tests/parent_project/own.cpp)
user=$(command_of /tests/parent_project/user.cpp)
vintrelle=$(command_of /core/training.cpp)
[ -n "$own" ] && [ -n "$user" ] && [ -n "$vintrelle" ] || fail "compile commands missing: $(cat "$scratch/compile_commands.json")"

flags=(-Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual -Wsuggest-override -ffp-contract=off)
for flag in "${flags[@]}"; do
    [[ " $own " != *" $flag "* ]] || fail "the parent's own file compiles with $flag: $own"
    [[ " $user " != *" $flag "* ]] || fail "the parent's user of vintrelle::core compiles with $flag: $user"
    [[ " $vintrelle " == *" $flag "* ]] || fail "Vintrelle's own file compiles without $flag: $vintrelle"
done
include="-I$root"
[[ " $own " != *" $include "* ]] || fail "the parent's own file sees Vintrelle's include folder: $own"
[[ " $user " == *" $include "* ]] || fail "the user of vintrelle::core lacks the include folder: $user"
echo "parent project: its own files compile without Vintrelle's flags; vintrelle::core brings only its include folder"
