#!/usr/bin/env python3
"""weldcheck's benchmark, run by hand: one joint from start to exit against a bare Qt Core program
(alternately, median of RUNS each); a schedule of ROWS random rows read, checked and written (median
of 5); a schedule of 10,000 rows with one report each. Prints wall times and peak memory (RSS).
    bench/weldcheck/run-weldcheck-benchmark.py [build-dir] [runs] [rows]"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def run(arguments, cwd=None):
    """Wall time in seconds and peak RSS in MiB of one run; its exit status must be 0, 1 or 2."""
    start = time.perf_counter()
    process = subprocess.Popen(arguments, stdout=subprocess.DEVNULL, cwd=cwd)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    code = os.waitstatus_to_exitcode(status)
    if code not in (0, 1, 2):
        sys.exit(f"{arguments[0]} ended with {code}")
    return elapsed, usage.ru_maxrss / 1024


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
    rows = int(sys.argv[3]) if len(sys.argv) > 3 else 1_000_000
    weldcheck = os.path.join(build, "cli", "weldcheck")
    bare = os.path.join(build, "bench", "weldcheck", "bare-core")
    joint = [weldcheck, "--load", "1", "--eccentricity", "100", "--decimal-separator", ","]

    run([bare]), run(joint)  # the file cache warmed
    bare_times, joint_times = [], []
    for _ in range(runs):
        bare_times.append(run([bare])[0])
        joint_times.append(run(joint)[0])
    bare_ms, joint_ms = statistics.median(bare_times) * 1000, statistics.median(joint_times) * 1000
    print(f"one joint: median {joint_ms:.1f} ms, bare Qt Core {bare_ms:.1f} ms, ratio {joint_ms / bare_ms:.2f} "
          f"(target at most 1.2; {runs} runs of each)")

    with tempfile.TemporaryDirectory() as folder:
        schedule = os.path.join(folder, "joints.csv")
        subprocess.run([sys.executable, os.path.join(HERE, "make-schedule.py"), str(rows), schedule], check=True)
        # This machine's speed drifts by a third within minutes: a median of a few runs, with
        # their range.
        results = [run([weldcheck, schedule, "-o", os.path.join(folder, "results.csv")]) for _ in range(5)]
        times = sorted(seconds for seconds, _ in results)
        print(f"schedule of {rows} rows: median {statistics.median(times):.2f} s of 5 "
              f"({times[0]:.2f} to {times[-1]:.2f}), peak RSS {max(mib for _, mib in results):.1f} MiB "
              f"(targets 3 s, 64 MiB)")

        small = os.path.join(folder, "ten-thousand.csv")
        subprocess.run([sys.executable, os.path.join(HERE, "make-schedule.py"), "10000", small], check=True)
        reports = os.path.join(folder, "reports")
        os.mkdir(reports)
        seconds, mib = run([weldcheck, small, "-o", os.path.join(folder, "small.csv"), "--reports", reports])
        # Creating 10,000 files costs the file system from 25 to 450 us each, by its state after
        # earlier deletions (openat's system time), not by the program.
        print(f"10,000 rows with reports: {seconds:.2f} s, {len(os.listdir(reports))} reports, "
              f"peak RSS {mib:.1f} MiB (target 5 s)")


if __name__ == "__main__":
    main()
