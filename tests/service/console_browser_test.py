#!/usr/bin/python3
"""The support console in a real browser (Debian's Chromium, headless, driven by Selenium).

The service starts with a fresh store. rbInfo.exe under Wine delivers an inventory; the Wine
prefix then gets a new program (an Uninstall entry) and loses a service, and rbInfo.exe
delivers again: the two are one machine, `kestrin-service diff` prints exactly those changes
and the console's machine page shows them. The native client delivers two more (one with
hostile texts). Then staff sign in, list, search, open, download, prepare a request file that
rbInfo.exe obeys, and sign out. Screenshots of each page go to the screenshot folder; the
hostile texts must show as text, with no script run.

usage: console_browser_test.py SERVICE SEND-CLIENT RBINFO.EXE WINE-RUN.SH GOLDEN.xml SHOTS-DIR
Exit code 77 (skipped) where the service has not been built or no browser is installed.
"""
import http.cookiejar
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from console_session import Console, Service, ShotChecker, fail, skip  # noqa: E402

ADMIN, ADMIN_KEY = "ana", "clave-de-ana-2026"
READER, READER_KEY = "luis", "clave-de-luis-2026"
HOSTILE_NAME = '<script>window.pwned=1</script>José'
HOSTILE_REMARKS = '=HYPERLINK("http://malo.example/","pulse")'
HOSTILE_COMPUTER = '"><img src=x onerror="window.pwned=2">'
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\KestrinPrueba"
PROGRAM = "Programa de prueba Kelto 1.0"
SERVICE = "KestrinPrueba"
SERVICE_NAME = "Servicio de prueba Kelto"


def hostile_document(golden):
    """The golden inventory with its computer's name replaced by markup (escaped in the XML,
    as the program writes any text)."""
    escaped = HOSTILE_COMPUTER.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    return golden.replace("OFICINA-PEÑA".encode("cp1252"), escaped.encode("cp1252"), 1)


def main(argv):
    if len(argv) != 7:
        print(__doc__)
        return 2
    service_exe, send_exe, rbinfo, wine_run, golden_path, shots = argv[1:]
    if not os.access(service_exe, os.X_OK):
        skip("no kestrin-service at '%s' (set RBINFO_NATIVE_BUILD_DIR)" % service_exe)
    for tool in ("/usr/bin/chromium", "/usr/bin/chromedriver"):
        if not os.access(tool, os.X_OK):
            skip("%s is not installed" % tool)
    work = tempfile.mkdtemp(prefix="consola-")
    try:
        run(service_exe, send_exe, rbinfo, wine_run, golden_path, shots, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("console in the browser: every check passed")
    return 0


def run(service_exe, send_exe, rbinfo, wine_run, golden_path, shots, work):
    db = os.path.join(work, "servicio.db")
    service = Service(service_exe, db, work)
    service.add_account(ADMIN, "admin", ADMIN_KEY)
    service.add_account(READER, "lectura", READER_KEY)

    def wine(*args, check=True):
        done = subprocess.run([wine_run] + list(args), cwd=work, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
        if check and done.returncode != 0:
            fail("%s failed (%d)" % (" ".join(args), done.returncode))

    def restore_prefix():
        wine("reg", "delete", UNINSTALL_KEY, "/f", check=False)
        wine("sc", "delete", SERVICE, check=False)

    restore_prefix()  # what an interrupted run may have left
    try:
        wine("sc", "create", SERVICE, "binPath=", r"C:\windows\system32\notepad.exe",
             "DisplayName=", SERVICE_NAME)
        with service:
            deliver_and_browse(service, send_exe, rbinfo, wine_run, golden_path, shots, work,
                               wine)
    finally:
        restore_prefix()


def deliver_and_browse(service, send_exe, rbinfo, wine_run, golden_path, shots, work, wine):
    def program(*args):
        env = dict(os.environ, RBINFO_SERVICE_URL=service.url + "/cgi/Kestrin.exe/bin",
                   RBINFO_MESSAGE_LOG=os.path.join(work, "mensajes.log"))
        done = subprocess.run(["timeout", "-k", "10", "300", wine_run, rbinfo] + list(args),
                              cwd=work, env=env)
        if done.returncode != 0:
            fail("rbInfo.exe %s ended with %d" % (" ".join(args), done.returncode))

    def send(document, *header):
        path = os.path.join(work, "documento.xml")
        with open(path, "wb") as f:
            f.write(document)
        subprocess.run([send_exe, service.url + "/cgi/Kestrin.exe/bin", path] + list(header),
                       check=True, stdout=subprocess.DEVNULL)

    program("Juan", "/auto")                                         # inventory 1
    wine("reg", "add", UNINSTALL_KEY, "/v", "DisplayName", "/d", PROGRAM, "/f")
    wine("sc", "delete", SERVICE)
    program("Juan", "/auto")                                         # inventory 2
    expect_changes(service, ['Software: + "%s"' % PROGRAM, 'Servicios: - "%s"' % SERVICE])
    golden = open(golden_path, "rb").read()
    send(golden, "Marta Núñez", "600 111 222", "Pantalla azul\\ntras actualizar", "CASO-10")
    send(hostile_document(golden), HOSTILE_NAME, "555", HOSTILE_REMARKS, "CASO-11")
    with Console(service.url, ShotChecker(shots)) as browser:
        browse(browser, program, work)


def expect_changes(service, lines):
    """kestrin-service diff of the two Wine inventories prints exactly `lines`."""
    done = subprocess.run([service.exe, "diff", "--db", service.db, "1", "2"],
                          stdout=subprocess.PIPE, check=True)
    printed = done.stdout.decode("utf-8").splitlines()
    if sorted(printed) != sorted(lines):
        fail("kestrin-service diff 1 2 printed %s, not %s" % (printed, lines))


def browse(browser, program, work):
    # Refused without signing in: the list sends the browser to the sign-in page.
    browser.open("/consola/inventarios")
    browser.expect_path("/consola/entrar")
    browser.shot("console-entrar")
    browser.sign_in(ADMIN, "mala-clave-123")
    browser.expect_text("problema", "Usuario o clave incorrectos")
    browser.sign_in(ADMIN, ADMIN_KEY)
    browser.expect_path("/consola/inventarios")
    rows = browser.list_rows()
    if [r[0] for r in rows] != ["4", "3", "2", "1"]:
        fail("the list is not the four inventories, newest first: %s" % [r[0] for r in rows])
    browser.shot("console-lista")

    # The two inventories of the Wine prefix are one machine; its page shows what changed.
    browser.open("/consola/inventarios/2")
    browser.click("maquina")
    timeline = browser.table_rows("linea")
    if [r[0] for r in timeline] != ["2", "1"]:
        fail("the machine's timeline is %s, not inventories 2 and 1" % timeline)
    if "+1 programa" not in timeline[0][5] or "servicio" not in timeline[0][5]:
        fail("the timeline's summary is %r" % timeline[0][5])
    browser.shot("console-maquina")
    browser.open("/consola/comparar?b=2")
    shown = browser.body_text()
    if PROGRAM not in shown or SERVICE not in shown:
        fail("the comparison does not show the program and the service")
    browser.shot("console-comparar")

    # Search by an installed program and by the telephone; sort by memory.
    browser.search(programa="Office", telefono="111")
    rows = browser.list_rows()
    if [r[0] for r in rows] != ["3"]:
        fail("searching program and telephone found %s" % [r[0] for r in rows])
    browser.shot("console-busqueda")
    browser.open("/consola/inventarios?orden=memoria&dir=asc")
    browser.list_rows()

    # The hostile inventory shows its texts as text and runs nothing.
    browser.open("/consola/inventarios/4")
    browser.expect_text("c-nombre", HOSTILE_NAME)
    browser.expect_text("c-observaciones", HOSTILE_REMARKS)
    if browser.script("return typeof window.pwned") != "undefined":
        fail("a script of the inventory ran")
    if HOSTILE_COMPUTER not in browser.body_text():
        fail("the computer's name is not shown as text")
    browser.shot("console-hostil")

    # Wine's inventory: the health line of every section, then its pages.
    browser.open("/consola/inventarios/1")
    health = browser.table_rows("salud")
    if len(health) != 17 or not all(len(r) == 4 for r in health):
        fail("the health table has %d rows" % len(health))
    if not any(r[1] == "recogida" and r[2].endswith(" ms") for r in health):
        fail("no section shows as collected with its time: %s" % health)
    browser.shot("console-inventario", full=True)

    # Downloads: the package reopens in the program, which delivers it again unchanged.
    package = browser.download("/consola/inventarios/3/paquete", os.path.join(work, "tres.fzp"))
    program(package, "/auto")                                        # inventory 5
    xml = browser.fetch("/consola/inventarios/5/xml")
    if xml != browser.fetch("/consola/inventarios/3/xml"):
        fail("the package downloaded and sent again differs from the one stored")
    report = browser.fetch("/consola/inventarios/3/informe")
    if b"[Machine]\r\n" not in report:
        fail("the text report is not the program's")

    # A request file made in the console, obeyed by rbInfo.exe; its inventory is found by its
    # destination.
    request = browser.make_request_file(["pgCPU", "pgMem"], "Sucursal 9", "CASO-77", True,
                                        os.path.join(work, "solicitud.rpg"))
    browser.shot("console-solicitud")
    program(request)                                                 # inventory 6
    browser.search(destino="CASO-77")
    rows = browser.list_rows()
    if [r[0] for r in rows] != ["6"] or rows[0][2] != "Sucursal 9":
        fail("the request's inventory is not found by its destination: %s" % rows)
    browser.shot("console-destino")
    browser.open("/consola/inventarios/6")
    states = {r[0]: r[1] for r in browser.table_rows("salud")}
    if states.get("CPU") != "recogida" or states.get("Discos") != "no seleccionada":
        fail("the request's sections are not what was asked: %s" % states)

    # A form whose token is not the session's is refused.
    browser.open("/consola/solicitud")
    browser.script("document.querySelector('#solicitud input[name=csrf]').value = 'ajeno'")
    browser.click("crear")
    browser.expect_text("error", "El formulario ha caducado")
    browser.shot("console-csrf")

    browser.open("/consola/cuentas")
    browser.shot("console-cuentas")
    browser.open("/consola/registro")
    log = browser.body_text()
    for line in ("entrada fallida", "descarga", "solicitud"):
        if line not in log:
            fail("the audit log lacks '%s'" % line)
    browser.shot("console-registro")

    # Signing out ends the session; a reader may read but not download.
    browser.click("salir")
    browser.open("/consola/inventarios")
    browser.expect_path("/consola/entrar")
    browser.sign_in(READER, READER_KEY)
    browser.open("/consola/inventarios/3/paquete")
    browser.expect_text("error", "no tiene permiso")
    browser.shot("console-sin-permiso")


if __name__ == "__main__":
    sys.exit(main(sys.argv))
