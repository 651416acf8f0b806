#!/bin/sh
# Debian 12 packages for both builds (native g++ and the 32-bit Windows cross build), for
# running the Windows program and its tests under Wine, and for the collecting service and its
# browser and database tests. Run as root (or with sudo).
#
# Idempotent and tolerant of a package archive that is briefly inconsistent:
# - only missing packages are installed; a machine that has them all never touches the archive;
# - "apt-get update" is tried a few times, and a run that still reports failed indexes goes on
#   as long as the packages install;
# - 32-bit Wine (wine32:i386) is a step of its own: when it cannot be installed, the script says
#   so and ends successfully, and the Windows tests run on the 64-bit build of the same sources
#   (scripts/windows-test-build.sh decides; the product is still built as the 32-bit exe).
# RBINFO_NO_WINE32=1 leaves 32-bit Wine out on purpose. After a failed attempt the script does
# not try 32-bit Wine again for six hours (the stamp /var/tmp/rbinfo-no-wine32), so that repeated
# runs on such a machine do not read the archive each time.
set -u
export DEBIAN_FRONTEND=noninteractive
if [ "$(id -u)" != 0 ]; then SUDO=sudo; else SUDO=; fi

# g++-mingw-w64-i686: the i686-w64-mingw32 compilers (posix thread model used)
# libz-mingw-w64-dev: zlib for the Windows build; zlib1g-dev: zlib for the native build
# wine + xvfb + xauth: Wine, and a display for window tests
# wine64 + g++-mingw-w64-x86-64-posix: the 64-bit test build, for machines that cannot run
#   32-bit programs (scripts/windows-test-build.sh)
# libgtest-dev: GoogleTest (prebuilt natively, sources in /usr/src/googletest for mingw)
# libcurl4-openssl-dev: the HTTP client of the native build's remote call
# libboost-dev, libssl-dev: the collecting service's HTTP and HTTPS server (Boost.Beast, OpenSSL)
# libsqlite3-dev, pkg-config: the collecting service's embedded store
# libsodium-dev, nlohmann-json3-dev, libkainjow-mustache-dev: the collecting service's hashes
#   (content hash, passwords, secrets), its API's JSON and its console's page templates
# libpq-dev: the collecting service's PostgreSQL store (libpq)
# postgresql-15: the private PostgreSQL server its tests and benchmark start (pg_trgm included)
# chromium, chromium-driver, python3-selenium: the console's tests in a real, headless browser
# clang + libclang-rt-14-dev: the fuzz targets (libFuzzer, address and undefined sanitizers)
# libpugixml-dev: the XML benchmark's yardstick (benchmark only)
PACKAGES="g++-mingw-w64-i686 libz-mingw-w64-dev wine wine64 g++-mingw-w64-x86-64-posix
    xvfb xauth cmake ninja-build g++ make libgtest-dev zlib1g-dev python3
    libcurl4-openssl-dev libboost-dev libssl-dev libsqlite3-dev pkg-config
    libsodium-dev nlohmann-json3-dev libkainjow-mustache-dev libpq-dev postgresql-15
    chromium chromium-driver python3-selenium
    clang libclang-rt-14-dev libpugixml-dev"
WINE32=wine32:i386

say() { echo "install-deps: $*"; }

# The packages of the list that are not installed.
missing() {
    for p in "$@"; do
        dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q ' installed$' || echo "$p"
    done
}

# apt-get update, a few times while it reports failed indexes; never fatal: what the indexes
# that did arrive hold may be enough, and the install says so if it is not.
update() {
    for try in 1 2 3; do
        if $SUDO apt-get update -qq >/tmp/rbinfo-apt-update.log 2>&1; then return 0; fi
        say "apt-get update failed (try $try of 3):"
        grep -E '^(E|W):' /tmp/rbinfo-apt-update.log | head -n 4 | sed 's/^/    /'
        [ "$try" = 3 ] || sleep 5
    done
    say "going on with the package indexes that could be read"
}

install() {
    $SUDO apt-get install -y -q "$@" >/tmp/rbinfo-apt-install.log 2>&1 && return 0
    tail -n 12 /tmp/rbinfo-apt-install.log | sed 's/^/    /'
    return 1
}

need=$(missing $PACKAGES)
need32=
stamp=/var/tmp/rbinfo-no-wine32
if [ "${RBINFO_NO_WINE32:-0}" != 1 ]; then need32=$(missing $WINE32); fi
if [ -n "$need32" ] && [ -n "$(find "$stamp" -mmin -360 2>/dev/null)" ]; then
    say "$WINE32 could not be installed $(( ($(date +%s) - $(stat -c %Y "$stamp")) / 60 )) minutes ago: not tried again"
    need32=
fi
if [ -z "$need$need32" ]; then
    say "nothing to install"
    exit 0
fi
updated=
if [ -n "$need" ]; then
    say "installing" $need
    update; updated=1
    if ! install $need; then
        # A half-updated index can name versions that are gone: read the indexes again once.
        update
        install $need || { say "the packages above could not be installed"; exit 1; }
    fi
fi
if [ -n "$need32" ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
        updated=
    fi
    [ -n "$updated" ] || update
    say "installing $WINE32 (32-bit Wine)"
    if install $WINE32; then
        rm -f "$stamp"
    else
        date >"$stamp" 2>/dev/null || true
        say "32-bit Wine ($WINE32) could not be installed, see above; the Windows tests will"
        say "run on the 64-bit build of the same sources under 64-bit Wine instead"
    fi
fi
exit 0
