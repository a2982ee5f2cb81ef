#!/usr/bin/python3
"""The sample server's snapshot page in a real browser (headless Chromium
through WebDriver): the page's two functions do what the viewer's buttons
expect, and its clicks and downloads navigate to URLs that the viewer's own
snapshot-URL reading (the snapshot_url_report program) turns into the right
reports and addresses.

Environment: VR_TEST_FIXTURE (the sample server fixture's folder) and
VR_SNAPSHOT_URL_REPORT (the program)."""
import os
import subprocess
import tempfile
import unittest
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

FIXTURE = os.environ["VR_TEST_FIXTURE"]
REPORT = os.environ["VR_SNAPSHOT_URL_REPORT"]
with open(os.path.join(FIXTURE, "address")) as address_file:
    SERVER = address_file.read().strip()

# Flags that keep Chromium from reaching out to the network this machine lacks.
CHROMIUM_FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                  "--no-first-run", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync", "--window-size=800,600"]


def source_objects(task):
    """(objectId, tubeId, firstFrame, lastFrame) of every object of the task's
    source video, read from the sample video's scene description."""
    path = os.path.join(FIXTURE, "data", "AstRP_1v2", "video", str(task), "cam01.mp4")
    objects = []
    with open(path) as video:
        for line in video:
            words = line.split()
            if words and words[0] == "object":
                objects.append(tuple(int(w) for w in words[1:5]))
    return objects


def viewer_reads(urls):
    """What the viewer makes of each URL, one line each."""
    lines = subprocess.run([REPORT, "--server", SERVER] + urls, check=True,
                           capture_output=True, text=True, timeout=30).stdout
    return lines.splitlines()


class SnapshotPageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.profile = tempfile.TemporaryDirectory()
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in CHROMIUM_FLAGS + ["--user-data-dir=" + cls.profile.name]:
            options.add_argument(flag)
        cls.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        cls.driver.set_page_load_timeout(30)
        cls.driver.set_script_timeout(30)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.profile.cleanup()

    def open(self, task, kind):
        self.driver.get(f"http://{SERVER}/snapshot1pagedb.php?id={task}&class={kind}")
        # Every picture decoded: the rows' heights depend on them.
        WebDriverWait(self.driver, 20).until(lambda d: d.execute_script(
            "return [...document.images].every(i => i.complete && i.naturalWidth > 0)"))
        return self.driver.find_elements(By.CSS_SELECTOR, "#pics .pic")

    def requests(self):
        return self.driver.execute_script(
            "return [...document.querySelectorAll('iframe.viewer-request')]"
            ".map(f => f.getAttribute('src'))")

    def test_pictures_per_row_follow_set_pics_per_row(self):
        pictures = self.open(12, "obj")
        self.assertEqual(len(source_objects(12)), len(pictures))
        for per_row in (1, 2, 3, 4, 2):
            self.driver.execute_script("setPicsPerRow(arguments[0])", per_row)
            tops = [p.rect["y"] for p in pictures]
            self.assertEqual(per_row, tops.count(tops[0]), f"{per_row} per row: {tops}")
            self.assertGreater(tops[per_row], tops[0])
        # Out of range: the layout stays.
        self.driver.execute_script("setPicsPerRow(9)")
        tops = [p.rect["y"] for p in pictures]
        self.assertEqual(2, tops.count(tops[0]))

    def test_clicks_report_the_object_and_right_clicks_say_so(self):
        objects = source_objects(12)
        pictures = self.open(12, "obj")
        pictures[1].click()
        ActionChains(self.driver).context_click(pictures[4]).perform()
        urls = self.requests()
        self.assertEqual(2, len(urls))
        self.assertTrue(urls[1].endswith(":rightclick"))
        for line, index, kind in zip(viewer_reads(urls), (1, 4), (2, 4)):
            object_id, tube, first, last = objects[index]
            end = first + max(last - first + 1, 75)
            # start, end, seconds, object-file component, tube, kind, frame offset 0
            self.assertEqual(f"snapshot {first} {end} {first // 25} {int(end / 25 + 0.5)} "
                             f"{0x10000 + object_id} {tube} {kind} 0", line)

    def test_tube_page_reports_tube_components(self):
        objects = source_objects(31)
        pictures = self.open(31, "tube")
        tubes = sorted({o[1] for o in objects})
        self.assertEqual(len(tubes), len(pictures))
        pictures[0].click()
        (line,) = viewer_reads(self.requests())
        members = [o for o in objects if o[1] == tubes[0]]
        first = min(o[2] for o in members)
        count = max(o[3] for o in members) - first + 1
        words = line.split()
        self.assertEqual(["snapshot", str(first), str(first + max(count, 75))], words[:3])
        self.assertEqual([str(members[0][0]), str(tubes[0]), "2"], words[5:8])

    def test_download_pics_asks_for_every_picture_and_each_address_serves_it(self):
        pictures = self.open(12, "obj")
        self.driver.execute_script("downloadPics()")
        urls = self.requests()
        self.assertEqual(len(pictures), len(urls))
        shown = self.driver.execute_script(
            "return [...document.images].map(i => i.getAttribute('src'))")
        for line, src in zip(viewer_reads(urls), shown):
            self.assertEqual(f"download http://{SERVER}{src}", line)
            with urllib.request.urlopen(line.split()[1], timeout=10) as reply:
                self.assertEqual("image/jpeg", reply.headers["Content-Type"])
                self.assertEqual(b"\xff\xd8", reply.read(2))

    def test_unknown_task_says_so(self):
        self.driver.get(f"http://{SERVER}/snapshot1pagedb.php?id=99&class=obj")
        self.assertIn("no task 99", self.driver.find_element(By.TAG_NAME, "body").text)


if __name__ == "__main__":
    unittest.main()
