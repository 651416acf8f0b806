#!/bin/sh
# Debian 12 packages for both builds (native g++ and the 32-bit Windows cross build) and for
# running the Windows program and its tests under Wine. Run as root; idempotent.
set -e
export DEBIAN_FRONTEND=noninteractive
if [ "$(id -u)" != 0 ]; then SUDO=sudo; else SUDO=; fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
# g++-mingw-w64-i686: the i686-w64-mingw32 compilers (posix thread model used)
# libz-mingw-w64-dev: zlib for the Windows build; zlib1g-dev: zlib for the native build
# wine + wine32:i386: 32-bit Wine; xvfb + xauth: a display for window tests
# wine64 + g++-mingw-w64-x86-64-posix: the 64-bit test build, for machines that cannot run
#   32-bit programs (scripts/windows-test-build.sh)
# libgtest-dev: GoogleTest (prebuilt natively, sources in /usr/src/googletest for mingw)
# libcurl4-openssl-dev: the HTTP client of the native build's remote call
# libcpp-httplib-dev, libsqlite3-dev, pkg-config: the reference collecting service
# clang + libclang-rt-14-dev: the fuzz targets (libFuzzer, address and undefined sanitizers)
# libpugixml-dev: the XML benchmark's yardstick (benchmark only)
$SUDO apt-get install -y -q g++-mingw-w64-i686 libz-mingw-w64-dev wine wine32:i386 \
    wine64 g++-mingw-w64-x86-64-posix \
    xvfb xauth cmake ninja-build g++ make libgtest-dev zlib1g-dev python3 \
    libcurl4-openssl-dev libcpp-httplib-dev libsqlite3-dev pkg-config \
    clang libclang-rt-14-dev libpugixml-dev
