#!/usr/bin/env bash
# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

# scripts/install-deps as three kinds of user would run it, with stand-ins
# for sudo and apt-get that only write down how they were called:
#   - a user with neither root nor sudo: one line that names the missing
#     packages and how to install them, exit status not 0, no attempt;
#   - a user with sudo: the noninteractive setting passed through sudo;
#   - root (only when the test itself runs as root): apt-get directly.
# The commands see a PATH that holds the stand-ins and the few real tools the
# script needs, so a real sudo on the machine plays no part.
set -euo pipefail
script="$(cd "$(dirname "$0")/.." && pwd)/scripts/install-deps"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"

fail() { echo "FAIL: $*" >&2; exit 1; }

# A package no machine has, and one every Debian machine has.
absent=vintrelle-test-absent-package
present=dpkg

cp "$script" "$scratch/install-deps"
chmod 755 "$scratch/install-deps"
mkdir -m 777 "$scratch/log"
calls="$scratch/log/calls"

tools="$scratch/tools"
mkdir "$tools"
for tool in bash env dpkg-query grep id; do
    ln -s "$(command -v "$tool")" "$tools/$tool"
done
cat >"$tools/apt-get" <<EOF
#!$(command -v bash)
echo "apt-get DEBIAN_FRONTEND=\${DEBIAN_FRONTEND:-} \$*" >>"$calls"
EOF
cat >"$scratch/sudo" <<EOF
#!$(command -v bash)
echo "sudo \$*" >>"$calls"
EOF
chmod 755 "$tools/apt-get" "$scratch/sudo"
mkdir "$scratch/with-sudo"
cp -a "$tools"/. "$scratch/with-sudo/"
cp "$scratch/sudo" "$scratch/with-sudo/sudo"
chmod -R a+rX "$scratch"

# Runs install-deps as a user other than root with the given PATH; leaves
# its exit status in $status, its output in $out and $err.
as_user() {
    local path=$1
    shift
    local command=(env -i PATH="$path" "$scratch/install-deps" "$@")
    if [ "$(id -u)" -eq 0 ]; then
        command=(setpriv --reuid=65534 --regid=65534 --clear-groups "${command[@]}")
    fi
    : >"$calls"
    chmod 666 "$calls"
    status=0
    "${command[@]}" >"$scratch/out" 2>"$scratch/err" || status=$?
    out=$(cat "$scratch/out")
    err=$(cat "$scratch/err")
}

# Neither root nor sudo, nothing missing: silent success.
as_user "$tools" "$present"
[ "$status" -eq 0 ] || fail "nothing missing, no sudo: exit status $status ($err)"
[ -z "$out$err" ] || fail "nothing missing, no sudo: printed '$out$err'"

# Neither root nor sudo, one package missing: one line, exit status not 0.
as_user "$tools" "$present" "$absent"
[ "$status" -ne 0 ] || fail "missing package, no sudo: exit status 0"
[ -z "$out" ] || fail "missing package, no sudo: printed on standard output: $out"
[ "$(wc -l <"$scratch/err")" -eq 1 ] || fail "missing package, no sudo: not one line: $err"
[[ $err == *"$absent"* ]] || fail "the line does not name the missing package: $err"
[[ $err == *"apt-get install $absent"* ]] || fail "the line does not say how to install it: $err"
[[ $err != *" $present"* ]] || fail "the line names an installed package: $err"
[ ! -s "$calls" ] || fail "no sudo, yet it tried: $(cat "$calls")"

# With sudo: the setting travels through sudo, on its command line.
as_user "$scratch/with-sudo" "$present" "$absent"
[ "$status" -eq 0 ] || fail "with sudo: exit status $status ($err)"
grep -qx "sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $absent" "$calls" \
    || fail "with sudo, the install was not called as expected: $(cat "$calls")"

# As root: apt-get directly, with the setting, and no sudo.
if [ "$(id -u)" -eq 0 ]; then
    : >"$calls"
    status=0
    env -i PATH="$scratch/with-sudo" "$scratch/install-deps" "$present" "$absent" >/dev/null 2>&1 || status=$?
    [ "$status" -eq 0 ] || fail "as root: exit status $status"
    grep -qx "apt-get DEBIAN_FRONTEND=noninteractive install -y -qq --no-install-recommends $absent" "$calls" \
        || fail "as root, the install was not called as expected: $(cat "$calls")"
    ! grep -q '^sudo' "$calls" || fail "as root, it used sudo: $(cat "$calls")"
fi
echo "install-deps: silent when nothing is missing, one line without root or sudo, settings through sudo"
