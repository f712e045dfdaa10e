#!/usr/bin/env python3
"""Generated galleries in a real browser: headless Chromium, driven by
chromedriver through Selenium, over `python3 -m http.server` on 127.0.0.1
and once over file://, as the preview opens them.

    gallery_browser_test.py <gallery_fixture program>
    gallery_browser_test.py --gallery <output folder of a generated gallery>

The fixture program makes the galleries (one per character set) and says
what they must show. Checked: the framesets' frames and first pages; that
every link, frame, image and background of every page resolves and every
image has a size; the film strip, photo and arrow clicks and the EXIF
window; the title, comments and alt texts read back in every character set;
and that a comment holding markup and script stays text.

With --gallery only a gallery made elsewhere is checked, over HTTP: every
page reachable from its two framesets is loaded and everything each refers
to must resolve, every image with a size. Each page loaded is printed as
"page: <path below the folder>".

With QUILLMARSH_GALLERY_SHOT=<file.png> a picture of the 1024x768 frameset
is saved there.
"""

import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# Without the background-networking flags Chromium's own connections are
# refused by a closed network and slow every start.
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync",
                  "--window-size=1280,1024"]
SIZES = {"800x600": 7, "1024x768": 9}
WAIT = 10

FIXTURE = None  # the fixture program, from the command line
SITE = None  # with --gallery, the gallery folder to check


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Server:
    """python3 -m http.server over a folder, on a free port of 127.0.0.1."""

    def __init__(self, folder):
        self.port = free_port()
        self.process = subprocess.Popen(
            [sys.executable, "-m", "http.server", "--bind", "127.0.0.1", "--directory", folder,
             str(self.port)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + WAIT
        while True:
            try:
                with socket.create_connection(("127.0.0.1", self.port), timeout=1):
                    return
            except OSError:
                if time.monotonic() > deadline or self.process.poll() is not None:
                    raise RuntimeError("http.server did not start")
                time.sleep(0.05)

    def url(self, path):
        return "http://127.0.0.1:%d/%s" % (self.port, urllib.parse.quote(path))

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=WAIT)


def resolves(url):
    """True when the address names an existing file (file://) or answers 200."""
    parts = urllib.parse.urlsplit(url)
    if parts.scheme == "file":
        return os.path.isfile(urllib.parse.unquote(parts.path))
    try:
        with urllib.request.urlopen(url, timeout=WAIT) as answer:
            return answer.status == 200
    except OSError:
        return False


class BrowserCase(unittest.TestCase):
    """Headless Chromium and an HTTP server over a folder, for a test class."""

    # Starts the server over site and the browser, its profile in the
    # class's work folder.
    @classmethod
    def start_browser(cls, site):
        cls.server = Server(site)
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in CHROMIUM_FLAGS:
            options.add_argument(flag)
        options.add_argument("--user-data-dir=" + os.path.join(cls.work, "profile"))
        cls.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        cls.driver.set_page_load_timeout(30)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.stop()
        shutil.rmtree(cls.work, ignore_errors=True)

    # --- helpers -------------------------------------------------------------

    def frame_url(self, name):
        self.driver.switch_to.default_content()
        self.driver.switch_to.frame(name)
        return self.driver.execute_script("return location.href")

    def wait_frame(self, name, ending):
        WebDriverWait(self.driver, WAIT).until(lambda _: self.frame_url(name).endswith(ending))

    def in_frame(self, name):
        self.driver.switch_to.default_content()
        self.driver.switch_to.frame(name)

    def links_of_page(self):
        """Every address the page refers to, and its images' sizes."""
        return self.driver.execute_script("""
            const refs = [];
            for (const a of document.querySelectorAll('a[href]')) refs.push(a.href);
            for (const f of document.querySelectorAll('frame[src]')) refs.push(f.src);
            for (const e of document.querySelectorAll('[background]'))
              refs.push(new URL(e.getAttribute('background'), document.baseURI).href);
            const images = [...document.images].map(i => [i.src, i.complete, i.naturalWidth, i.naturalHeight,
                                                           i.width, i.height]);
            for (const i of images) refs.push(i[0]);
            return [refs, images];""")

    def crawl(self, start_urls):
        """Loads every page of the gallery reachable from the start pages and
        checks what each refers to; the footer's link to the home page leaves
        the gallery and is not followed."""
        base = start_urls[0].rsplit("/", 2)[0] + "/"
        seen, todo, checked = set(), list(start_urls), set()
        while todo:
            url = todo.pop()
            if url in seen:
                continue
            seen.add(url)
            self.driver.get(url)
            refs, images = self.links_of_page()
            for ref in refs:
                if not ref.startswith(base):
                    continue
                if ref not in checked:
                    self.assertTrue(resolves(ref), "%s refers to missing %s" % (url, ref))
                    checked.add(ref)
                if ref.endswith(".htm") and ref not in seen:
                    todo.append(ref)
            for src, complete, width, height, shown_width, shown_height in images:
                self.assertTrue(complete and width > 0, "%s: image %s has no size" % (url, src))
                if "/th/th_" in src:
                    self.assertEqual((width, height), (100, 75), src)
                if "/foto/" in src:
                    # Shown with its own shape, never beyond its size.
                    self.assertLessEqual(shown_width, width, src)
                    self.assertLessEqual(shown_height, height, src)
                    self.assertLessEqual(abs(shown_width * height / width - shown_height), 1, src)
        return seen


class GeneratedGallery(BrowserCase):
    """A gallery made elsewhere (--gallery): every page resolves."""

    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="quillmarsh-gallery-browser-")
        cls.start_browser(SITE)

    def test_every_link_frame_and_image_resolves(self):
        pages = self.crawl([self.server.url(size + "/index.htm") for size in SIZES])
        base = self.server.url("")
        for page in sorted(pages):
            print("page: " + urllib.parse.unquote(page[len(base):]), flush=True)


class GalleryInBrowser(BrowserCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="quillmarsh-gallery-browser-")
        cls.site = os.path.join(cls.work, "site")
        made = subprocess.run([FIXTURE, cls.site], check=True, capture_output=True, text=True)
        cls.fixture = json.loads(made.stdout)
        cls.photos = cls.fixture["photos"]
        cls.start_browser(cls.site)

    def gallery(self, charset):
        return next(g for g in self.fixture["galleries"] if g["charset"] == charset)

    def http(self, gallery, path):
        return self.server.url(os.path.relpath(os.path.join(gallery["folder"], path), self.site))

    @staticmethod
    def file_url(gallery, path):
        return "file://" + urllib.parse.quote(os.path.join(gallery["folder"], path))

    def check_navigation(self, url_of, gallery):
        driver = self.driver
        for folder, capacity in SIZES.items():
            driver.get(url_of(gallery, folder + "/index.htm"))
            self.assertEqual(driver.title, gallery["title"])
            frames = {f.get_attribute("name") for f in driver.find_elements(By.TAG_NAME, "frame")}
            self.assertEqual(frames, {"topframe", "main"})
            text = driver.execute_script("return document.documentElement.textContent")
            self.assertNotIn("Frame support required!", text)
            self.assertTrue(self.frame_url("topframe").endswith(folder + "/page0001.htm"))
            self.assertTrue(self.frame_url("main").endswith(
                folder + "/" + urllib.parse.quote(self.photos[0]["page"])))

            # A thumbnail loads its photo page into "main"; the photo loads
            # into "topframe" the strip page that holds it.
            index = capacity  # the photo after the first page's
            strip = "page%04d.htm" % (index // capacity + 1)
            self.assertEqual(strip, "page0002.htm")
            self.in_frame("topframe")
            driver.find_elements(By.CSS_SELECTOR, "a[target=main]")[1].click()
            self.wait_frame("main", urllib.parse.quote(self.photos[1]["page"]))
            self.in_frame("topframe")
            driver.find_element(By.CSS_SELECTOR, "img[src$='right.gif']").click()
            self.wait_frame("topframe", strip)
            self.in_frame("topframe")
            driver.find_elements(By.CSS_SELECTOR, "a[target=main]")[0].click()
            self.wait_frame("main", urllib.parse.quote(self.photos[index]["page"]))
            self.in_frame("topframe")
            driver.find_element(By.CSS_SELECTOR, "img[src$='left.gif']").click()
            self.wait_frame("topframe", "page0001.htm")
            self.in_frame("main")
            driver.find_element(By.CSS_SELECTOR, "a[target=topframe] img").click()
            self.wait_frame("topframe", strip)

            # The arrows step through every photo, with none at the ends.
            driver.get(url_of(gallery, folder + "/" + self.photos[0]["page"]))
            visited = []
            while True:
                visited.append(urllib.parse.unquote(driver.current_url).rsplit("/", 1)[1])
                forward = driver.find_elements(By.CSS_SELECTOR, "a img[src$='right2.gif']")
                if not forward:
                    break
                before = driver.current_url
                forward[0].click()
                WebDriverWait(driver, WAIT).until(lambda d: d.current_url != before)
            self.assertEqual(visited, [p["page"] for p in self.photos])
            self.assertFalse(driver.find_elements(By.CSS_SELECTOR, "img[src$='right2.gif']"))
            for _ in self.photos[1:]:
                before = driver.current_url
                driver.find_element(By.CSS_SELECTOR, "a img[src$='left2.gif']").click()
                WebDriverWait(driver, WAIT).until(lambda d: d.current_url != before)
            self.assertTrue(driver.current_url.endswith(urllib.parse.quote(self.photos[0]["page"])))
            self.assertFalse(driver.find_elements(By.CSS_SELECTOR, "img[src$='left2.gif']"))

            # "EXIF Detail" opens a window named "exifinfo".
            main_window = driver.current_window_handle
            driver.find_element(By.LINK_TEXT, "EXIF Detail").click()
            WebDriverWait(driver, WAIT).until(lambda d: len(d.window_handles) == 2)
            driver.switch_to.window([h for h in driver.window_handles if h != main_window][0])
            WebDriverWait(driver, WAIT).until(lambda d: d.execute_script("return document.readyState") == "complete")
            self.assertEqual(driver.execute_script("return window.name"), "exifinfo")
            self.assertTrue(driver.current_url.endswith("exif/" + urllib.parse.quote(self.photos[0]["exif"])))
            driver.close()
            driver.switch_to.window(main_window)

    def check_texts(self, url_of, gallery):
        """Title, comments and alt texts read back as written, and markup stays text."""
        driver = self.driver
        for number, photo in enumerate(self.photos):
            driver.get(url_of(gallery, "800x600/" + photo["page"]))
            self.assertEqual(driver.title, gallery["title"])
            cells = driver.find_elements(By.CSS_SELECTOR, "table[border='1'] td")
            shown = cells[0].get_attribute("innerText").strip() if cells else ""
            self.assertEqual(shown, photo["comment"].replace("\r\n", "\n"), photo["name"])
            self.assertIsNone(driver.execute_script(
                "return document.getElementById('injected') || window.injected || document.querySelector('script')"))
            label = "soubor: " if gallery["czech"] else "filename: "
            self.assertIn(label + photo["name"].lower(), driver.find_element(By.TAG_NAME, "body").text)
            strip = "800x600/page%04d.htm" % (number // SIZES["800x600"] + 1)
            driver.get(url_of(gallery, strip))
            thumbnail = driver.find_element(
                By.CSS_SELECTOR, "img[src$='%s']" % urllib.parse.quote(photo["thumbnail"]))
            alt = thumbnail.get_attribute("alt") or ""
            self.assertEqual(alt, photo["comment"].replace("\r\n", "\n"), photo["name"])
            self.assertIsNone(driver.execute_script(
                "return document.getElementById('injected') || window.injected || document.querySelector('script')"))

    # --- tests -----------------------------------------------------------------

    def test_over_http_every_page_resolves_and_navigates(self):
        gallery = self.gallery("windows-1250")
        pages = self.crawl([self.http(gallery, size + "/index.htm") for size in SIZES])
        # Two framesets, four strip pages, two photo pages and an EXIF page each.
        self.assertEqual(len(pages), 2 + 4 + 3 * len(self.photos))
        self.check_navigation(self.http, gallery)
        shot = os.environ.get("QUILLMARSH_GALLERY_SHOT")
        if shot:
            self.driver.get(self.http(gallery, "1024x768/index.htm"))
            self.driver.save_screenshot(shot)

    def test_over_file_url_as_the_preview_opens_it(self):
        gallery = self.gallery("ISO-8859-2")
        self.crawl([self.file_url(gallery, size + "/index.htm") for size in SIZES])
        self.check_navigation(self.file_url, gallery)

    def test_texts_read_back_in_every_character_set(self):
        letters = {"ISO-8859-1": [b"&#352;&#357;", b"&#367;"], "ISO-8859-2": [b"\xa9\xbb"], "windows-1250": [b"\x8a\x9d"]}
        for gallery in self.fixture["galleries"]:
            with self.subTest(charset=gallery["charset"]):
                with open(os.path.join(gallery["folder"], "800x600", self.photos[0]["page"]), "rb") as page:
                    raw = page.read()
                self.assertIn(("charset=" + gallery["charset"]).encode(), raw)
                for letters_as_written in letters[gallery["charset"]]:
                    self.assertIn(letters_as_written, raw)
                self.check_texts(self.http, gallery)


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--gallery":
        SITE = os.path.abspath(sys.argv[2])
        del sys.argv[1:]
        unittest.main(defaultTest="GeneratedGallery", verbosity=2)
    elif len(sys.argv) == 2 and not sys.argv[1].startswith("-"):
        FIXTURE = sys.argv.pop(1)
        unittest.main(defaultTest="GalleryInBrowser", verbosity=2)
    else:
        sys.exit(__doc__)
