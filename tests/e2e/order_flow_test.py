#!/usr/bin/env python3
"""Drives the real program through a whole order with the keyboard, as a
user would, on a private X display, and checks the files the user keeps.

The program runs with its home and settings folders in a temporary folder,
on a demo catalogue made there, and reaches "the internet" only through a
loopback proxy that serves the euro rate and the update file. It runs under
the users' locale, ru_RU.UTF-8, and fails when that is not active. A second
start, with the rates page failing, takes a rate typed with a decimal comma.

    order_flow_test.py --pelmora build/pelmora --make-catalogue build/make_demo_catalogue

Exit status 0 when everything holds, 1 on a failure (with the step and what
was on the screen), 77 when Xvfb or xdotool is missing.
"""

import argparse
import datetime
import errno
import locale
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # the helpers below are imported from the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import expected_files as expected  # noqa: E402
from loopback_web import LoopbackWeb  # noqa: E402
from x_session import StepFailed, XSession, remaining, stop_group  # noqa: E402

SKIP = 77
TOTAL_SECONDS = 100  # every step together; ctest's own limit is above it
LOCALE = "ru_RU.UTF-8"  # the user's regional settings: decimal comma, dd.MM.yyyy
DECIMAL = ","
PAGE_RATE = "91,2345"
TYPED_RATE = "87,5"  # typed into the rate prompt when the rates page cannot be reached
NAME_FILTER = "bella"  # Latin, so typed reliably; the demo catalogue spells it "Bella"

MAIN = 'Создание заказа "Пелмора"'
CUSTOMER = "Пользовательские данные"
QUANTITY = "Добавление товара"
PASTE = "Вставка списка товаров"
DELETE = "Удаление"
UPDATES = "Информация"
PREVIEW = "Заказ"
NOTHING_ORDERED = "Заказ"  # the caption of "Вы ничего не заказали!"
RATE_PROMPT = "Курс евро"
ERROR = "Ошибка"  # the caption of "Указан некорректный курс евро"
APP_TITLE = "pelmora"  # the caption of the general error message
SAVE_DIALOG = ("Сохранить как", "Save As")
OPEN_DIALOG = ("Открыть", "Open")

CUSTOMER_DETAILS = expected.Customer(
    company_type=1,  # "ИП": one step down the legal-form list
    company="Romashka & Co <Test>",
    tin="7701234567",
    phones="+7 495 123-45-67",
    contact_person='Ivan "Vanya" Petrov',
    email="ivan@example.com",
)


class Run:
    """One run of the scenario: its folders, processes and clock."""

    def __init__(self, args):
        self.args = args
        self.start = time.monotonic()
        self.deadline = self.start + TOTAL_SECONDS
        self.work = tempfile.mkdtemp(prefix="pelmora-e2e-")
        self.home = os.path.join(self.work, "home")
        self.config = os.path.join(self.work, "config")
        self.data = os.path.join(self.work, "data")
        self.out = os.path.join(self.work, "out")
        self.app_log = os.path.join(self.work, "pelmora.log")
        self.x = XSession(self.work, TOTAL_SECONDS + 20)
        self.web = None
        self.port = None
        self.app = None
        self.main = None  # the main window's id
        self.started_at = None
        self.completed_at = None
        self.step_name = "preparing"

    def step(self, name: str):
        self.step_name = name
        print("[%5.1f s] %s" % (time.monotonic() - self.start, name), flush=True)

    def within(self, seconds: float) -> float:
        """A step's own limit, cut to what is left of the whole run."""
        left = remaining(self.deadline)
        if left <= 0:
            raise StepFailed("the run took longer than %d s" % TOTAL_SECONDS)
        return min(seconds, left)

    # --- processes ---------------------------------------------------------

    def environment(self) -> dict:
        """The user's environment: a home of its own, the regional settings,
        nothing inherited that could point the program elsewhere."""
        runtime = os.path.join(self.work, "runtime")
        for folder in (self.home, self.config, self.data, self.out):
            os.makedirs(folder, exist_ok=True)
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": self.home,
            "XDG_CONFIG_HOME": self.config,
            "XDG_DATA_HOME": self.data,
            "XDG_CACHE_HOME": os.path.join(self.work, "cache"),
            "XDG_RUNTIME_DIR": runtime,
            "LANG": LOCALE,
        }
        # The sanitizer build's settings reach the program it checks.
        for passed in ("LD_LIBRARY_PATH", "QTWEBENGINE_CHROMIUM_FLAGS", "ASAN_OPTIONS",
                       "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            if passed in os.environ:
                env[passed] = os.environ[passed]
        return env

    def program_environment(self) -> dict:
        return dict(self.environment(), DISPLAY=self.x.display, QT_QPA_PLATFORM="xcb",
                    http_proxy="http://127.0.0.1:%d" % self.port, no_proxy="")

    def start_program(self, *arguments: str):
        with open(self.app_log, "wb") as log:
            self.app = subprocess.Popen(
                ["timeout", "-k", "5", str(TOTAL_SECONDS + 10), self.args.pelmora, *arguments],
                env=self.program_environment(), cwd=self.work, stdin=subprocess.DEVNULL,
                stdout=log, stderr=subprocess.STDOUT, start_new_session=True)

    def cleanup(self, keep: bool):
        stop_group(self.app)
        self.x.stop()
        if self.web:
            self.web.stop()
        if keep:
            print("files kept in", self.work)
        else:
            shutil.rmtree(self.work, ignore_errors=True)

    def diagnose(self, keep: bool):
        print("FAILED at step: %s" % self.step_name)
        if self.x.display:
            print("mapped windows:", self.x.describe())
            shot = os.path.join(self.work, "failure.png")
            if keep and self.x.screenshot(shot):
                print("screenshot:", shot)
        if self.web:
            print("proxy requests:", [r.url for r in self.web.seen()])
        if self.app and self.app.poll() is not None:
            print("the program has ended with status", self.app.returncode)
        if os.path.exists(self.app_log):
            with open(self.app_log, "rb") as log:
                tail = log.read()[-3000:].decode("utf-8", errors="replace")
            print("program output (end):\n" + tail)

    # --- user actions ------------------------------------------------------

    def dialog(self, titles, seconds: float = 20) -> str:
        """Waits for a window and makes sure the keyboard reaches it."""
        wid = self.x.wait_window(titles, self.within(seconds))
        self.x.wait_focus(wid, self.within(3))
        return wid

    def close_with(self, wid: str, *keys: str):
        self.x.key(*keys)
        self.x.wait_gone(wid, self.within(15))

    def to_main(self):
        self.x.focus(self.main, self.within(10))

    def enter_quantity(self, quantity: int):
        wid = self.dialog(QUANTITY)
        self.x.type(str(quantity))  # replaces the offered number, which is selected
        self.close_with(wid, "Return")
        self.to_main()

    def choose_file(self, titles, path: str):
        """Types a full path into one of Qt's file dialogs and accepts it. A
        completion list that pops up over the name box takes the first
        Return for itself, so Return is pressed until the dialog closes."""
        wid = self.dialog(titles)
        self.x.type(path)
        settle = time.monotonic() + 1.0
        while not self.x.popups() and time.monotonic() < settle:
            time.sleep(0.1)
        for _ in range(4):
            self.x.key("Return")
            end = time.monotonic() + self.within(6)
            while wid in self.x.windows() and time.monotonic() < end:
                time.sleep(0.1)
            if wid not in self.x.windows():
                return
            if self.x.focused() != wid and not self.x.popups():
                break
        raise StepFailed("the file dialog did not take %s; windows: %s"
                         % (path, self.x.describe()))

    def wait_file(self, path: str, size: int = None, seconds: float = 10):
        end = time.monotonic() + self.within(seconds)
        while True:
            if os.path.exists(path) and (size is None or os.path.getsize(path) == size):
                return
            if time.monotonic() >= end:
                actual = os.path.getsize(path) if os.path.exists(path) else "no file"
                raise StepFailed("%s: expected %s bytes, found %s" % (path, size, actual))
            time.sleep(0.1)

    def complete_into(self, stem: str) -> str:
        """Completes the order with Ctrl+E into stem.html; returns the preview's window."""
        self.x.key("ctrl+e")
        self.choose_file(SAVE_DIALOG, stem)
        preview = self.dialog(PREVIEW, 30)
        self.wait_file(stem + ".html")
        self.completed_at = datetime.datetime.now()
        return preview


def scenario(run: Run):
    x = run.x
    db_path = os.path.join(run.home, "PelmoraDB", "telvarin.db")

    run.step("premise: the machine has the Russian locale")
    require_russian_locale()

    run.step("demo catalogue")
    # Made in the program's locale, so that its date stamp reads back there.
    subprocess.run([run.args.make_catalogue, os.path.dirname(db_path)], check=True,
                   capture_output=True, timeout=run.within(60), env=run.environment())
    options = expected.read_options(db_path)
    products = expected.filtered_products(db_path, NAME_FILTER)
    if len(products) < 3:
        raise StepFailed("the demo catalogue has %d products named *%s*; 3 are needed"
                         % (len(products), NAME_FILTER))
    first, second, third = products[:3]
    if len({p.sku for p in products[:3]}) < 3:
        raise StepFailed("rows 1 to 3 of the filtered catalogue share an article code")

    # The update file names the catalogue's own date (not newer) and a newer
    # program version, so the start-up check asks its question.
    run.web = LoopbackWeb(PAGE_RATE, (options["DBTimeStamp"] + "\r\n1.6\r\n").encode("cp1251"))
    run.port = run.web.start()
    x.start(timeout=run.within(15))
    run.started_at = datetime.datetime.now()
    run.start_program()

    run.step("first start: the rate comes from the page, no prompt")
    wid = first_window_without_rate_prompt(run)
    require_russian_program(run)

    run.step("first start: customer details")
    x.key("space")  # "Указать данные о пользователе:", which has the focus
    x.key("Tab", "Down", "Tab")  # legal form "ИП", then the client's name
    c = CUSTOMER_DETAILS
    for index, text in enumerate((c.company, c.tin, c.phones, c.contact_person, c.email)):
        if index:
            x.key("Tab")
        x.type(text)
    run.close_with(wid, "Return")

    run.step("update question: cancelled")
    run.close_with(run.dialog(UPDATES), "Escape")

    run.step("main window")
    run.main = x.wait_window(MAIN, run.within(20))
    run.to_main()

    added = add_by_code_right_after_start(run, db_path)
    complete_with_ctrl_e_in_the_filter_box(run)
    save_and_empty_from_the_filter_box(run, added)
    paste_a_list_and_undo_it(run, db_path)

    run.step("filter the catalogue by %r" % NAME_FILTER)
    x.key("shift+Tab", "shift+Tab")  # from the catalogue grid back to the filter box
    x.type(NAME_FILTER)
    x.key("Return")

    quantities = {
        "a": 3 * max(second.min_quantity, 1),
        "b": 2 * max(first.min_quantity, 1),
        "c": max(third.min_quantity, 1) + 7,
        "b changed": 5 * max(first.min_quantity, 1) + 1,
    }
    typed = type_ahead_text(products, second)
    run.step("type-ahead %r and add row 2 (%s)" % (typed, second.sku.decode("cp1251")))
    x.type(typed)
    x.key("Return")
    run.enter_quantity(quantities["a"])

    run.step("add rows 1 and 3")
    x.key("Up", "Return")
    run.enter_quantity(quantities["b"])
    x.key("Down", "Down", "Return")
    run.enter_quantity(quantities["c"])

    run.step("change order line 2")
    x.key("Tab", "Down", "Return")  # to the order grid, its second line
    run.enter_quantity(quantities["b changed"])

    run.step("delete order line 1")
    x.key("Up", "Delete")
    run.close_with(run.dialog(DELETE), "Return")  # "Да" is the default button
    run.to_main()

    lines = [expected.Line(first, quantities["b changed"]), expected.Line(third, quantities["c"])]
    order_path = os.path.join(run.out, "order-1")
    run.step("save the order as %s" % order_path)
    x.key("ctrl+s")
    run.choose_file(SAVE_DIALOG, order_path)
    run.wait_file(order_path + ".order", 4 + expected.RECORD_SIZE * len(lines))
    run.to_main()

    run.step("new order: completing it finds nothing ordered")
    x.key("ctrl+n", "ctrl+e")
    wid = run.dialog((NOTHING_ORDERED,) + SAVE_DIALOG)
    if x.windows().get(wid) != NOTHING_ORDERED:
        raise StepFailed("after Ctrl+N the order still had lines")
    run.close_with(wid, "Return")
    run.to_main()

    run.step("open the saved order from Файл -> Недавние заказы")
    open_newest_recent_order(run)
    run.to_main()

    document = os.path.join(run.out, "zakaz")
    run.step("complete the order into %s" % document)
    preview = run.complete_into(document)

    run.step("close the preview")
    run.close_with(preview, "Escape")
    run.to_main()

    again = os.path.join(run.out, "zakaz-again")
    run.step("complete the order again into %s: the preview shows it" % again)
    preview = run.complete_into(again)
    run.close_with(preview, "Escape")
    run.to_main()

    missing_picture_message(run, db_path)

    # --- pictures while walking the catalogue and resizing the window
    walk_the_catalogue_and_maximise(run)

    run.step("quit")
    x.key("alt+F4")
    try:
        status = run.app.wait(timeout=run.within(20))
    except subprocess.TimeoutExpired:
        raise StepFailed("the program did not end after Alt+F4")
    if status != 0:
        raise StepFailed("the program ended with status %d" % status)

    run.step("check the files")
    check_requests(run)
    check_settings(run, db_path)
    check_order_file(order_path + ".order", lines)
    check_document(run, document, lines, options)
    check_document(run, again, lines, options)

    restart_with_rates_unreachable(run, order_path, lines, options)


# --- first steps in the main window: the search right after start and the
# menu shortcuts in a text box. They leave the order empty and the focus on
# the catalogue grid, as the start did.


def add_by_code_right_after_start(run: Run, db_path: str) -> list:
    """No row is chosen yet, though row 1 looks current: its code typed on the
    grid must select it, so that Enter opens the quantity dialog."""
    first = expected.filtered_products(db_path, "")[0]
    code = first.sku.decode("cp1251")
    run.step("right after start: type the code %s and add it" % code)
    run.x.type(code)
    run.x.key("Return")
    quantity = max(first.min_quantity, 1)
    run.enter_quantity(quantity)
    return [expected.Line(first, quantity)]


def complete_with_ctrl_e_in_the_filter_box(run: Run):
    """Ctrl+E is "end of line" for a text box on X11; the menu command wins."""
    run.step("Ctrl+E in the filter box starts completing the order")
    run.x.key("shift+Tab", "shift+Tab")  # from the catalogue grid to the filter box
    run.x.key("ctrl+e")
    wid = run.dialog((NOTHING_ORDERED,) + SAVE_DIALOG, 10)
    if run.x.windows().get(wid) == NOTHING_ORDERED:
        raise StepFailed("the product typed by its code was not added to the order")
    run.close_with(wid, "Escape")  # the completion is cancelled here
    run.to_main()


def save_and_empty_from_the_filter_box(run: Run, lines: list):
    """The line added right after start is in the saved file; Ctrl+N then
    empties the saved order without a question."""
    path = os.path.join(run.out, "first-line")
    run.step("Ctrl+S in the filter box saves the line as %s" % path)
    run.x.key("ctrl+s")
    run.choose_file(SAVE_DIALOG, path)
    run.wait_file(path + ".order", 4 + expected.RECORD_SIZE * len(lines))
    check_order_file(path + ".order", lines)
    run.to_main()
    run.x.key("ctrl+n", "Tab", "Tab")  # back to the catalogue grid


def paste_a_list_and_undo_it(run: Run, db_path: str):
    """Three codes from the clipboard make three lines in one step: Ctrl+Z
    takes all of them back, Ctrl+Y brings them back. The order is saved to
    see them and then emptied; the focus ends on the catalogue grid."""
    x = run.x
    products = expected.filtered_products(db_path, "")[1:4]
    lines = [expected.Line(p, 2 * max(p.min_quantity, 1)) for p in products]
    text = "".join("%s\t%d\n" % (line.product.sku.decode("cp1251"), line.quantity)
                   for line in lines)
    run.step("paste a list of three codes from the clipboard")
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode("utf-8"),
                   env=dict(os.environ, DISPLAY=x.display), check=True, timeout=10)
    x.key("ctrl+shift+v")
    run.close_with(run.dialog(PASTE), "ctrl+Return")  # every line added: the dialog closes
    run.to_main()

    run.step("Ctrl+Z takes the whole list back")
    x.key("ctrl+z", "ctrl+e")
    wid = run.dialog((NOTHING_ORDERED,) + SAVE_DIALOG, 10)
    if x.windows().get(wid) != NOTHING_ORDERED:
        raise StepFailed("after Ctrl+Z the pasted lines were still in the order")
    run.close_with(wid, "Return")
    run.to_main()

    path = os.path.join(run.out, "pasted")
    run.step("Ctrl+Y brings the list back; saved as %s" % path)
    x.key("ctrl+y", "ctrl+s")
    run.choose_file(SAVE_DIALOG, path)
    run.wait_file(path + ".order", 4 + expected.RECORD_SIZE * len(lines))
    check_order_file(path + ".order", lines)
    run.to_main()
    x.key("ctrl+n")
    x.click(run.main, 360, 225)  # the catalogue grid


def missing_picture_message(run: Run, db_path: str):
    """With the picture folder gone, the catalogue's picture shows the
    general error message, whose system reason must read as Russian."""
    run.step("missing picture: the message reads as Russian")
    x = run.x
    reason = system_reason(errno.ENOENT)
    fail_unless(re.search("[А-Яа-я]", reason) is not None,
                "the C library's Russian messages are not installed: %r" % reason)
    folder = os.path.join(os.path.dirname(db_path), "img")
    # A click into the catalogue grid gives it the keyboard focus, wherever it
    # was; its pictures are left to show before the folder goes.
    x.click(run.main, 360, 225)
    time.sleep(1.0)
    os.rename(folder, folder + ".gone")
    try:
        x.key("shift+Tab", "shift+Tab", "Return")  # the filter box: the same list again
        wid = run.dialog(APP_TITLE)
        x.key("ctrl+c")  # a message box copies its text
        end = time.monotonic() + run.within(5)
        text = ""
        while "Cannot open file" not in text and time.monotonic() < end:
            time.sleep(0.1)
            text = x.clipboard()
        run.close_with(wid, "Return")
    finally:
        os.rename(folder + ".gone", folder)
    run.to_main()
    fail_unless(re.search(re.escape('Cannot open file "%s/' % folder) + r'[^"]+"\. '
                          + re.escape(reason + "."), text) is not None,
                "the message does not carry %r:\n%s" % (reason, text))


def walk_the_catalogue_and_maximise(run: Run):
    """Moving through the catalogue decodes the rows around the selection
    ahead and a larger window decodes the pictures again; neither may raise
    an error box or stall the program. The window gets its size back."""
    run.step("walk the catalogue with the arrow keys and maximise")
    x = run.x
    x.click(run.main, 360, 225)  # the catalogue grid
    for keys in (["Down"] * 6, ["Up"] * 3, ["Down"] * 2):
        x.key(*keys)
        time.sleep(0.3)
    shell = x._xdotool("getwindowgeometry", "--shell", run.main)
    size = dict(line.split("=", 1) for line in shell.split())
    x._xdotool("windowsize", run.main, "100%", "100%")
    time.sleep(1.0)
    x.key("Down", "Up")
    time.sleep(1.0)
    boxes = [wid for wid, title in x.windows().items() if title == APP_TITLE]
    fail_unless(not boxes, "an error box appeared: %s" % x.describe())
    fail_unless(run.app.poll() is None, "the program ended")
    x._xdotool("windowsize", run.main, size["WIDTH"], size["HEIGHT"])
    time.sleep(0.5)
    run.to_main()


def system_reason(number: int) -> str:
    """The C library's text for an error number in the user's locale."""
    saved = locale.setlocale(locale.LC_MESSAGES)
    try:
        locale.setlocale(locale.LC_MESSAGES, LOCALE)
        return os.strerror(number)
    finally:
        locale.setlocale(locale.LC_MESSAGES, saved)


def type_ahead_text(products: list, target) -> str:
    """The shortest part of the target's article code, in lower case, that
    the search under the grid finds first at the target's row."""
    sku = target.sku.decode("cp1251")
    for length in range(2, len(sku) + 1):
        for start in range(len(sku) - length + 1):
            part = sku[start:start + length]
            # A letter in it shows that the search ignores the letter case.
            if not part.isascii() or not any(c.isalpha() for c in part):
                continue
            found = next(p for p in products if part.upper() in p.sku.decode("cp1251").upper())
            if found is target:
                return part.lower()
    raise StepFailed("no part of %s leads the search to it" % sku)


# --- checks ----------------------------------------------------------------


def fail_unless(condition: bool, message: str):
    if not condition:
        raise StepFailed(message)


def check_requests(run: Run):
    requests = run.web.seen()
    dates = {d.strftime("%d.%m.%Y") for d in (run.started_at, datetime.datetime.now())}
    rate_urls = ["http://www.cbr.ru/currency_base/daily.aspx?date_req=" + d for d in dates]
    urls = [r.url for r in requests]
    fail_unless(len(requests) == 2, "expected two requests, got %s" % urls)
    # Both are sent together while the windows are built, so they may arrive
    # in either order; the answers are still taken in the start's order.
    fail_unless(any(url in rate_urls for url in urls),
                "no rate request among %s, expected one of %s" % (urls, rate_urls))
    fail_unless("http://www.pelmora.ru/kesta/lastversion.txt" in urls,
                "no update request among %s" % urls)
    for r in requests:
        fail_unless(r.version == "HTTP/1.0", "%s asked with %s" % (r.url, r.version))


def read_ini(path: str) -> dict:
    """section -> key -> value, names lower-cased, values as Windows-1251 text."""
    sections = {}
    current = None
    with open(path, "rb") as f:
        for raw in f.read().decode("cp1251").splitlines():
            line = raw.strip()
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1].strip().lower(), {})
            elif "=" in line and current is not None:
                key, value = line.split("=", 1)
                current[key.strip().lower()] = value.strip()
    return sections


def check_ini(path: str, wanted: dict):
    fail_unless(os.path.exists(path), "%s is missing" % path)
    found = read_ini(path)
    for section, keys in wanted.items():
        for key, value in keys.items():
            actual = found.get(section.lower(), {}).get(key.lower())
            fail_unless(actual == value, "%s [%s] %s = %r, expected %r"
                        % (os.path.basename(path), section, key, actual, value))


def check_settings(run: Run, db_path: str):
    euro_rate = expected.round_to_hundredths(float(PAGE_RATE.replace(",", ".")))
    check_ini(os.path.join(run.config, "Pelmora", "settings.ini"), {"General": {
        "Euro": ("%.15g" % euro_rate).replace(".", DECIMAL),
        "DBPath": db_path,
        "DBImgPath": os.path.join(os.path.dirname(db_path), "img") + "/",
        "UpdatesURL": "http://www.pelmora.ru/kesta/",
    }})
    c = CUSTOMER_DETAILS
    check_ini(os.path.join(run.data, "Pelmora", "userinfo.ini"), {
        "General": {"ImgPreviewMode": "1", "UserInfoSpecified": "1", "RemindOnStartup": "0"},
        "UserInfo": {"CompanyType": str(c.company_type), "Company": c.company, "TIN": c.tin,
                     "Phones": c.phones, "ContactPerson": c.contact_person, "Email": c.email},
    })


def first_difference(actual: bytes, wanted: bytes) -> int:
    for i, (a, b) in enumerate(zip(actual, wanted)):
        if a != b:
            return i
    return min(len(actual), len(wanted))


def check_order_file(path: str, lines: list):
    with open(path, "rb") as f:
        actual = f.read()
    wanted = expected.order_file(lines)
    if actual != wanted:
        at = first_difference(actual, wanted)
        record, offset = divmod(at - 4, expected.RECORD_SIZE) if at >= 4 else (-1, at)
        raise StepFailed("%s differs at byte %d (record %d, offset %d): %s instead of %s"
                         % (path, at, record + 1, offset, actual[at:at + 16].hex(),
                            wanted[at:at + 16].hex()))


def check_document(run: Run, stem: str, lines: list, options: dict, factor: float = None):
    fail_unless(not os.path.exists(stem), "the document was written without its .html")
    with open(stem + ".html", "rb") as f:
        content = f.read()
    fail_unless(content.endswith(b"\r\n"), "the document's last line has no CR LF")
    actual = content[:-2].split(b"\r\n")
    if factor is None:
        factor = expected.price_factor(PAGE_RATE, options["EuroIndex"])
    wanted = expected.document_lines(lines, factor, CUSTOMER_DETAILS, DECIMAL)
    fail_unless(len(actual) == 16 + len(lines) == len(wanted),
                "the document has %d lines, expected %d" % (len(actual), 16 + len(lines)))
    for number, (got, want) in enumerate(zip(actual, wanted), start=1):
        if want is None:
            check_stamp(run, got)
            continue
        fail_unless(got == want, "document line %d:\n  got  %r\n  want %r"
                    % (number, got.decode("cp1251", "replace"), want.decode("cp1251")))


def check_stamp(run: Run, line: bytes):
    prefix = expected.date_stamp_prefix()
    match = re.fullmatch(re.escape(prefix) + rb"(\d\d\.\d\d\.\d{4}  \d\d:\d\d:\d\d)"
                         rb"</font></b><br/ ><br/ ><br/ >", line)
    fail_unless(match is not None, "document line 4: %r" % line.decode("cp1251", "replace"))
    stamp = datetime.datetime.strptime(match.group(1).decode(), "%d.%m.%Y  %H:%M:%S")
    earliest = run.started_at.replace(microsecond=0)
    fail_unless(earliest <= stamp <= run.completed_at,
                "document stamp %s lies outside the run" % stamp)


# --- the users' locale and the euro rate ------------------------------------


def require_russian_locale():
    """The scenario means something only under the users' locale: on a
    machine without it the program would quietly run under "C"."""
    try:
        locale.setlocale(locale.LC_NUMERIC, LOCALE)
        point = locale.localeconv()["decimal_point"]
    except locale.Error as error:
        raise StepFailed("the locale %s is not available (%s); scripts/install-deps.sh "
                         "generates it" % (LOCALE, error))
    finally:
        locale.setlocale(locale.LC_NUMERIC, "C")
    fail_unless(point == DECIMAL, "the locale %s has the decimal point %r" % (LOCALE, point))


def first_window_without_rate_prompt(run: Run) -> str:
    """With the rates page answering, the first window is the customer
    dialog; the rate prompt would come before it."""
    wid = run.dialog((CUSTOMER, RATE_PROMPT), 60)
    fail_unless(run.x.windows().get(wid) == CUSTOMER,
                "the rate prompt came up although the rates page answered")
    return wid


def stored_euro(run: Run):
    settings = read_ini(os.path.join(run.config, "Pelmora", "settings.ini"))
    return settings.get("general", {}).get("euro")


def require_russian_program(run: Run):
    """The program itself runs Russian: the rate it stored at start carries
    the decimal comma."""
    euro = stored_euro(run)
    fail_unless(euro is not None and DECIMAL in euro,
                "the program does not run under %s: it stored Euro=%r" % (LOCALE, euro))


def restart_with_rates_unreachable(run: Run, order_path: str, lines: list, options: dict):
    """A later start while the bank's page fails: the rate typed the Russian
    way is taken at once, stored, and prices the order."""
    x = run.x
    run.step("restart with the rates page unreachable: type %s" % TYPED_RATE)
    run.web.rates_reachable = False
    asked_before = len(run.web.seen())
    run.started_at = datetime.datetime.now()
    run.start_program(order_path + ".order")  # opened once the start-up has run
    wid = run.dialog(RATE_PROMPT, 60)
    x.key("ctrl+a")
    x.type(TYPED_RATE)
    run.close_with(wid, "Return")

    run.step("the rate is taken: the update question follows")
    wid = run.dialog((UPDATES, RATE_PROMPT, ERROR))
    fail_unless(x.windows().get(wid) == UPDATES,
                "after %s the program showed %r" % (TYPED_RATE, x.windows().get(wid)))
    run.close_with(wid, "Escape")
    run.main = x.wait_window(MAIN, run.within(20))
    run.to_main()

    document = os.path.join(run.out, "zakaz-typed-rate")
    run.step("the order named on the command line is open: complete it into %s" % document)
    preview = run.complete_into(document)
    run.close_with(preview, "Escape")
    run.to_main()
    hand_over_to_the_running_program(run, order_path)
    x.key("alt+F4")
    try:
        status = run.app.wait(timeout=run.within(20))
    except subprocess.TimeoutExpired:
        raise StepFailed("the program did not end after Alt+F4")
    fail_unless(status == 0, "the program ended with status %d" % status)

    run.step("check the typed rate: stored and in the prices")
    asked = [r.url for r in run.web.seen()[asked_before:]]
    fail_unless(any(LoopbackWeb.RATES_PATH in url for url in asked),
                "the program did not ask for the rates page: %s" % asked)
    fail_unless(stored_euro(run) == TYPED_RATE,
                "settings.ini holds Euro=%r, expected %r" % (stored_euro(run), TYPED_RATE))
    typed = float(TYPED_RATE.replace(DECIMAL, "."))
    factor = expected.extended_product(typed, float(options["EuroIndex"]))
    check_document(run, document, lines, options, factor)


def recent_orders(run: Run) -> list:
    settings = read_ini(os.path.join(run.config, "Pelmora", "settings.ini"))
    recent = settings.get("recentorders", {})
    return [recent["file%d" % k] for k in range(1, 11) if recent.get("file%d" % k)]


def open_newest_recent_order(run: Run):
    """Файл (clicked in the menu bar) -> its third item, "Недавние заказы" ->
    its first entry, the order saved last."""
    x = run.x
    fail_unless(recent_orders(run)[:1] == [os.path.join(run.out, "order-1.order")],
                "settings.ini [RecentOrders]: %s" % recent_orders(run))
    x.click(run.main, 18, 10)
    end = time.monotonic() + run.within(5)
    while not x.popups():
        if time.monotonic() >= end:
            raise StepFailed("the Файл menu did not open")
        time.sleep(0.1)
    x.key("Down", "Down", "Down", "Right")
    time.sleep(0.3)
    x.key("Return")


def hand_over_to_the_running_program(run: Run, order_path: str):
    """A second start names another order: it hands the file to the running
    program, which opens it (and so puts it first in the recent list), and
    ends at once."""
    run.step("a second start hands its order over and ends")
    other = os.path.join(run.out, "order-copy.order")
    shutil.copyfile(order_path + ".order", other)
    second = subprocess.run([run.args.pelmora, other], env=run.program_environment(),
                            cwd=run.work, stdin=subprocess.DEVNULL, capture_output=True,
                            timeout=run.within(20))
    fail_unless(second.returncode == 0, "the second start ended with status %d: %s"
                % (second.returncode, second.stderr[-500:]))
    end = time.monotonic() + run.within(10)
    while recent_orders(run)[:1] != [other]:
        if time.monotonic() >= end:
            raise StepFailed("the running program did not open %s; recent: %s"
                             % (other, recent_orders(run)))
        time.sleep(0.1)
    fail_unless(run.app.poll() is None, "the first program ended")
    run.to_main()


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pelmora", required=True)
    parser.add_argument("--make-catalogue", required=True)
    parser.add_argument("--keep", action="store_true", help="keep the temporary folder")
    args = parser.parse_args()
    args.pelmora = os.path.abspath(args.pelmora)  # the program runs in its own folder
    args.make_catalogue = os.path.abspath(args.make_catalogue)

    missing = [tool for tool in ("Xvfb", "xdotool", "xclip", "timeout") if not shutil.which(tool)]
    if missing:
        print("skipped: %s not installed (scripts/install-deps.sh installs them)"
              % ", ".join(missing))
        return SKIP

    # A test runner that gives up on the test sends SIGTERM: clean up all the same.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    keep_on_failure = args.keep or bool(os.environ.get("PELMORA_E2E_KEEP"))
    run = Run(args)
    ok = False
    try:
        scenario(run)
        ok = True
        print("[%5.1f s] passed" % (time.monotonic() - run.start))
    except (StepFailed, subprocess.SubprocessError, OSError) as error:
        print("error:", error)
        run.diagnose(keep_on_failure)
        if not keep_on_failure:
            print("(PELMORA_E2E_KEEP=1 keeps the files and a screenshot of the failure)")
    finally:
        run.cleanup(keep=args.keep or (not ok and keep_on_failure))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
