#!/usr/bin/env bash
# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

# Builds the Debian package as scripts/package does (dpkg-buildpackage from a
# copy of the tree in BUILD_DIR/package; the build-time tests are left to the
# normal build, nocheck) and checks it as Debian would: lintian --pedantic on
# the .changes without an error or a warning, the package's files, control
# fields and versions, the debug-symbol package, the desktop entry and the
# AppStream metainfo through their validators, the binary through
# hardening-check; then starts the extracted program on a virtual screen and
# reads the window's class and icon.
#
#   package_test.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/virtual_screen.sh"
build=$1/package
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" "$root/scripts/package" "$build" >"$scratch/package.log" 2>&1 \
    || { cat "$scratch/package.log"; fail "scripts/package failed"; }
changes=$(ls "$build"/vintrelle_*.changes)
deb=$(ls "$build"/vintrelle_*.deb)
dbgsym=$(ls "$build"/vintrelle-dbgsym_*.deb) || fail "no debug-symbol package"
tree="$build/vintrelle"
app_id=example.vintrelle.Vintrelle

# Every file of the package, and nothing left out.
listing=$(dpkg-deb -c "$deb")
for path in ./usr/bin/vintrelle \
            ./usr/share/applications/$app_id.desktop \
            ./usr/share/metainfo/$app_id.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/$app_id.svg \
            ./usr/share/icons/hicolor/48x48/apps/$app_id.png \
            ./usr/share/icons/hicolor/128x128/apps/$app_id.png \
            ./usr/share/icons/hicolor/256x256/apps/$app_id.png \
            ./usr/share/man/man1/vintrelle.1.gz \
            ./usr/share/doc/vintrelle/copyright \
            ./usr/share/doc/vintrelle/changelog.gz; do
    grep -q " $path\$" <<<"$listing" || fail "$path missing from the package"
done
# The debug symbols of the binary, found by its build id.
build_id=$(readelf -n "$tree/debian/vintrelle/usr/bin/vintrelle" | sed -n 's/^ *Build ID: *//p')
[ -n "$build_id" ] || fail "the packaged binary has no build id"
grep -q " ./usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug\$" <<<"$(dpkg-deb -c "$dbgsym")" \
    || fail "the debug-symbol package lacks the binary's symbols (build id $build_id)"

[ "$(dpkg-deb -f "$deb" Section)" = education ] || fail "section is not education"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in qt6-qpa-plugins libqt6widgets6 libqt6gui6 libc6; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for recommended in qt6-translations-l10n qt6-wayland; do
    [[ $recommends == *"$recommended"* ]] || fail "$recommended is not recommended: $recommends"
done

# Debian's own check of the upload: no error, no warning, with the pedantic
# and experimental tags on.
lintian_options=(--pedantic -I -E --fail-on error,warning)
[ "$(id -u)" -eq 0 ] && lintian_options+=(--allow-root)
lintian "${lintian_options[@]}" "$changes" || fail "lintian reports errors or warnings"

dpkg -x "$deb" "$scratch/root"
share="$scratch/root/usr/share"
binary="$scratch/root/usr/bin/vintrelle"

# The changelog, the software-centre release and the package tell one version.
version=$(dpkg-deb -f "$deb" Version)
zcat "$share/doc/vintrelle/changelog.gz" >"$scratch/changelog"
changelog_version=$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)
[ "$changelog_version" = "$version" ] || fail "changelog's last version $changelog_version, package $version"
grep -q "<release version=\"$version\"" "$share/metainfo/$app_id.metainfo.xml" \
    || fail "metainfo has no release $version"
head -n 1 "$share/doc/vintrelle/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    || fail "copyright is not in the machine-readable format"
zcat "$share/man/man1/vintrelle.1.gz" | grep -q '^vintrelle \\- ' || fail "manual page has no NAME line"

desktop_messages=$(desktop-file-validate "$share/applications/$app_id.desktop" 2>&1) \
    || fail "desktop entry does not validate: $desktop_messages"
[ -z "$desktop_messages" ] || fail "desktop-file-validate has something to say: $desktop_messages"
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" || fail "metainfo does not validate"

# Every compile of the packaged binary took dpkg-buildflags' compiler flags and
# its link took the linker flags, as debian/rules asks for (asked from the
# copied tree, whose path the flags map to ".").
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
read -ra compile_flags <<<"$(cd "$tree" && dpkg-buildflags --get CPPFLAGS) $(cd "$tree" && dpkg-buildflags --get CXXFLAGS)"
read -ra link_flags <<<"$(cd "$tree" && dpkg-buildflags --get LDFLAGS)"
objects=$(ls -d "$tree"/obj-*)
ninja -C "$objects" -t commands vintrelle >"$scratch/commands"
grep -E -- ' -o [^ ]+\.o -c ' "$scratch/commands" >"$scratch/compiles" || fail "no compile commands for vintrelle"
while read -r command; do
    for flag in "${compile_flags[@]}"; do
        [[ " $command " == *" $flag "* ]] || fail "compiled without $flag: $command"
    done
done <"$scratch/compiles"
link=$(tail -n 1 "$scratch/commands")
for flag in "${link_flags[@]}"; do
    [[ " $link " == *" $flag "* ]] || fail "linked without $flag: $link"
done

# What the flags left in the binary. The protections asked for are those this
# release's dpkg-buildflags turns on for this architecture; hardening-check's
# report is read line by line, so that no option one release's
# hardening-check lacks is needed. Each protection is held against a small
# reference program built with the same flags: what the toolchain cannot give
# even that program does not apply here and is reported, not failed (Debian
# 13's "branch" feature is -fcf-protection on amd64, but its C library's
# start files carry no CET marks, so no program there passes the control-flow
# check; its hardening-check's branch-protection check is for arm64). The
# fortified functions are left to the compile flags above: the program makes
# no call whose buffer size the compiler knows (its copies go through
# std::string and Qt), so hardening-check finds only plain memcpy and the like.
cat >"$scratch/reference.cpp" <<'REFERENCE'
#include <cstdio>
int main(int argc, char **argv)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s", argc > 1 ? argv[1] : "");
    std::puts(buffer);
    return 0;
}
REFERENCE
# shellcheck disable=SC2068
c++ ${compile_flags[@]} ${link_flags[@]} "$scratch/reference.cpp" -o "$scratch/reference" \
    || fail "the reference program does not build with dpkg-buildflags' flags"
hardening_output=$(hardening-check "$binary" || true)
reference_output=$(hardening-check "$scratch/reference" || true)
echo "$hardening_output"
checked=0
while read -r feature enabled; do
    [ "$enabled" = yes ] || continue
    case $feature in
        pie) lines=("Position Independent Executable") ;;
        stackprotector) lines=("Stack protected") ;;
        relro) lines=("Read-only relocations") ;;
        bindnow) lines=("Immediate binding") ;;
        stackclash) lines=("Stack clash protection") ;;
        cfprotection) lines=("Control flow integrity") ;;
        branch) lines=("Control flow integrity" "Branch Protection") ;;
        *) continue ;;
    esac
    for line in "${lines[@]}"; do
        result=$(sed -n "s/^ *$line: //p" <<<"$hardening_output")
        reference=$(sed -n "s/^ *$line: //p" <<<"$reference_output")
        [ -n "$result" ] || continue   # this hardening-check has no such check
        if [[ $reference != yes* ]]; then
            echo "not checked: $line ($feature): even a reference program built with the same flags has \"$reference\""
            continue
        fi
        [[ $result == yes* ]] || fail "hardening-check: $line: $result ($feature, asked for by dpkg-buildflags)"
        checked=$((checked + 1))
    done
done < <(cd "$tree" && dpkg-buildflags --query-features hardening \
         | awk '/^Feature:/ {f = $2} /^Enabled:/ {print f, $2}')
[ "$checked" -ge 4 ] || fail "only $checked hardening features checked"
if readelf -d "$binary" | grep -qiE 'rpath|runpath'; then
    fail "installed binary carries a run path"
fi

# The extracted program on a virtual screen of its own (Xvfb picks a free
# display and says which when it is ready), finding its icons where the
# package puts them. It keeps running until it is ended; its window's class is
# the desktop entry's StartupWMClass, and the window carries an icon.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$share/applications/$app_id.desktop")
[ -n "$wm_class" ] || fail "desktop entry has no StartupWMClass"
# The program ends before its server, so that it does not report a broken
# display; a process that has ended already is no failure of the test.
stop() {
    local pid
    for pid in ${program:-} ${virtual_screen_pid:-}; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap stop EXIT
start_virtual_screen "$scratch"
mkdir -m 700 "$scratch/runtime"
XDG_RUNTIME_DIR="$scratch/runtime" XDG_DATA_DIRS="$share" QT_QPA_PLATFORM=xcb "$binary" &
program=$!
window=
for _ in $(seq 100); do
    # The first window that has a class: ("instance" "class").
    window=$(xwininfo -root -tree | awk '/\("[^"]*" "[^"]*"\)/ {print $1; exit}')
    [ -n "$window" ] && break
    kill -0 "$program" 2>/dev/null || fail "the extracted program ended by itself"
    sleep 0.1
done
[ -n "$window" ] || fail "the extracted program showed no window"
sleep 1
kill -0 "$program" 2>/dev/null || fail "the extracted program ended by itself"
xprop -id "$window" WM_CLASS >"$scratch/wm_class"
xprop -id "$window" _NET_WM_ICON >"$scratch/icon"
grep -q "^WM_CLASS(STRING) = \"vintrelle\", \"$wm_class\"\$" "$scratch/wm_class" \
    || fail "window class $(cat "$scratch/wm_class") is not the desktop entry's $wm_class"
grep -q '^_NET_WM_ICON(CARDINAL) = ' "$scratch/icon" || fail "the window has no icon"
echo "package $(basename "$deb") is lintian-clean, hardened, valid, and runs with its class and icon"
