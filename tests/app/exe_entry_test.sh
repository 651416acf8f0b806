#!/bin/sh
# rbInfo.exe under Wine: file-type registration in the real registry and the command lines
# that need no collecting service. Message boxes go to a file (RBINFO_MESSAGE_LOG).
# usage: exe_entry_test.sh RBINFO.EXE WINE-RUN.SH
set -u
exe=$1
wine_run=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export RBINFO_MESSAGE_LOG="$work/messages.txt"
fail() { echo "FAIL: $*"; [ -f messages.txt ] && cat messages.txt; exit 1; }
query() {  # key [value] -> the data of the value ("" = default value)
    if [ -n "${2:-}" ]; then
        "$wine_run" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r'
    else
        "$wine_run" reg query "$1" /ve 2>/dev/null | tr -d '\r'
    fi
}
winpath=$("$wine_run" winepath -w "$exe" 2>/dev/null | tr -d '\r')

# Registration, in a clean state.
"$wine_run" reg delete 'HKCR\fzpfile' /f >/dev/null 2>&1
"$wine_run" reg delete 'HKCR\.fzp' /f >/dev/null 2>&1
"$wine_run" "$exe" /register || fail "/register exit code $?"
query 'HKCR\.fzp' | grep -q 'REG_SZ *fzpfile$' || fail ".fzp type name"
query 'HKCR\.rpg' | grep -q 'REG_SZ *rpgfile$' || fail ".rpg type name"
query 'HKCR\fzpfile' | grep -aq 'Hardware$' || fail "fzpfile description"
query 'HKCR\fzpfile\DefaultIcon' | grep -qiF "\"$winpath\",0" || fail "default icon"
query 'HKCR\fzpfile\shell\open\command' | grep -qiF "\"$winpath\" \"%1\"" || fail "open command"

# A second start registers again and keeps the same command (that an equal command is not
# rewritten is checked by the routine's own test under Wine).
"$wine_run" "$exe" -REGISTER || fail "-REGISTER exit code"
query 'HKCR\fzpfile\shell\open\command' | grep -qiF "\"$winpath\" \"%1\"" || fail "open command changed"

# The register switch in second position: the package named first is not opened.
"$wine_run" "$exe" missing.fzp -Register || fail "package + -Register should only register"
[ ! -s messages.txt ] || fail "register-only run showed a message"

# Failing inputs: a clear message and exit code 1.
expect_error() {  # text-fragment args...
    fragment=$1; shift
    rm -f messages.txt
    "$wine_run" "$exe" "$@"
    rc=$?
    [ "$rc" = 1 ] || fail "$* exit code $rc"
    grep -q "$fragment" messages.txt || fail "$*: no message with '$fragment'"
}
expect_error 'Cannot open file' missing.fzp
printf 'not a package' > corrupt.fzp
expect_error 'Error while decompressing ZLib stream' corrupt.fzp /auto
# A package cut short in transit, and one that inflates past the reader's limit (300 MiB of
# zeros in a few hundred kilobytes).
python3 - <<'PY'
import zlib
text = b"Nombre=4A75616E\r\ntelefono=\r\nobservaciones=\r\nDestino=\r\nfinencabezado\r\n"
text += b"<InfoSistema TYPE=\"TXMLSysInfo\">\r\n" * 20000
whole = zlib.compress(text, 9)
open("truncated.fzp", "wb").write(whole[: len(whole) // 2])
z = zlib.compressobj(9)
with open("bomb.fzp", "wb") as f:
    block = bytes(1 << 20)
    for _ in range(100):
        f.write(z.compress(block))
    f.write(z.flush())
PY
expect_error 'incomplete' truncated.fzp /auto
expect_error 'exceeds 64 MiB' bomb.fzp
printf 'ProcessList=[pgCPU,pgNothing]\r\n' > bad.rpg
expect_error 'Invalid property element: pgNothing' bad.rpg
echo "rbInfo.exe entry: registration and failing inputs ok"
