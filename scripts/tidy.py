#!/usr/bin/env python3
"""Runs clang-tidy over Kapito's own sources; called by scripts/tidy.sh.

usage: tidy.py ROOT BUILD JOBS BATCH

Parsing the Qt headers and matching the checks against them costs far more
than our code itself, so the sources of one target are analysed together:
a generated file in BUILD/tidy includes up to BATCH of them and is analysed
with that target's compile flags from BUILD/compile_commands.json. Helpers of
the same name in two files of a batch do not compile together; such a batch
is halved until it does, down to single files. A finding in a header is shown
once however many batches include it. Exit status 1 when anything was found.
"""
import concurrent.futures
import json
import os
import re
import shlex
import subprocess
import sys
import time
from collections import Counter

# Our folders. The Qt Test programs themselves (tests/*/tst_*.cpp) are left
# out: each has its own main and would have to be analysed on its own, which
# would more than double the time of this step. Their shared helpers are in.
FOLDERS = ["core", "db", "platform", "app", "transactions", "reports", "charts",
           "watch", "extras", "rollix", "tools", "bench", "tests/support", "tests/jet"]
PRIMARY = re.compile(r"^(.+?):(\d+):(\d+): (warning|error): (.*?)(?: \[([^\]]+)\])?$")
NOISE = re.compile(r"^(\d+ (warnings?|errors?) (generated|treated as errors)|Error while processing )")


def main():
    root, build, jobs, batch = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    ours = "^" + re.escape(root) + "/(" + "|".join(map(re.escape, FOLDERS)) + ")/"
    command = [os.environ.get("CLANG_TIDY", "clang-tidy"), "--quiet",
               "--config-file=" + os.path.join(root, ".clang-tidy"), "--header-filter=" + ours]
    outdir = os.path.join(build, "tidy")
    os.makedirs(outdir, exist_ok=True)

    # Group the sources by their compile flags, i.e. by target.
    targets, seen = {}, set()
    with open(os.path.join(build, "compile_commands.json")) as database:
        entries = json.load(database)
    for entry in entries:
        path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
        if not re.match(ours, path) or path in seen:
            continue
        seen.add(path)
        args = entry.get("arguments") or shlex.split(entry["command"])
        flags, name, i = [], "ziel", 1  # args[0] is the compiler
        while i < len(args):
            # The precompiled Qt headers are the compiler's, not clang-tidy's.
            if args[i] == "-include" and args[i + 1].endswith("cmake_pch.hxx"):
                i += 2
                continue
            if args[i] in ("-Winvalid-pch", "-fpch-instantiate-templates"):
                i += 1
                continue
            if args[i] == "-Xclang" and args[i + 1] in ("-include-pch", "-include"):
                i += 4
                continue
            if args[i] in ("-o", "-c"):
                m = re.search(r"CMakeFiles/([^/]+)\.dir/", args[i + 1]) if args[i] == "-o" else None
                name = m.group(1) if m else name
                i += 2
                continue
            if os.path.normpath(os.path.join(entry["directory"], args[i])) != path:
                flags.append(args[i])
            i += 1
        targets.setdefault((entry["directory"], tuple(flags)), (name, []))[1].append(path)

    tasks = []
    for (directory, flags), (name, files) in targets.items():
        files.sort()
        tasks += [(directory, flags, name, files[n:n + batch]) for n in range(0, len(files), batch)]
    tasks.sort(key=lambda t: -len(t[3]))  # the big batches first, so both cores stay busy

    numbers = Counter()

    def analyse(directory, flags, files, source):
        began = time.monotonic()
        if len(files) > 1:
            with open(source, "w") as out:
                out.writelines('#include "%s" // NOLINT(bugprone-suspicious-include)\n' % f
                               for f in files)
        result = subprocess.run(command + [source, "--"] + list(flags), cwd=directory,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                text=True, errors="replace")
        if os.environ.get("TIDY_VERBOSE"):
            print("%5.1f s  %s" % (time.monotonic() - began, " ".join(
                os.path.relpath(f, root) for f in files)), flush=True)
        return result.returncode, result.stdout

    start = time.monotonic()
    findings, failures, runs, halved = {}, [], 0, set()
    with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
        running = {}
        while tasks or running:
            while tasks and len(running) < jobs:
                task = directory, flags, name, files = tasks.pop(0)
                source = files[0]
                if len(files) > 1:
                    numbers[name] += 1
                    source = os.path.join(outdir, "%s_%d.cpp" % (name, numbers[name]))
                running[pool.submit(analyse, directory, flags, files, source)] = task
            done, _ = concurrent.futures.wait(running, return_when=concurrent.futures.FIRST_COMPLETED)
            for future in done:
                directory, flags, name, files = running.pop(future)
                code, output = future.result()
                runs += 1
                found = parse(output)
                if len(files) > 1 and any(c == "clang-diagnostic-error" for c, _ in found.values()):
                    half = len(files) // 2
                    halved.add(name)
                    tasks[:0] = [(directory, flags, name, files[:half]),
                                 (directory, flags, name, files[half:])]
                    continue
                for head, block in found.items():
                    findings.setdefault(head, block)
                if code != 0 and not found:
                    failures.append(output)

    for output in failures:
        sys.stdout.write(output)
    for head in sorted(findings):
        sys.stdout.write(findings[head][1].replace(root + "/", ""))
    summary = "clang-tidy: %d files in %d runs, %.0f s" % (len(seen), runs, time.monotonic() - start)
    if halved:
        summary += " (batches halved for helpers of the same name: %s)" % ", ".join(sorted(halved))
    print(summary)
    if findings or failures:
        per_check = Counter(check for check, _ in findings.values())
        print("clang-tidy found %d problems: %s" % (len(findings) + len(failures), ", ".join(
            "%s %d" % item for item in per_check.most_common()) or "see above"))
        print("Fix each, or suppress it in place with a reason: // NOLINT(check): why")
        return 1
    return 0


def parse(output):
    """The findings of one run: first line -> (check, the finding with its source lines and notes)."""
    found, head, check, lines = {}, None, None, []
    for line in output.splitlines(keepends=True):
        m = PRIMARY.match(line.rstrip("\n"))
        if m:
            if head:
                found.setdefault(head, (check, "".join(lines)))
            head, check, lines = line, (m.group(6) or "clang-diagnostic-error").split(",")[0], [line]
        elif head and not NOISE.match(line):
            lines.append(line)
    if head:
        found.setdefault(head, (check, "".join(lines)))
    return found


if __name__ == "__main__":
    sys.exit(main())
