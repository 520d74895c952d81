#!/usr/bin/env python3
"""Runs one scenario of far_scenarios.py in one generation of the real file
manager, or lists them for CTest.

  far_suite.py --list
  far_suite.py --generation far17|far3 --scenario NAME --far-dir SHARED
               --archive Quillet-*-win32.zip --prefix WINE32_PREFIX
               --bridge cvs.exe --work FOLDER

Exit codes: 0 passed, 1 failed (the screens are kept under the work
folder), 77 skipped, with the reason on standard output.
"""
import argparse
import os
import shutil
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import far_driver  # noqa: E402
import far_scenarios  # noqa: E402

SKIP = 77


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", action="store_true")
    for option in ("generation", "scenario", "far-dir", "archive", "prefix", "bridge", "work"):
        parser.add_argument("--" + option)
    options = parser.parse_args()
    if options.list:
        for entry in far_scenarios.SCENARIOS:
            print("%s %s %s" % (entry.name, ",".join(entry.generations), entry.label))
        return 0

    entry = far_scenarios.find(options.scenario)
    far_dir = os.path.join(options.far_dir, options.generation)
    if not os.path.isfile(os.path.join(far_dir, far_driver.GENERATIONS[options.generation]["tarball"])):
        print("SKIPPED: the real file manager is not at %s (it is read from the shared folder "
              "beside the clone, never kept in the project)" % far_dir)
        return SKIP
    for tool in ("tmux", "cvs", "unzip"):
        if shutil.which(tool) is None:
            print("SKIPPED: %s is not installed" % tool)
            return SKIP
    if not os.access(far_driver.WINE, os.X_OK):
        print("SKIPPED: 32-bit Wine (wine32:i386) is not installed")
        return SKIP
    if far_driver.runs_through_qemu() and entry is not far_scenarios.SCENARIOS[0]:
        print("SKIPPED: 32-bit programs run through qemu-i386 here, where one run of the file "
              "manager takes minutes; only the first scenario (%s) runs"
              % far_scenarios.SCENARIOS[0].name)
        return SKIP

    work = os.path.join(options.work, "%s_%s" % (options.generation, entry.name))
    if os.path.exists(work):
        shutil.rmtree(work)
    started = time.time()
    session = far_driver.FarSession(
        options.generation, far_dir, options.archive, options.prefix,
        os.path.join(work, "session"), language=entry.language, bridge=options.bridge,
        wait_scale=20.0 if far_driver.runs_through_qemu() else 1.0,
        locale_cache=os.path.join(options.work, "locales"))
    try:
        session.lay_out()
        entry.run(session, far_scenarios.Repository(os.path.join(work, "cvs")))
    except far_driver.ScenarioFailed as failure:
        print("FAILED %s in %s: %s" % (entry.name, options.generation, failure))
        print("screens: %s" % session.screens)
        return 1
    except Exception:
        traceback.print_exc()
        print("screens: %s" % session.screens)
        return 1
    finally:
        session.close()
    print("passed %s in %s (%.1f s)" % (entry.name, options.generation, time.time() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
