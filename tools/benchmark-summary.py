#!/usr/bin/env python3
"""Prints every benchmark figure beside its floor from the JSON results of
tools/run-benchmarks: medians of the repetitions, and their ratios."""
import json
import os
import sys

SCALE = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def medians(folder):
    found = {}
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".json"):
            continue
        with open(os.path.join(folder, name)) as results:
            for entry in json.load(results)["benchmarks"]:
                if entry.get("aggregate_name") != "median":
                    continue
                if entry.get("error_occurred"):
                    continue
                scale = SCALE[entry["time_unit"]]
                entry["wall_s"] = entry["real_time"] * scale
                entry["cpu_time_s"] = entry["cpu_time"] * scale
                found[entry["run_name"]] = entry
    return found


def main():
    results = medians(sys.argv[1])
    failures = []

    def get(name):
        entry = results.get(name)
        if entry is None:
            print(f"  {name}: no result")
            failures.append(name)
        return entry

    def target(met, text):
        print(f"    target {text}: {'met' if met else 'NOT MET'}")
        if not met:
            failures.append(text)

    print("Status report reader (real report of a 10,000-file working copy)")
    reader, plain = get("ReportReader"), get("PlainLineRead")
    if reader and plain:
        mine, floor = reader["bytes_per_second"] / 1e6, plain["bytes_per_second"] / 1e6
        print(f"  reader {mine:8.1f} MB/s   plain line-by-line read {floor:8.1f} MB/s"
              f"   ratio {mine / floor:.2f}")
        target(mine >= 400 or mine >= floor / 2, "at least 400 MB/s or half the plain read")

    print("Refresh with a cvs stand-in that prints the report (GetFindData through the exports)")
    for files in (10000, 100000):
        refresh = get(f"Refresh/{files}/real_time")
        alone = get(f"StandInAlone/{files}/real_time")
        if refresh and alone:
            mine, floor = refresh["wall_s"] * 1e3, alone["wall_s"] * 1e3
            print(f"  {files:>6} files: refresh {mine:8.1f} ms   stand-in alone {floor:8.1f} ms"
                  f"   ratio {mine / floor:.3f}   module's own {mine - floor:7.1f} ms"
                  f"   peak memory / handed to the host {refresh['peak_over_handed']:.3f}")
            target(refresh["peak_over_handed"] <= 1.10,
                   f"peak memory at most 10% above the records ({files} files)")

    print("End to end, real cvs, 10,000 files: refresh beside a bare `cvs -q status -l > file`")
    refresh, bare = get("RefreshWithCvs/iterations:1/real_time"), get(
        "BareCvsStatus/iterations:1/real_time")
    if refresh and bare:
        wall = refresh["wall_s"] / bare["wall_s"]
        cpu = refresh["cpu_s"] / bare["cpu_s"]
        print(f"  wall: refresh {refresh['wall_s'] * 1e3:8.1f} ms   bare cvs "
              f"{bare['wall_s'] * 1e3:8.1f} ms   ratio {wall:.3f}")
        print(f"  cpu (process and children): refresh {refresh['cpu_s'] * 1e3:8.1f} ms   bare cvs "
              f"{bare['cpu_s'] * 1e3:8.1f} ms   ratio {cpu:.3f}")
        print(f"  of which cvs itself: in the refresh {refresh['cvs_cpu_s'] * 1e3:8.1f} ms   bare "
              f"{bare['cvs_cpu_s'] * 1e3:8.1f} ms;   the module's own CPU "
              f"{(refresh['cpu_s'] - refresh['cvs_cpu_s']) * 1e3:6.1f} ms")
        target(cpu <= 1.03, "refresh within 1.03 times the bare run (CPU)")

    print("Mark and the commit template, 20,000 files (module's own = figure - floor)")
    for index, entry in enumerate(["Modified", "Conflicts", "Out-of-date", "Not in repository"]):
        mark, alone = get(f"Mark/{index}/real_time"), get(f"StandInAlone/{index}/real_time")
        if mark and alone:
            own = (mark["wall_s"] - alone["wall_s"]) * 1e3
            print(f"  Mark {entry:<18} {mark['wall_s'] * 1e3:7.1f} ms   stand-in alone"
                  f" {alone['wall_s'] * 1e3:6.1f} ms   module's own {own:6.1f} ms")
            target(own < 50, f"Mark {entry} under 50 ms of its own")
    template, text = get("CommitTemplate/real_time"), get("TemplateText/real_time")
    if template and text:
        own = (template["wall_s"] - text["wall_s"]) * 1e3
        print(f"  commit template         {template['wall_s'] * 1e3:7.1f} ms   writing its text"
              f" {text['wall_s'] * 1e3:6.1f} ms   module's own {own:6.1f} ms")
        target(template["wall_s"] * 1e3 < 50, "commit template under 50 ms")

    print("The walk before a command, 2,041 folders and 104,000 files, beside `cvs -n -q update`")
    walk, dry = get("WalkBeforeCommand/real_time"), get("BareDryRunUpdate/iterations:1/real_time")
    if walk and dry:
        ratio = walk["wall_s"] / dry["wall_s"]
        print(f"  walk {walk['wall_s'] * 1e3:8.1f} ms   cvs -n -q update {dry['wall_s'] * 1e3:8.1f} ms"
              f"   ratio {ratio:.3f}")
        target(ratio <= 0.05, "the walk at most 5% of the dry-run update")

    print("The run dialog (stand-in host that waits for the module)")
    run, wait = get("ExitToRunReturn/manual_time"), get("ExitToBareWaitReturn/manual_time")
    if run and wait:
        print(f"  child's exit to the run's return {run['wall_s'] * 1e6:7.0f} us   to a bare"
              f" wait's return {wait['wall_s'] * 1e6:7.0f} us   ratio"
              f" {run['wall_s'] / wait['wall_s']:.2f}")
    noop, spawn = get("NoOpRun/real_time"), get("BareSpawnAndWait/real_time")
    if noop and spawn:
        print(f"  no-op run {noop['wall_s'] * 1e6:7.0f} us   bare spawn and wait"
              f" {spawn['wall_s'] * 1e6:7.0f} us   ratio {noop['wall_s'] / spawn['wall_s']:.2f}")

    print("The console host: scrolling a page of a panel and drawing it")
    small, large = get("ScrollAndDraw/100"), get("ScrollAndDraw/100000")
    if small and large:
        ratio = large["wall_s"] / small["wall_s"]
        print(f"  100,000 rows {large['wall_s'] * 1e3:6.3f} ms a page   100 rows"
              f" {small['wall_s'] * 1e3:6.3f} ms a page   ratio {ratio:.2f}")
        target(ratio <= 1.5, "a 100,000-row panel scrolls as a 100-row one does")

    if failures:
        print(f"{len(failures)} target(s) not met or missing: " + "; ".join(failures))
        return 1
    print("every target met")
    return 0


if __name__ == "__main__":
    sys.exit(main())
