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


@scenario("status_panel")
def status_panel(far, repo):
    repo.make({"a.txt": "one\n", "b.txt": "two\n"})
    write(repo.path("a.txt"), "one\nmore\n")
    far.start(repo.wc, repo.root)
    far.type("cvs:")
    far.keys("Enter")
    screen = far.wait(r"a\.txt\s*│M", 60, what="the status panel with a.txt modified")
