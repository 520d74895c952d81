"""The scenarios of the real file manager suite: small functions over one
FarSession (far_driver.py) and one Repository made with the Linux cvs.
Each checks what the screen shows and what the command did to the working
copy or the repository.  The first scenario is the one that runs where
32-bit programs need qemu."""
import os
import re
import subprocess
import time

from far_driver import ScenarioFailed

SCENARIOS = []


class Scenario:
    def __init__(self, name, run, generations, label, language):
        self.name, self.run = name, run
        self.generations, self.label, self.language = generations, label, language


def scenario(name, generations=("far17", "far3"), label="far", language="en"):
    def register(run):
        SCENARIOS.append(Scenario(name, run, generations, label, language))
        return run
    return register


def find(name):
    for entry in SCENARIOS:
        if entry.name == name:
            return entry
    raise SystemExit("no scenario %r" % name)


def check(condition, message, screen=None):
    if not condition:
        raise ScenarioFailed(message + ("\n" + screen if screen else ""))


class Repository:
    """A repository and a working copy of its module "proj", made with the
    Linux cvs in a folder of their own."""

    def __init__(self, root):
        self.root = os.path.abspath(root)
        self.repo = os.path.join(self.root, "repo")
        self.wc = os.path.join(self.root, "wc")

    def cvs(self, *args, cwd=None, check_code=True):
        result = subprocess.run(["cvs", "-d", self.repo] + list(args), cwd=cwd or self.wc,
                                capture_output=True, text=True)
        if check_code and result.returncode != 0:
            raise ScenarioFailed("cvs %s: %s" % (" ".join(args), result.stderr))
        return result.stdout + result.stderr

    def make(self, files):
        """The module "proj" with these files (name: text), checked out."""
        os.makedirs(self.root, exist_ok=True)
        subprocess.run(["cvs", "-d", self.repo, "init"], check=True)
        source = os.path.join(self.root, "import")
        for name, text in files.items():
            write(os.path.join(source, name), text)
        self.cvs("-q", "import", "-m", "start", "proj", "vendor", "start", cwd=source)
        self.cvs("-q", "checkout", "-d", "wc", "proj", cwd=self.root)
        return self

    def checkout(self, folder):
        self.cvs("-q", "checkout", "-d", folder, "proj", cwd=self.root)
        return os.path.join(self.root, folder)

    def path(self, name):
        return os.path.join(self.wc, name)

    def revision(self, name):
        """The head revision of a file in the repository."""
        log = self.cvs("-q", "log", "-h", name)
        found = re.search(r"^head: (\S+)", log, re.M)
        return found.group(1) if found else None


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as out:
        out.write(text)


def read(path):
    with open(path) as source:
        return source.read()


# ---- steps shared by the scenarios -------------------------------------

# Home, as tmux sends it, does not reach the file manager through Wine's
# console; PgUp takes the cursor to the first row of a panel or menu that
# fits on the screen.
TOP = "PPage"
PLUGINS_MENU = r"Plugin commands|Команды внешних модулей|Команды плагинов"
LANGUAGE_ERROR = r"Incorrect (language file|or damaged)|not found|[Нн]еверный|[Пп]оврежд"
COMMAND_MENU = r"CVS: (Current Dir|Selection|Текущая папка|Выделенное)"
EDITOR = r"(?m)^\s*(CVS log|Журнал CVS)"


def open_command_menu(far, title=COMMAND_MENU):
    """F11, the module's entry, its command menu; no language-file error."""
    far.keys("F11")
    far.wait(PLUGINS_MENU, 20, what="the plug-ins menu")
    far.keys("Enter")
    screen = far.wait(title + "|" + LANGUAGE_ERROR, 30, what="the command menu")
    check(not re.search(LANGUAGE_ERROR, screen), "the host reported a language-file error", screen)
    return screen


def command(far, hotkey, title=COMMAND_MENU):
    open_command_menu(far, title)
    far.keys(hotkey)


def open_status_panel(far, row=r"\.\.\s"):
    """cvs: on the command line; the panel's status column and its rows (the
    title may be cut short where the path is long)."""
    far.type("cvs:")
    far.keys("Enter")
    return far.wait(r"Name\s*[│║]S[│║](?s:.*)" + row, 60, what="the status panel")


def confirm(far, title):
    far.wait(title, 20, what="the question " + title)
    far.keys("Enter")


def outcome(far, expected, timeout=60, exit_code=0):
    """The output of cvs in the host's editor, closed again; a run that
    ends with another exit code than the one expected fails."""
    screen = far.wait(EDITOR + "|ended with exit code", timeout, what="the output of cvs")
    failed = re.search(r"ended with exit code (-?\d+)", screen)
    code = int(failed.group(1)) if failed else 0
    if failed:
        far.keys("Enter")  # Show output
        screen = far.wait(EDITOR, 20, what="the output of the failed cvs")
    if code != exit_code:
        raise ScenarioFailed("cvs ended with exit code %d, not %d:\n%s" % (code, exit_code, screen))
    screen = far.wait(expected, 10, what="%r in the output" % expected)
    far.keys("Escape")
    far.wait(EDITOR, 10, gone=True, what="the editor")
    return screen


def leave_idle(far):
    far.settle()


def select_names(far, names, side=0):
    """Selects the named rows of the active file panel (side 0 the left one,
    1 the right one) with Insert: from the top, down through the rows in
    the order the panel shows them."""
    far.keys(TOP)
    rows = panel_rows(far.screen(), side)
    for row in rows:
        if row in names:
            far.keys("Insert")
        else:
            far.keys("Down")


def panel_rows(screen, side=0):
    """The names of a panel's first column, top to bottom."""
    names = []
    for line in screen.splitlines()[2:]:
        halves = line.split("║║")
        if len(halves) != 2 or "═" in line or "─" in line:
            continue
        name = halves[side].strip("║").split("│")[0].split("║")[0].strip()
        if name:
            names.append(name)
        elif names:
            break
    return names


def view_mode(far, digit):
    """The panel's view mode Ctrl+digit, through F9 and the Left menu."""
    far.keys("F9")
    far.wait(r"Left\s+Files", 10, what="the host's menu bar")
    far.keys("Enter")
    far.wait(r"Ctrl-1|Ctrl\+1", 10, what="the Left menu")
    far.keys(TOP, *["Down"] * ((digit + 9) % 10))
    far.keys("Enter")
    return far.settle()


def working_copy(repo):
    """The working copy of most scenarios: a.txt changed here, b.txt as in
    the repository, new.txt unknown to cvs, the folder sub."""
    repo.make({"a.txt": "one\n", "b.txt": "two\n", "sub/c.txt": "three\n"})
    write(repo.path("a.txt"), "one\nmore\n")
    write(repo.path("new.txt"), "new\n")
    return repo


# ---- the scenarios ------------------------------------------------------
# The first one runs where 32-bit programs need qemu: the path that used to
# leave the panel empty.

@scenario("menu_then_panel")
def menu_then_panel(far, repo):
    working_copy(repo)
    far.start(repo.wc, repo.root)
    screen = open_command_menu(far)
    for entry in ("Update...", "Commit", "Browse", "Mark >"):
        check(entry in screen, "the command menu lacks " + entry, screen)
    far.keys("Escape")
    far.wait(COMMAND_MENU, 10, gone=True, what="the command menu")
    screen = open_status_panel(far, r"a\.txt\s*│M")
    for row in (r"\.\.\s", r"sub\s", r"b\.txt\s*│ ", r"new\.txt\s*│\?"):
        check(re.search(row, screen), "the status panel lacks the row " + row, screen)
    check(far.quit() == 0, "the file manager ended with %s" % far.exit_code)


@scenario("menu_stress", label="far-stress")
def menu_stress(far, repo):
    """The menu-then-panel path, 20 times in a row, each in a new run."""
    working_copy(repo)
    far.start(repo.wc, repo.root)
    for run in range(20):
        if run:
            far.restart()
        open_command_menu(far)
        far.keys("Escape")
        far.wait(COMMAND_MENU, 10, gone=True, what="the command menu")
        open_status_panel(far, r"a\.txt\s*│M")
        code = far.quit()
        check(code == 0, "run %d: the file manager ended with %d" % (run + 1, code))
        far.log("run %d of 20: the panel was filled" % (run + 1))


@scenario("menu_selection_and_outside")
def menu_selection_and_outside(far, repo):
    working_copy(repo)
    outside = os.path.join(repo.root, "plain")
    os.makedirs(outside)
    write(os.path.join(outside, "x.txt"), "x\n")
    far.start(repo.wc, outside)
    select_names(far, {"b.txt"})
    screen = open_command_menu(far, r"CVS: Selection")
    check("Browse" in screen, "in a working copy the menu has every entry", screen)
    far.keys("Escape")
    far.keys("Tab")  # the other panel: a folder that is no working copy
    screen = open_command_menu(far, r"CVS: Current Dir")
    check("no module here" in screen and "Checkout..." in screen and "Update..." not in screen,
          "outside a working copy the menu should offer only checkout and export", screen)
    far.keys("Escape")
    select_names(far, {"x.txt"}, side=1)
    screen = open_command_menu(far, r"CVS: Selection")
    check("Differences" in screen and "Browse" not in screen,
          "a selection outside a working copy offers the first eight entries", screen)
    far.keys("Escape")


@scenario("update")
def update(far, repo):
    working_copy(repo)
    other = repo.checkout("other")
    write(os.path.join(other, "b.txt"), "two\nfrom elsewhere\n")
    repo.cvs("-q", "commit", "-m", "elsewhere", cwd=other)
    far.start(repo.wc, repo.root)
    command(far, "u")
    confirm(far, r"to current branch \(no options\)")
    screen = outcome(far, r"[UP] b\.txt")
    check(re.search(r"(?m)^M a\.txt", screen), "the update reports a.txt modified", screen)
    check(read(repo.path("b.txt")) == "two\nfrom elsewhere\n", "update did not bring b.txt")


def commit_through_editor(far, repo, hotkey, message, listed):
    working_copy(repo)
    far.start(repo.wc, repo.root)
    command(far, hotkey)
    screen = far.wait(r"(?m)^CVS: -{20}", 30, what="the commit message template")
    check(bool(re.search(r":\s+a\.txt", screen)) == listed,
          "the full commit's template lists a.txt, the light one's does not", screen)
    far.type(message)
    far.keys("Enter", "F2")
    far.settle()
    far.keys("Escape")
    confirm(far, r"Commit 1 item")
    outcome(far, r"new revision: 1\.2|<--  a\.txt")
    check(repo.revision("a.txt") == "1.2", "a.txt was not committed")
    log = repo.cvs("-q", "log", "-r1.2", "a.txt")
    # The message is what the user typed: the template's "CVS:" lines stay
    # out of the repository's log.
    lines = log.split("\ndate: ")[1].split("\n")[1:]
    check(lines[0].rstrip("\r") == message and "CVS:" not in log,
          "the commit message should be the typed line alone:\n" + log)


@scenario("commit_full")
def commit_full(far, repo):
    commit_through_editor(far, repo, "c", "full commit of a", True)


@scenario("commit_light")
def commit_light(far, repo):
    commit_through_editor(far, repo, "t", "light commit of a", False)


def checkout_or_export(far, repo, hotkey, destination):
    working_copy(repo)
    target = os.path.join(repo.root, "target")
    os.makedirs(target)
    far.start(target, repo.root)
    command(far, hotkey)
    far.wait(r"Module:", 20, what="the checkout dialog")
    far.type("proj")
    far.keys("Down")
    far.type(repo.repo)
    far.keys("Down")
    far.type(destination)
    far.keys("Enter")
    outcome(far, r"[UP] %s/b\.txt" % destination)
    return os.path.join(target, destination)


@scenario("checkout")
def checkout(far, repo):
    made = checkout_or_export(far, repo, "o", "co")
    check(read(os.path.join(made, "b.txt")) == "two\n", "checkout did not bring b.txt")
    check(os.path.isdir(os.path.join(made, "CVS")), "a checkout has a CVS folder")


@scenario("export")
def export(far, repo):
    made = checkout_or_export(far, repo, "x", "ex")
    check(read(os.path.join(made, "b.txt")) == "two\n", "export did not bring b.txt")
    check(not os.path.exists(os.path.join(made, "CVS")), "an export has no CVS folder")


@scenario("log_and_stat")
def log_and_stat(far, repo):
    working_copy(repo)
    far.start(repo.wc, repo.root)
    select_names(far, {"b.txt"})
    command(far, "l", r"CVS: Selection")
    confirm(far, r"Show log for")
    screen = outcome(far, r"Working file: b\.txt")
    check("a.txt" not in screen, "the log should be of b.txt alone", screen)
    far.keys(TOP)
    command(far, "s", r"CVS: Selection")
    confirm(far, r"Show stat for")
    outcome(far, r"File: b\.txt\s+Status: Up-to-date")


@scenario("annotate")
def annotate(far, repo):
    working_copy(repo)
    far.start(repo.wc, repo.root)
    select_names(far, {"b.txt"})
    command(far, "n", r"CVS: Selection")
    confirm(far, r"Show annotations for")
    # Each line of the file with the revision that brought it.
    screen = outcome(far, r"1\.1\s+\(\S+\s+\S+\):\s+two")
    check("a.txt" not in screen, "the annotations should be of b.txt alone", screen)


@scenario("diff")
def diff(far, repo):
    working_copy(repo)
    far.start(repo.wc, repo.root)
    select_names(far, {"a.txt"})
    command(far, "d", r"CVS: Selection")
    far.wait(r"Default CVS text diff", 20, what="the diff dialog")
    far.keys("Enter")
    # cvs diff ends with 1 where the files differ: the differences are the
    # answer, with no failure box.
    outcome(far, r"(?m)^\+more")
    check(read(repo.path("a.txt")) == "one\nmore\n", "diff must not change the file")


@scenario("add_and_remove")
def add_and_remove(far, repo):
    working_copy(repo)
    far.start(repo.wc, repo.root)
    select_names(far, {"new.txt"})
    command(far, "a", r"CVS: Selection")
    far.wait(r"Binary \(-kb\)", 20, what="the add dialog")
    far.keys("Enter")
    outcome(far, r"scheduling file .new\.txt. for addition")
    check("/new.txt/0/" in read(repo.path("CVS/Entries")), "new.txt is not added")
    select_names(far, {"new.txt"})  # Insert again: unselected
    os.unlink(repo.path("b.txt"))
    far.keys("C-r")
    far.settle()
    command(far, "r")
    confirm(far, r"Remove \d+ item")
    outcome(far, r"scheduling .b\.txt. for removal")
    check("/b.txt/-1" in read(repo.path("CVS/Entries")), "b.txt is not removed")


@scenario("mark_modified")
def mark_modified(far, repo):
    working_copy(repo)
    far.start(repo.wc, repo.root)
    command(far, "m")
    far.wait(r"CVS: Mark", 20, what="the Mark menu")
    far.keys("m")
    # The host sums up the selection on the panel's separator line: a.txt
    # alone, 9 bytes.
    far.wait(r"─ 9 bytes in 1 file ─|─ Bytes: 9, files: 1, folders: 0 ─", 60, what="a.txt alone selected")


@scenario("break_run")
def break_run(far, repo):
    working_copy(repo)
    # Another client's lock: cvs waits for it, and says so every 30 s.
    lock = os.path.join(repo.repo, "proj", "#cvs.lock")
    os.makedirs(lock)
    far.start(repo.wc, repo.root)
    command(far, "u")
    confirm(far, r"to current branch \(no options\)")
    far.wait(r"CVS Running", 30, what="the run dialog")
    time.sleep(2)
    far.keys("Escape")
    screen = far.wait(r"exit code|broken|Break", 30, what="the broken run's report")
    far.wait(r"CVS Running", 10, gone=True, what="the run dialog")
    deadline = time.time() + 10
    while time.time() < deadline and cvs_running_in(repo.wc):
        time.sleep(0.2)
    check(not cvs_running_in(repo.wc), "the broken cvs still runs")
    check(read(repo.path("b.txt")) == "two\n", "a broken update changed nothing")
    os.rmdir(lock)


def cvs_running_in(folder):
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            if os.readlink("/proc/%s/cwd" % pid) == folder and \
                    os.path.basename(os.readlink("/proc/%s/exe" % pid)) == "cvs":
                return True
        except OSError:
            pass
    return False


@scenario("status_panel_keys")
def status_panel_keys(far, repo):
    working_copy(repo)
    far.start(repo.wc, repo.root)
    command(far, "b")  # Browse
    screen = far.wait(r"Name\s*[│║]S[│║](?s:.*)a\.txt\s*│M", 60, what="the panel from Browse")
    # Into sub and up again.
    far.keys(TOP, "Down")
    far.keys("Enter")
    screen = far.wait(r"c\.txt\s*│ ", 30, what="the folder sub")
    check(re.search(r"\\sub [═╗]", screen), "the title names sub", screen)
    far.keys(TOP, "Enter")
    far.wait(r"a\.txt\s*│M", 30, what="the working copy again")
    # View modes, chosen in the host's Left menu (no terminal sends
    # Ctrl+digit): the columns of each as the host draws them.
    for digit, header in ((0, r"Name\s*[│║]Opt[│║]\s*WRev\s*[│║]\s*Status\s*[│║]\s*Date"),
                          (1, r"Name\s*[│║]S[│║]\s*Name\s*[│║]S[│║]\s*Name\s*[│║]S║"),
                          (2, r"Name\s*[│║]S[│║]\s*Name\s*[│║]S║"),
                          (3, r"Name\s*[│║]\s*Status\s*[│║]\s*WorkRev\s*[│║]Opt[│║]\s*Size"),
                          # The host draws its sort letter over mode 4's one-cell "S".
                          (4, r"║\w[│║]\s*Name\s*[│║]Revision║"),
                          (5, r"Name\s*[│║]\s*Status\s*[│║]\s*Size\s*[│║]\s*Modified\s*[│║]\s*WorkRev\s*[│║]"
                              r"\s*RepRev\s*[│║]Opt")):
        screen = view_mode(far, digit)
        screen = far.wait(header, 10, what="the columns of view mode %d" % digit)
        if digit == 0:
            check(re.search(r"a\s+txt[│║]\s*[│║]1\.1\.1\.1\s*[│║]Modified\s*[│║]", screen),
                  "mode 0 shows a.txt's revision and status in words", screen)
    view_mode(far, 1)
    # The info panel on the other side.
    far.keys("C-l")
    far.wait(r"CVS Roots", 10, what="the info panel")
    far.keys("C-l")
    far.wait(r"CVS Roots", 10, gone=True, what="the info panel")
    # F3: the module's menu on a file.
    far.keys(TOP)
    far.settle()
    for row in panel_rows(far.screen()):
        if row == "a.txt":
            break
        far.keys("Down")
    far.keys("F3")
    far.wait(r"View a\.txt(?s:.*)Log a\.txt(?s:.*)Diff a\.txt", 10, what="the F3 menu")
    far.keys("Down", "Enter")  # Log: cvs log of the file, in the editor
    outcome(far, r"Working file: a\.txt")
    # Shift+Esc leaves the status panel for the file panel (sent as the
    # xterm sequence for Shift+Escape, which Wine's console reads).
    far.keys("Escape")
    far.settle()
    check(far.quit() == 0, "the file manager ended with %s" % far.exit_code)


@scenario("linux_cvs_link")
def linux_cvs_link(far, repo):
    """Wine runs a link to the Linux client but gives no handle to wait
    for it: the module says so instead of waiting for ever."""
    working_copy(repo)
    far.link_linux_cvs()
    far.start(repo.wc, repo.root)
    far.type("cvs:")
    far.keys("Enter")
    far.wait(r"exit code -1002", 30, what="the failed start")
    far.keys("Enter")  # Show output
    # The reason ("no handle to wait for its end") ends a line that a long
    # path pushes past the screen's edge (the path itself may be cut in
    # "cvs.exe"), and End does not reach the host.
    far.wait(EDITOR + r"(?s:.*)Error: \"cvs\" could not be started \(.*\\bin\\cvs", 10,
             what="the failed start in the output")
    far.keys("Escape")
    far.wait(EDITOR, 10, gone=True, what="the editor")
    check(far.quit() == 0, "the file manager ended with %s" % far.exit_code)


@scenario("russian", language="ru")
def russian(far, repo):
    working_copy(repo)
    far.start(repo.wc, repo.root)
    screen = open_command_menu(far, r"CVS: Текущая папка")
    check("Обновить..." in screen and "Пометить >" in screen,
          "the command menu should be in Russian", screen)
    far.keys(*["Down"] * 6)  # Состояние (Stat): its hot key is a Cyrillic letter
    far.keys("Enter")
    confirm(far, r"Показать состояние")
    outcome(far, r"File: a\.txt\s+Status: Locally Modified")
