#!/usr/bin/env bash
# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

# Builds the Debian package as scripts/package does (Debian's hardening flags,
# in BUILD_DIR/package, kept between runs) and checks it as Debian would:
# lintian without an error or a warning, its files, control fields and
# versions, the desktop entry and the AppStream metainfo through their
# validators, the binary through hardening-check; then starts the extracted
# program on a virtual screen and reads the window's class and icon.
#
#   package_test.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1/package
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# A package left from an earlier version would be taken for this one.
rm -f "$build"/vintrelle_*.deb
"$root/scripts/package" "$build" >"$scratch/package.log" 2>&1 || { cat "$scratch/package.log"; fail "scripts/package failed"; }
deb=$(ls "$build"/vintrelle_*.deb)
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

[ "$(dpkg-deb -f "$deb" Section)" = education ] || fail "section is not education"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in qt6-qpa-plugins libqt6widgets6 libqt6gui6 libc6; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

# Debian's own check of the package: no error, no warning.
lintian_options=(--fail-on error,warning)
[ "$(id -u)" -eq 0 ] && lintian_options+=(--allow-root)
lintian "${lintian_options[@]}" "$deb" || fail "lintian reports errors or warnings"

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
# its link took the linker flags, as scripts/package asks for.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
read -ra compile_flags <<<"$(cd "$root" && dpkg-buildflags --get CPPFLAGS) $(cd "$root" && dpkg-buildflags --get CXXFLAGS)"
read -ra link_flags <<<"$(dpkg-buildflags --get LDFLAGS)"
ninja -C "$build" -t commands vintrelle >"$scratch/commands"
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
# What the flags left in the binary. Two checks are left out: the fortified
# functions, because the program makes no call whose buffer size the compiler
# knows (its copies go through std::string and Qt), so hardening-check finds
# only plain memcpy and the like; and control-flow protection, which Debian
# 12's dpkg-buildflags does not ask for.
hardening-check --nofortify --nocfprotection "$binary" || fail "hardening-check"
if readelf -d "$binary" | grep -qiE 'rpath|runpath'; then
    fail "installed binary carries a run path"
fi

# The extracted program on a virtual screen of its own (Xvfb picks a free
# display and says which when it is ready), finding its icons where the
# package puts them. It keeps running until it is ended; its window's class is
# the desktop entry's StartupWMClass, and the window carries an icon.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$share/applications/$app_id.desktop")
[ -n "$wm_class" ] || fail "desktop entry has no StartupWMClass"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
# The program ends before its server, so that it does not report a broken
# display; a process that has ended already is no failure of the test.
stop() {
    local pid
    for pid in ${program:-} $xvfb; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap stop EXIT
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=:$(cat "$scratch/display")
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
