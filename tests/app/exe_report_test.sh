#!/bin/sh
# rbInfo.exe starts under Wine, registers its file types and writes the text report.
# usage: exe_report_test.sh RBINFO.EXE WINE-RUN.SH
set -eu
exe=$1
wine_run=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$wine_run" "$exe" /REGISTER
# A program registered for uninstallation, so that the prefix has one to list.
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\rbInfoPrueba'
"$wine_run" reg add "$uninstall" /v DisplayName /d "rbInfo prueba" /f >/dev/null
"$wine_run" "$exe" -report report.txt
"$wine_run" reg delete "$uninstall" /f >/dev/null
tr -d '\r' < report.txt > report.unix
for heading in '[Machine]' '[CPU]' '[Processes]' '[Installed Software]' '[HKLM Run]' '[Performance]'; do
    grep -qxF "$heading" report.unix || { echo "missing $heading"; cat report.unix; exit 1; }
done
grep -q '^Item[0-9]*=rbInfo prueba$' report.unix || { echo "uninstall entry missing"; exit 1; }
grep -qi '^[0-9][0-9]*=rbinfo\.exe$' report.unix || { echo "rbInfo.exe not among the processes"; exit 1; }
grep -q '^Proceso: CPU - Tiempo msec: [0-9]*$' report.unix || { echo "no CPU timing"; exit 1; }
"$wine_run" reg query 'HKCR\fzpfile\shell\open\command' | tr -d '\r' | grep -qi 'rbinfo.exe" "%1"' ||
    { echo "open command not registered"; exit 1; }
echo "rbInfo.exe: report and file types ok"
