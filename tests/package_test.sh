#!/usr/bin/env bash
# Builds the Debian package from a finished build, lists it, checks its
# control fields, extracts it into a scratch folder and starts the extracted
# program headless for a moment to show that it runs.
#
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >/dev/null
deb=$(ls "$scratch"/out/vintrelle_*.deb)

listing=$(dpkg-deb -c "$deb")
for path in ./usr/bin/vintrelle \
            ./usr/share/applications/example.vintrelle.Vintrelle.desktop \
            ./usr/share/icons/hicolor/scalable/apps/example.vintrelle.Vintrelle.svg \
            ./usr/share/icons/hicolor/48x48/apps/example.vintrelle.Vintrelle.png; do
    grep -q " $path\$" <<<"$listing" || fail "$path missing from the package"
done

[ "$(dpkg-deb -f "$deb" Section)" = education ] || fail "section is not education"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in qt6-qpa-plugins libqt6widgets6 libqt6gui6 libc6; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

dpkg -x "$deb" "$scratch/root"
binary="$scratch/root/usr/bin/vintrelle"
if readelf -d "$binary" | grep -qiE 'rpath|runpath'; then
    fail "installed binary carries a run path"
fi
desktop-file-validate "$scratch/root/usr/share/applications/example.vintrelle.Vintrelle.desktop" \
    | grep -i error && fail "desktop entry does not validate"

# Still running after three seconds: it started and waits for the user.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$binary" || status=$?
[ "$status" -eq 124 ] || fail "extracted program ended by itself with status $status"
echo "package $(basename "$deb") lists, extracts and runs"
