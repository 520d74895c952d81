"""One real file manager under 32-bit Wine in a tmux pane, driven by keys
and read from the screen.

A FarSession lays out everything one run needs in a folder of its own: the
file manager unpacked from its release tarball with its licence beside it,
the plug-in archive unpacked into its Plugins folder, a Wine prefix linked
from the cached one (its registry files copied, since Wine rewrites them),
and a folder on the Windows PATH whose cvs.exe is a link to the Linux cvs.
Nothing of the file manager is kept in the project: it is read from the
folder given on the command line.
"""
import fcntl
import os
import re
import shutil
import subprocess
import tarfile
import time
import zipfile

WINE = "/usr/lib/wine/wine"
WINESERVER = "/usr/lib/wine/wineserver"


class ScenarioFailed(Exception):
    """A check failed; the message says which, the session saved the screen."""


def windows_path(path):
    """The path as a Windows program under Wine sees it (Z: is the root)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def runs_through_qemu():
    """True where 32-bit programs run through qemu-i386: binfmt_misc handlers
    come before the kernel's own, so a registered, enabled one is used."""
    try:
        with open("/proc/sys/fs/binfmt_misc/qemu-i386") as entry:
            return entry.readline().strip() == "enabled"
    except OSError:
        return False


# The two generations: what tells that the panels are up, and how each keeps
# its interface language (1.70 in the registry, the current one in the ini
# beside Far.exe, with its profile kept in its own folder).
GENERATIONS = {
    "far17": {"tarball": "far-1.70-2125-x86.tar.gz", "ready": r"(?m)^1\w+\s+2\w+\s+3\w+\s+4\w+"},
    "far3": {"tarball": "far-3.0.6258-x86.tar.gz", "ready": r"(?m)^1\w+\s+2\w+\s+3\w+\s+4\w+"},
}
LANGUAGES = {"en": "English", "ru": "Russian"}
# Wine takes the Windows locale, and with it the console's code page (866
# for Russian), from the Linux one: a Russian user's locale, compiled into
# a folder of the run where the machine has none.
LOCALES = {"ru": "ru_RU.UTF-8"}


def compiled_locale(folder, name):
    """The folder (for LOCPATH) that holds the locale, made once."""
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, ".lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not os.path.isdir(os.path.join(folder, name)):
            language, charset = name.split(".")
            subprocess.run(["localedef", "-i", language, "-f", charset.replace("UTF-8", "UTF-8"),
                            os.path.join(folder, name)], check=False, capture_output=True)
        if not os.path.isfile(os.path.join(folder, name, "LC_CTYPE")):
            raise ScenarioFailed("the locale %s could not be compiled (localedef)" % name)
    return folder


class FarSession:
    def __init__(self, generation, far_dir, archive, prefix_cache, work, language="en",
                 bridge=None, wait_scale=1.0, log=print, locale_cache=None):
        self.generation = generation
        self.far_dir = far_dir
        self.archive = archive
        self.prefix_cache = prefix_cache
        self.work = os.path.abspath(work)
        self.language = language
        self.bridge = bridge
        self.locale_cache = locale_cache
        self.locale_path = None
        self.wait_scale = wait_scale
        self.log = log
        self.socket = "quillet-%s-%d" % (generation, os.getpid())
        self.shots = 0
        self.started = False
        self.exit_code = None
        self.far = os.path.join(self.work, "far")
        self.prefix = os.path.join(self.work, "prefix")
        self.bin = os.path.join(self.work, "bin")
        self.wine_log = os.path.join(self.work, "wine-stderr.txt")
        self.screens = os.path.join(self.work, "screens")

    # ---- layout -----------------------------------------------------------

    def lay_out(self):
        if os.path.exists(self.work):
            shutil.rmtree(self.work)
        os.makedirs(self.screens)
        os.makedirs(os.path.join(self.far, "Plugins"))
        generation = GENERATIONS[self.generation]
        with tarfile.open(os.path.join(self.far_dir, generation["tarball"])) as tar:
            tar.extractall(self.far)
        shutil.copy(os.path.join(self.far_dir, "LICENSE"), self.far)
        with zipfile.ZipFile(self.archive) as archive:
            archive.extractall(os.path.join(self.far, "Plugins"))
        os.makedirs(self.bin)
        # Wine starts a Linux program named cvs.exe but gives no handle to
        # wait for it: the bridge, a Windows program, runs the Linux client.
        shutil.copy(self.bridge, os.path.join(self.bin, "cvs.exe"))
        self._link_prefix()
        self._set_language()
        if self.language in LOCALES:
            self.locale_path = compiled_locale(self.locale_cache, LOCALES[self.language])

    def link_linux_cvs(self):
        """cvs.exe as a user might try it: a link to the Linux client."""
        target = os.path.join(self.bin, "cvs.exe")
        os.unlink(target)
        os.symlink(shutil.which("cvs") or "/usr/bin/cvs", target)

    def _link_prefix(self):
        # Hard links: the prefix's hundreds of megabytes cost nothing, and the
        # files Wine writes (the registry) are real copies.
        subprocess.run(["cp", "-al", self.prefix_cache, self.prefix], check=True)
        for name in os.listdir(self.prefix):
            path = os.path.join(self.prefix, name)
            if name.endswith(".reg") or name == ".update-timestamp":
                os.unlink(path)
                shutil.copy2(os.path.join(self.prefix_cache, name), path)

    def _set_language(self):
        language = LANGUAGES[self.language]
        if self.generation == "far3":
            with open(os.path.join(self.far, "Far.exe.ini"), "w") as ini:
                ini.write("[General]\r\nUseSystemProfiles=0\r\nDefaultLanguage=%s\r\n" % language)
        elif self.language != "en":
            # 1.70 reads HKCU\Software\Far\Language at start; Wine keeps the
            # user's hive in user.reg, read when the session starts.
            with open(os.path.join(self.prefix, "user.reg"), "a") as reg:
                reg.write('\n[Software\\\\Far\\\\Language] %d\n"Help"="%s"\n"Main"="%s"\n'
                          % (int(time.time()), language, language))

    # ---- the session ------------------------------------------------------

    def environment(self):
        env = dict(os.environ)
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "CVSROOT", "CVS_RSH", "TMUX"):
            env.pop(name, None)
        env.update({
            "WINEPREFIX": self.prefix, "WINEARCH": "win32", "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
            "WINEPATH": windows_path(self.bin), "TERM": "xterm-256color",
            "QUILLET_LINUX_CVS": shutil.which("cvs") or "/usr/bin/cvs",
        })
        if self.locale_path:
            env.update({"LOCPATH": self.locale_path, "LC_ALL": LOCALES[self.language]})
        return env

    def start(self, left, right=None, width=120, height=40):
        """Starts Far.exe with its panels on the two folders and waits for
        its key bar."""
        right = right or left
        self.folders = (left, right, width, height)
        script = os.path.join(self.work, "start-far.sh")
        with open(script, "w") as out:
            out.write("cd %s\n%s %s %s %s 2>>%s\necho \"FAR-EXITED $?\"\nsleep 100000\n" % (
                quote(self.far), WINE, quote(windows_path(os.path.join(self.far, "Far.exe"))),
                quote(windows_path(left)), quote(windows_path(right)), quote(self.wine_log)))
        self.tmux("new-session", "-d", "-s", "far", "-x", str(width), "-y", str(height),
                  "bash " + quote(script), env=self.environment())
        self.started = True
        self.wait(GENERATIONS[self.generation]["ready"], 120, what="the panels")

    def restart(self):
        """A new run of the file manager on the same folders."""
        self.close()
        self.start(*self.folders)

    def tmux(self, *args, env=None):
        result = subprocess.run(["tmux", "-L", self.socket, "-f", "/dev/null"] + list(args),
                                env=env, capture_output=True, text=True)
        if result.returncode != 0 and args[0] != "kill-server":
            raise ScenarioFailed("tmux %s: %s" % (args[0], result.stderr.strip()))
        return result.stdout

    def screen(self):
        return self.tmux("capture-pane", "-p", "-t", "far")

    def shot(self, name):
        self.shots += 1
        path = os.path.join(self.screens, "%02d-%s.txt" % (self.shots, name))
        text = self.screen()
        with open(path, "w") as out:
            out.write(text)
        return text

    def wait(self, pattern, timeout=30, what=None, gone=False):
        """Waits until a line of the screen matches the regular expression
        (or, with gone, until none does); returns the screen."""
        deadline = time.time() + timeout * self.wait_scale
        regex = re.compile(pattern)
        while True:
            text = self.screen()
            found = regex.search(text) is not None
            if found != gone:
                return text
            if "FAR-EXITED" in text and not gone:
                self.shot("exited")
                raise ScenarioFailed("the file manager ended while waiting for %s:\n%s"
                                     % (what or pattern, text))
            if time.time() > deadline:
                self.shot("timeout")
                raise ScenarioFailed("%s %s within %ds; the screen:\n%s" % (
                    what or repr(pattern), "did not go" if gone else "did not show",
                    timeout, text))
            time.sleep(0.2)

    def settle(self, quiet=0.6, timeout=15):
        """Waits until the screen has not changed for a moment."""
        deadline = time.time() + timeout * self.wait_scale
        last, since = self.screen(), time.time()
        while time.time() < deadline:
            time.sleep(0.15)
            text = self.screen()
            if text != last:
                last, since = text, time.time()
            elif time.time() - since >= quiet:
                break
        return last

    def keys(self, *keys, pause=0.15):
        for key in keys:
            self.tmux("send-keys", "-t", "far", key)
            time.sleep(pause)

    def type(self, text):
        self.tmux("send-keys", "-t", "far", "-l", text)
        time.sleep(0.2)

    def quit(self):
        """F10 and its question; the file manager's exit code."""
        self.keys("F10")
        # The question itself: the key bar's "10Quit" is there all along.
        text = self.wait(r"FAR-EXITED|quit (FAR|Far)\?|(FAR|Far)\?", 20, what="the quit question")
        if "FAR-EXITED" not in text:
            self.keys("Enter")
        text = self.wait(r"FAR-EXITED \d+", 30, what="the end of the file manager")
        self.exit_code = int(re.search(r"FAR-EXITED (\d+)", text).group(1))
        return self.exit_code

    def close(self):
        if self.started:
            try:
                self.shot("last")
            except ScenarioFailed:
                pass
            self.tmux("kill-server")
            subprocess.run([WINESERVER, "-k"], env=self.environment(),
                           stderr=subprocess.DEVNULL)
            self.started = False


def quote(text):
    return "'" + text.replace("'", "'\\''") + "'"
