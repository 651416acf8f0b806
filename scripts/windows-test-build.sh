# Sourced by test.sh and main-job.sh (POSIX sh). The product is the 32-bit build (build/win32).
# Where this machine's kernel cannot run 32-bit programs (its 32-bit emulation is switched
# off, so 32-bit Wine cannot start), the Windows tests and the main job run a 64-bit build of
# the same sources (build/win64) under 64-bit Wine instead.
#   windows_test_arch        prints win32 or win64
windows_test_arch() {
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo win32
    else
        echo win64
    fi
}

# toolchain file for a Windows build folder name (win32 or win64)
windows_toolchain() {
    case "$2" in
        win64) echo "$1/cmake/toolchain-x86_64-w64-mingw32.cmake" ;;
        *) echo "$1/cmake/toolchain-i686-w64-mingw32.cmake" ;;
    esac
}
