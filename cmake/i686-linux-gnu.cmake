# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

# Debian's i386 cross compiler (package g++-i686-linux-gnu): i686 code on the
# x87 unit, as Debian builds every package for i386. scripts/test builds the
# core, the sample store and their tests with it and runs them on the amd64
# machine itself. The programs are linked statically: the machine needs no
# i386 libraries of its own (no foreign architecture in dpkg).
#
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/i686-linux-gnu.cmake \
#         -DCMAKE_FIND_ROOT_PATH=<GoogleTest installed from a build with this file> ...
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Libraries, headers and packages from the cross toolchain and from the
# folders given in CMAKE_FIND_ROOT_PATH; programs from the machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/i686-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
