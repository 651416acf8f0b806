# Sourced by the Wine tests of current Windows (POSIX sh): devices of the kind current Windows
# records, added to the prefix's registry and taken out again.
#   add_test_devices WINE-RUN.SH PROGRAM-WINDOWS-PATH
# adds a device whose "DeviceDesc" and "Mfg" are references into an INF file, with a service
# whose "DisplayName" is a reference to the program's own string 101 (its application title),
# and two display adapters whose class keys hold the hardware information as current drivers
# keep it: wide binary texts, "HardwareInformation.qwMemorySize" of 4 GiB, and a 32-bit memory
# of 2 GiB;
#   remove_test_devices WINE-RUN.SH
# removes them (also what an interrupted run left).

test_enum='HKLM\SYSTEM\CurrentControlSet\Enum\ROOT'
test_service='HKLM\SYSTEM\CurrentControlSet\Services\rbinfo_prueba'
test_display_class='HKLM\SYSTEM\CurrentControlSet\Control\Class\{4d36e968-e325-11ce-bfc1-08002be10318}'

# The UTF-16 bytes of an ASCII text and its terminator, as REG_BINARY data.
wide_hex() {
    printf '%s' "$1" | od -An -tx1 -v | tr -s ' \n' ' ' | sed 's/ \([0-9a-f][0-9a-f]\)/\100/g; s/ //g'
    printf '0000'
}

remove_test_devices() {
    for _key in "$test_enum\\RBINFO_PRUEBA" "$test_enum\\RBINFO_PANTALLA" "$test_service" \
        "$test_display_class\\0097" "$test_display_class\\0098"; do
        "$1" reg delete "$_key" /f >/dev/null 2>&1 || true
    done
}

add_test_devices() {
    _run=$1
    _program=$2
    remove_test_devices "$_run"
    _device="$test_enum\\RBINFO_PRUEBA\\0000"
    "$_run" reg add "$_device" /v ClassGUID /d '{4d36e97d-e325-11ce-bfc1-08002be10318}' /f
    "$_run" reg add "$_device" /v DeviceDesc \
        /d '@oem99.inf,%rbinfo.devicedesc%;Dispositivo de prueba rbInfo' /f
    "$_run" reg add "$_device" /v Mfg /d '@oem99.inf,%kelto%;Kelto' /f
    "$_run" reg add "$_device" /v Service /d rbinfo_prueba /f
    "$_run" reg add "$_device\\Control" /f
    "$_run" reg add "$test_service" /v DisplayName /d "@$_program,-101" /f
    "$_run" reg add "$test_service" /v Type /t REG_DWORD /d 1 /f
    for _n in 0098 0097; do
        _adapter="$test_enum\\RBINFO_PANTALLA\\$_n"
        "$_run" reg add "$_adapter" /v ClassGUID /d '{4d36e968-e325-11ce-bfc1-08002be10318}' /f
        "$_run" reg add "$_adapter" /v Driver /d "{4d36e968-e325-11ce-bfc1-08002be10318}\\$_n" /f
        "$_run" reg add "$_adapter\\Control" /f
    done
    "$_run" reg add "$test_enum\\RBINFO_PANTALLA\\0098" /v DeviceDesc \
        /d '@oem98.inf,%rbinfo.pantalla%;Pantalla de prueba rbInfo' /f
    "$_run" reg add "$test_enum\\RBINFO_PANTALLA\\0097" /v DeviceDesc /d 'Pantalla de 2 GiB' /f
    _class="$test_display_class\\0098"
    "$_run" reg add "$_class" /v HardwareInformation.ChipType /t REG_BINARY \
        /d "$(wide_hex 'Chip de prueba')" /f
    "$_run" reg add "$_class" /v HardwareInformation.MemorySize /t REG_BINARY /d 00000080 /f
    "$_run" reg add "$_class" /v HardwareInformation.qwMemorySize /t REG_QWORD \
        /d 4294967296 /f
    "$_run" reg add "$test_display_class\\0097" /v HardwareInformation.MemorySize \
        /t REG_BINARY /d 00000080 /f
}
