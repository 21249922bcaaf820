#!/bin/sh
# The main window under load, offscreen, against the stand-in register (run as a process
# of its own, so no figure includes it), all from one run:
#  - 100,000 firms delivered into both trees: GUI-thread CPU and the process's peak
#    resident size;
#  - a change of the pane's language with those 100,000 firms shown: GUI-thread CPU
#    until the event loop has settled;
#  - "Find" to "Checking completed." for a 50,000-firm answer: CPU of the window's
#    process (every thread) next to the whole vendrake-batch process on the same answer,
#    and the ratio.
#
#   benchmarks/window_vs_batch.sh [BUILD_DIR]      (default: build-bench, else build)
#
# BUILD_DIR needs bench-tools/window_driver and bin/vendrake-batch (the `benchmarks`
# target of a build configured with -DVENDRAKE_BUILD_BENCHMARKS=ON, Release).
# RUNS (default 5) sets the runs of each scenario. OLD=/path/to/an/older/BUILD_DIR adds
# that build's driver and vendrake-batch to every table, so two versions are compared in
# the same run. ONLY=13 runs scenarios 1 and 3 alone. Needs python3.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ge 1 ]; then
    build=$1
elif [ -x "$here/build-bench/bench-tools/window_driver" ]; then
    build=$here/build-bench
else
    build=$here/build
fi
build=$(cd "$build" && pwd)
for program in "$build/bench-tools/window_driver" "$build/bin/vendrake-batch"; do
    [ -x "$program" ] || { echo "missing: $program" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The shipped languages and dictionaries in a data folder of their own, so that every
# program compared reads the same files; settings start empty for every run.
mkdir -p "$work/share/Quillmarsh"
cp -r "$here/data/Transliteration" "$here/data/Dictionaries" "$work/share/Quillmarsh/"
export XDG_DATA_HOME="$work/share" XDG_DATA_DIRS="$work/none" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8

exec python3 - "$here" "$work" "$build" "${OLD:-}" "${RUNS:-5}" <<'PY'
import os, shutil, signal, statistics, subprocess, sys, time
here, work, build, old, runs = sys.argv[1:6]
runs = int(runs)
only = os.environ.get("ONLY", "123")  # which scenarios run: 1, 2, 3

builds = [("new", build)]
if old:
    builds.insert(0, ("old", os.path.abspath(old)))

port_file = os.path.join(work, "port")
standin = subprocess.Popen(
    ["python3", os.path.join(here, "tools", "standin", "standin.py"), "--port", "0",
     "--port-file", port_file], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    for _ in range(200):
        if os.path.exists(port_file) and open(port_file).read().strip():
            break
        time.sleep(0.05)
    port = open(port_file).read().strip()
    root = "http://127.0.0.1:" + port

    def run(argv, cwd=None):
        """Runs argv with fresh settings; returns its key=value output lines."""
        config = os.path.join(work, "config")
        shutil.rmtree(config, ignore_errors=True)
        env = dict(os.environ, XDG_CONFIG_HOME=config)
        proc = subprocess.Popen(argv, stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env,
                                cwd=cwd)
        out, err = proc.communicate()
        if proc.returncode != 0:
            sys.exit("failed (%d): %s\n%s" % (proc.returncode, " ".join(argv), err.decode()))
        values = {}
        for line in out.decode().splitlines():
            key, _, value = line.partition("=")
            values[key] = float(value)
        return values

    def timed(argv, cwd=None):
        """Runs argv with fresh settings, its connectivity probe sent to the stand-in
        through http_proxy; returns the whole process's CPU (wait4) and wall seconds."""
        config = os.path.join(work, "config")
        shutil.rmtree(config, ignore_errors=True)
        env = {k: v for k, v in os.environ.items()
               if k not in ("no_proxy", "NO_PROXY", "HTTP_PROXY", "all_proxy", "ALL_PROXY")}
        env.update(XDG_CONFIG_HOME=config, http_proxy=root)
        start = time.monotonic()
        proc = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                env=env, cwd=cwd)
        _, status, usage = os.wait4(proc.pid, 0)
        wall = time.monotonic() - start
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit("failed: %s\n%s" % (" ".join(argv), proc.stderr.read().decode()))
        return usage.ru_utime + usage.ru_stime, wall

    def driver(name, mode, rows=None):
        argv = [os.path.join(dict(builds)[name], "bench-tools", "window_driver"),
                "--root", root, "--mode", mode]
        if rows:
            argv += ["--rows", str(rows)]
        return run(argv)

    def batch(name, rows):
        folder = os.path.join(work, "batch")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        with open(os.path.join(folder, "list.txt"), "w", encoding="utf-8") as out:
            out.write("Лавина%d\n" % rows)
        return timed([os.path.join(dict(builds)[name], "bin", "vendrake-batch"), "list.txt",
                      "--service", "127.0.0.1:" + port, "--no-archive"], cwd=folder)

    def spread(values):
        return "%8.3f  (min %.3f, max %.3f)" % (statistics.median(values), min(values),
                                                max(values))

    print("Window benchmarks, offscreen, stand-in on %s, %d runs each (median, min, max)"
          % (root, runs))

    if "1" in only:
        print("\n1. 100,000 firms delivered into both trees (goals: GUI CPU < 1.5 s, peak RSS"
              " < 300 MiB)")
        for name, _ in builds:
            got = [driver(name, "deliver", 100000) for _ in range(runs)]
            print("  %-4s GUI-thread CPU s %s" % (name, spread([g["gui_cpu_s"] for g in got])))
            print("  %-4s process CPU s    %s" % (name, spread([g["process_cpu_s"] for g in got])))
            print("  %-4s wall s           %s" % (name, spread([g["wall_s"] for g in got])))
            print("  %-4s peak RSS MiB     %s" % (name, spread([g["peak_rss_mib"] for g in got])))

    if "2" in only:
        print("\n2. Pane language changed with 100,000 firms shown (goal: < 50 ms GUI CPU)")
        for name, _ in builds:
            got = [driver(name, "language", 100000) for _ in range(max(1, runs // 2))]
            print("  %-4s GUI-thread ms, median of 10 changes %s"
                  % (name, spread([g["language_gui_ms_median"] for g in got])))
            print("  %-4s GUI-thread ms, worst of 10 changes  %s"
                  % (name, spread([g["language_gui_ms_max"] for g in got])))

    if "3" in only:
        print("\n3. \"Find\" to \"Checking completed.\", 50,000 firms (goal: window CPU within 2x"
              " of vendrake-batch)")
        for name, _ in builds:
            window, batch_cpu, batch_wall = [], [], []
            for _ in range(runs):  # interleaved, so both meet the same machine
                window.append(driver(name, "find", 50000))
                cpu, wall = batch(name, 50000)
                batch_cpu.append(cpu)
                batch_wall.append(wall)
            window_cpu = [w["process_cpu_s"] for w in window]
            print("  %-4s window process CPU s %s" % (name, spread(window_cpu)))
            print("  %-4s window GUI CPU s     %s" % (name, spread([w["gui_cpu_s"] for w in window])))
            print("  %-4s window wall s        %s" % (name, spread([w["wall_s"] for w in window])))
            print("  %-4s batch CPU s          %s" % (name, spread(batch_cpu)))
            print("  %-4s batch wall s         %s" % (name, spread(batch_wall)))
            print("  %-4s ratio window/batch CPU %.2f"
                  % (name, statistics.median(window_cpu) / statistics.median(batch_cpu)))
finally:
    standin.send_signal(signal.SIGTERM)
    standin.wait()
PY
