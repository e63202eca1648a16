#!/usr/bin/env python3
"""Plants ten one-line faults, one at a time, and reports which of them the tests catch.

Each fault is found by a pattern (the one line it changes), not by a line number, so the list
survives edits around it. For each fault the script changes that line, rebuilds only the test
programs that cover the file, runs them and puts the file back exactly as it was, also when
a build fails or the run is interrupted (Ctrl-C or a terminating signal).

    scripts/plant_faults.py [BUILD_DIR]        (default: build/, an already configured one)
    scripts/plant_faults.py --list             (the faults, numbered, without building anything)
    scripts/plant_faults.py [BUILD_DIR] N ...  (only the faults numbered N ...)
"""

import os
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

CORE = ["core_tests", "editors_tests"]
EDITORS = ["editors_tests"]
LINK = ["link_tests"]

# (file, pattern of the one line to change, text in that line, its replacement, what it does,
#  test programs to rebuild and run)
FAULTS = [
    ("core/layout/settings_fields.h", r'"options\.disable_self_programming"', "Bit(7)", "Bit(6)",
     "disable self programming read from bit 6, the bit of disable manual tuning", CORE),
    ("core/layout/settings_fields.h", r'"options\.disable_manual_tuning"', "Bit(6)", "Bit(7)",
     "disable manual tuning written to bit 7", CORE),
    ("editors/options/option_settings.cpp", r"fields::kOptionsDisableSelfProgramming",
     "kOptionsDisableSelfProgramming", "kOptionsDisableManualTuning",
     "the disable self programming check box reads and writes the manual tuning bit", EDITORS),
    ("core/layout/layout_access.cpp", r"& ~field\.Mask\(\)", "& ~field.Mask()", "& field.Mask()",
     "writing a bit field clears the other bits of its byte", CORE),
    ("editors/channels/channel_model.cpp", r"flag\(fields::kChannelTailElimination, v\.tailElimination\)",
     "kChannelTailElimination", "kChannelCompander",
     "a channel's tail elimination written to the compander bit", EDITORS),
    ("editors/dtmf/dtmf_settings.cpp", r"int OnOffOfStored", "== 0 ? 1 : 0",
     "== 0 ? 0 : 1", "the DTMF side tone (and clearing auto answer) read inverted", EDITORS),
    ("editors/two_tone/two_tone_settings.cpp", r"int MillisecondsOfText", "ParseLeadingInt(text)",
     "Model::Tenths16(text)", "the 2-tone gap written in tenths like the durations", EDITORS),
    ("editors/five_tone_system/five_tone_system_settings.cpp", r"int StoredOfGroupCall",
     "entry - 1", "entry", "the 5-tone group call digit written one too high", EDITORS),
    ("editors/five_tone_codes/five_tone_en_decode_settings.cpp", r"return ParseLeadingInt\(text\) / Model::kWaitTimeStep;",
     "/ Model::kWaitTimeStep;", "/ Model::kWaitTimeStep + 1;",
     "the 5-tone wait time written one step too long", EDITORS),
    ("link/transaction.cpp", r"result == ResultOk && \(expectedReply\.empty\(\)",
     "reply == expectedReply", "!reply.empty()",
     "any reply passes for the acknowledgement a command expects", LINK),
]


class Interrupted(Exception):
    pass


def on_signal(signum, _frame):
    raise Interrupted(signal.Signals(signum).name)


def plant(text, pattern, old, new):
    """The text with the fault planted, or None when the pattern does not pick one line that
    holds `old` exactly once."""
    lines = text.splitlines(keepends=True)
    hits = [i for i, line in enumerate(lines) if re.search(pattern, line)]
    if len(hits) != 1 or lines[hits[0]].count(old) != 1:
        return None
    lines[hits[0]] = lines[hits[0]].replace(old, new)
    return "".join(lines)


def run(cmd, log):
    with open(log, "a") as out:
        return subprocess.run(cmd, cwd=ROOT, stdout=out, stderr=subprocess.STDOUT).returncode


def git_diff(files):
    return subprocess.run(["git", "diff", "--"] + files, cwd=ROOT, capture_output=True,
                          text=True).stdout


def main():
    args = sys.argv[1:]
    if args and args[0] == "--list":
        for n, (path, _, old, new, what, _) in enumerate(FAULTS, 1):
            print(f"{n:2}. {path}: {what} ({old} -> {new})")
        return 0
    numbers = [int(a) for a in args if a.isdigit()]
    args = [a for a in args if not a.isdigit()]
    chosen = [f for n, f in enumerate(FAULTS, 1) if not numbers or n in numbers]
    build = os.path.abspath(args[0] if args else os.path.join(ROOT, "build"))
    if not os.path.isfile(os.path.join(build, "build.ninja")):
        print(f"{build} is not a configured build folder", file=sys.stderr)
        return 2
    log = os.path.join(build, f"plant_faults-{os.getpid()}.log")
    files = sorted({f[0] for f in FAULTS})
    before = git_diff(files)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGHUP, on_signal)

    caught = 0
    interrupted = False
    try:
        for path, pattern, old, new, what, targets in chosen:
            full = os.path.join(ROOT, path)
            with open(full, encoding="utf-8") as f:
                original = f.read()
            planted = plant(original, pattern, old, new)
            if planted is None:
                print(f"{path}: {what}: NOT PLANTED (pattern not found)", flush=True)
                continue
            started = time.time()
            try:
                with open(full, "w", encoding="utf-8") as f:
                    f.write(planted)
                if run(["cmake", "--build", build, "--target"] + targets, log) != 0:
                    verdict = "missed (the fault does not build)"
                else:
                    failed = False
                    for t in targets:
                        r = subprocess.run([os.path.join(build, "tests", t)], cwd=ROOT, env=env,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                        failed = failed or r.returncode != 0
                    verdict = "caught" if failed else "missed"
            finally:
                with open(full, "w", encoding="utf-8") as f:
                    f.write(original)
            caught += verdict == "caught"
            print(f"{path}: {what}: {verdict} ({time.time() - started:.0f} s)", flush=True)
    except (KeyboardInterrupt, Interrupted):
        print("interrupted; the planted fault has been taken out again", file=sys.stderr)
        interrupted = True
    finally:
        after = git_diff(files)
        if after != before:
            print("WARNING: the sources differ from before the run:\n" + after, file=sys.stderr)
            return 3

    if interrupted:
        return 130
    print(f"{caught} of {len(chosen)} caught (build log: {log})")
    return 0 if caught == len(chosen) else 1


if __name__ == "__main__":
    sys.exit(main())
