# Sourced by test.sh and main-job.sh (POSIX sh). The product is the 32-bit build (build/win32).
# Where 32-bit Wine cannot run here (its package could not be installed, or the kernel's 32-bit
# emulation is switched off), the Windows tests and the main job run a 64-bit build of the same
# sources (build/win64) under 64-bit Wine instead.
#   windows_test_arch        prints win32 or win64
#   windows_test_reason      prints why, in one sentence
windows_test_arch() {
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo win32
    else
        echo win64
    fi
}

windows_test_reason() {
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "32-bit Wine runs here, so the Windows tests run the 32-bit product build (build/win32)."
    elif ! dpkg-query -W -f='${Status}\n' wine32:i386 2>/dev/null | grep -q ' installed$'; then
        echo "32-bit Wine (wine32:i386) is not installed (the set-up said why), so the Windows" \
             "tests run a 64-bit build of the same sources (build/win64) under 64-bit Wine."
    else
        echo "This machine cannot run 32-bit programs (its kernel's 32-bit emulation is off), so" \
             "the Windows tests run a 64-bit build of the same sources (build/win64) under" \
             "64-bit Wine."
    fi
}

# toolchain file for a Windows build folder name (win32 or win64)
windows_toolchain() {
    case "$2" in
        win64) echo "$1/cmake/toolchain-x86_64-w64-mingw32.cmake" ;;
        *) echo "$1/cmake/toolchain-i686-w64-mingw32.cmake" ;;
    esac
}
