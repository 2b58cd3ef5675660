# The Debian packages each command needs.
# Building the program and running it.
RUN_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev libfontconfig-dev fonts-liberation2 fonts-dejavu-core)
# Everything the tests and benchmarks need on top.
TEST_PACKAGES=("${RUN_PACKAGES[@]}" libgtest-dev libbenchmark-dev locales clang libclang-rt-14-dev dpkg-dev binutils desktop-file-utils)
