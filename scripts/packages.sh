# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

# The Debian packages each command needs.
# Building the program and running it.
RUN_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev libgmp-dev fonts-liberation2 fonts-dejavu-core qt6-translations-l10n)
# Building the Debian package (dpkg-buildflags, dpkg-shlibdeps).
PACKAGE_PACKAGES=("${RUN_PACKAGES[@]}" dpkg-dev)
# Everything the tests and benchmarks need on top: the package test checks the
# package with lintian, appstreamcli, desktop-file-validate and hardening-check
# (devscripts) and starts it on a virtual screen; reuse checks the licences;
# the screen-reader test reads the window through the accessibility bus
# (AT-SPI and its Python bindings, a private D-Bus session, keys by xdotool).
TEST_PACKAGES=("${PACKAGE_PACKAGES[@]}" libgtest-dev libbenchmark-dev locales clang libclang-rt-14-dev binutils
               desktop-file-utils lintian appstream devscripts xvfb x11-utils reuse
               at-spi2-core python3-pyatspi python3-dbus dbus xdotool)
