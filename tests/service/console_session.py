"""What the console's browser tests share: the service started on a free port, the browser
signed in to it, and checks of the screenshots taken."""
import http.cookiejar
import os
import re
import struct
import subprocess
import sys
import time
import urllib.error
import urllib.request
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service as DriverService
from selenium.common.exceptions import StaleElementReferenceException, WebDriverException
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait


def gone(element):
    """Whether the page that held `element` has gone. Asked while the old document is being
    replaced, the browser may say so in either of two ways."""
    try:
        element.is_enabled()
        return False
    except StaleElementReferenceException:
        return True
    except WebDriverException as e:
        if "does not belong to the document" in str(e):
            return True
        raise


def fail(message):
    print("FAILED: " + message)
    sys.exit(1)


def skip(message):
    print(message + ": skipped")
    sys.exit(77)


class Service:
    """kestrin-service on a free loopback port, with a store of its own."""

    def __init__(self, exe, db, work):
        self.exe, self.db, self.work = exe, db, work
        self.process = None
        self.url = ""

    def add_account(self, name, role, password):
        subprocess.run([self.exe, "usuario", "alta", name, "--rol", role, "--db", self.db],
                       input=(password + "\n").encode(), check=True, stdout=subprocess.DEVNULL)

    def __enter__(self):
        log = open(os.path.join(self.work, "servicio.log"), "wb")
        self.process = subprocess.Popen([self.exe, "serve", "--port", "0", "--db", self.db],
                                        stdout=log, stderr=subprocess.STDOUT)
        for _ in range(200):
            text = open(log.name, "rb").read().decode("utf-8", "replace")
            found = re.search(r"consola en (http://[^ ]+)/consola/", text)
            if found:
                self.url = found.group(1)
                return self
            if self.process.poll() is not None:
                fail("kestrin-service did not start: " + text)
            time.sleep(0.1)
        fail("kestrin-service did not start in 20 s")

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait(timeout=30)


def png_pixels(path):
    """Width, height and RGB rows of an 8-bit RGB or RGBA PNG (what Chromium writes)."""
    data = open(path, "rb").read()
    pos, idat, width, height, channels = 8, b"", 0, 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunk = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", chunk[:10])
            if depth != 8 or colour not in (2, 6):
                return width, height, None
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += chunk
        pos += 12 + length
    raw, stride, rows, prev = zlib.decompress(idat), width * channels, [], bytearray(width * channels)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = prev[i], prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        prev = line
    return width, height, [[tuple(r[x * channels:x * channels + 3]) for x in range(0, width, 4)]
                           for r in rows[::4]]


class ShotChecker:
    """Saves screenshots and checks what a person would see: a page, not a black, white or
    blank picture."""

    def __init__(self, folder):
        self.folder = folder
        os.makedirs(folder, exist_ok=True)

    def check(self, name):
        path = os.path.join(self.folder, name + ".png")
        width, height, rows = png_pixels(path)
        if rows is None:
            return path
        pixels = [p for row in rows for p in row]
        dark = sum(1 for p in pixels if max(p) < 40) / len(pixels)
        colours = len(set(pixels))
        if dark > 0.25 or colours < 8:
            fail("%s: %.0f %% black, %d colours" % (name, dark * 100, colours))
        return path


class Console:
    """Headless Chromium signed in (or not) to the console at `root`."""

    def __init__(self, root, shots):
        self.root, self.shots = root, shots
        self.downloads = None

    def __enter__(self):
        options = webdriver.ChromeOptions()
        for a in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                  "--window-size=1280,1000", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync", "--no-first-run",
                  "--lang=es-ES"):
            options.add_argument(a)
        options.binary_location = "/usr/bin/chromium"
        self.driver = webdriver.Chrome(service=DriverService("/usr/bin/chromedriver"),
                                       options=options)
        self.driver.set_page_load_timeout(60)
        return self

    def __exit__(self, *exc):
        self.driver.quit()

    def open(self, path):
        self.driver.get(self.root + path)

    def expect_path(self, path):
        current = urllib.parse.urlparse(self.driver.current_url).path
        if current != path:
            fail("the browser is at %s, not %s" % (self.driver.current_url, path))

    def element(self, ident):
        found = self.driver.find_elements(By.ID, ident)
        if not found:
            fail("no element '%s' on %s" % (ident, self.driver.current_url))
        return found[0]

    def expect_text(self, ident, text):
        shown = self.element(ident).text
        if text not in shown:
            fail("'%s' shows %r, not %r" % (ident, shown, text))

    def click(self, ident):
        """Clicks and waits for the page it leads to."""
        old = self.driver.find_element(By.TAG_NAME, "html")
        self.element(ident).click()
        WebDriverWait(self.driver, 60).until(lambda driver: gone(old))

    def script(self, code):
        return self.driver.execute_script(code)

    def body_text(self):
        return self.driver.find_element(By.TAG_NAME, "body").text

    def sign_in(self, name, password):
        if urllib.parse.urlparse(self.driver.current_url).path != "/consola/entrar":
            self.open("/consola/entrar")
        self.element("usuario").send_keys(name)
        self.element("clave").send_keys(password)
        self.click("entrar")

    def search(self, **fields):
        self.open("/consola/inventarios")
        for name, value in fields.items():
            box = self.driver.find_element(By.NAME, name)
            box.clear()
            box.send_keys(value)
        self.click("buscar")

    def table_rows(self, ident):
        table = self.element(ident)
        return [[cell.text for cell in row.find_elements(By.TAG_NAME, "td")]
                for row in table.find_elements(By.CSS_SELECTOR, "tbody tr")]

    def list_rows(self):
        return self.table_rows("lista")

    def shot(self, name, full=False):
        if full:
            height = self.script("return document.documentElement.scrollHeight")
            self.driver.set_window_size(1280, min(max(1000, height), 12000))
        self.driver.save_screenshot(os.path.join(self.shots.folder, name + ".png"))
        if full:
            self.driver.set_window_size(1280, 1000)
        self.shots.check(name)

    def _opener(self):
        jar = http.cookiejar.CookieJar()
        opener = urllib.request.build_opener(urllib.request.HTTPCookieProcessor(jar))
        cookies = "; ".join("%s=%s" % (c["name"], c["value"]) for c in self.driver.get_cookies())
        opener.addheaders = [("Cookie", cookies)]
        return opener

    def fetch(self, path, data=None):
        """A download with the browser's own session (Selenium shows no downloads)."""
        try:
            with self._opener().open(self.root + path, data=data, timeout=60) as reply:
                return reply.read()
        except urllib.error.HTTPError as e:
            fail("%s answered %d" % (path, e.code))

    def download(self, path, file):
        with open(file, "wb") as f:
            f.write(self.fetch(path))
        return file

    def make_request_file(self, sections, name, destination, automatic, file):
        """Fills the request form in the browser; the file it gives is posted again with the
        same session and form token, and saved."""
        self.open("/consola/solicitud")
        for box in self.driver.find_elements(By.CSS_SELECTOR, "input[type=checkbox]"):
            wanted = box.get_attribute("name") in ["s_" + s for s in sections] + (
                ["auto"] if automatic else [])
            if box.is_selected() != wanted:
                box.click()
        self.element("s-nombre").send_keys(name)
        self.element("s-destino").send_keys(destination)
        form = self.element("solicitud")
        fields = [(e.get_attribute("name"), e.get_attribute("value"))
                  for e in form.find_elements(By.TAG_NAME, "input")
                  if e.get_attribute("type") != "checkbox" or e.is_selected()]
        body = urllib.parse.urlencode(fields).encode()
        with open(file, "wb") as f:
            f.write(self.fetch("/consola/solicitud", body))
        return file
