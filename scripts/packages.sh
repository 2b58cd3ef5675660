# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

# The Debian packages each command needs; every name is one that Debian 12
# and Debian 13 both have.
# Building the program and running it (qt6-wayland: a native window in a
# Wayland session).
RUN_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev libgmp-dev fonts-liberation2 fonts-dejavu-core
              qt6-translations-l10n qt6-wayland)
# Building the Debian package with dpkg-buildpackage: debhelper, and what
# debian/control's Build-Depends name (the build runs the tests: GoogleTest,
# an Italian locale).
PACKAGE_PACKAGES=("${RUN_PACKAGES[@]}" build-essential dpkg-dev debhelper libgtest-dev locales)
# Everything the tests and benchmarks need on top: the package test checks the
# package with lintian, appstreamcli, desktop-file-validate and hardening-check
# (devscripts) and starts it on a virtual screen (Xvfb, xwininfo and xprop
# from x11-utils, readelf from binutils); the fuzz targets use clang
# (scripts/fuzz adds the clang runtime that matches it);
# reuse checks the licences and asks git which files are the project's; the
# screen-reader test reads the window through the accessibility bus (AT-SPI
# and its Python bindings, a private D-Bus session, keys by xdotool); the
# i386 stage builds with Debian's i386 cross compiler and GoogleTest's sources,
# and runs them through qemu-i386 where the kernel runs no i386 program.
TEST_PACKAGES=("${PACKAGE_PACKAGES[@]}" libbenchmark-dev clang binutils
               desktop-file-utils lintian appstream devscripts xvfb xauth x11-utils reuse git
               at-spi2-core python3-pyatspi python3-dbus dbus xdotool
               g++-i686-linux-gnu googletest qemu-user)

# The clang runtime package (libFuzzer, the sanitizers) that matches the
# installed clang: libclang-rt-N-dev for clang N (14 on Debian 12, 19 on
# Debian 13).
clang_runtime_package() {
    local version
    version=$(clang++ -dumpversion)
    echo "libclang-rt-${version%%.*}-dev"
}
