#!/usr/bin/env python3
"""check_command_line.py PROGRAM MANPAGE [help|run]

help: --help and --version answer on standard output with status 0, and the
      manual page's OPTIONS say what --help says, option for option.
run:  a wrong command line is named with the usage on standard error and
      exits 2 before any window opens (SDL is given a video driver that does
      not exist, so a window would fail with 1); the folder options are
      obeyed as their variables are, and --fullscreen is for one run only.
"""
import os
import re
import subprocess
import sys
import tempfile

program, manpage = sys.argv[1], sys.argv[2]
mode = sys.argv[3] if len(sys.argv) > 3 else "help"
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def run(args, env_extra=None, timeout=120):
    env = dict(os.environ)
    env.update(env_extra or {})
    return subprocess.run([program] + args, capture_output=True, text=True, env=env, timeout=timeout)


def help_options(text):
    """(option, argument, description) for each option line of the usage."""
    found = []
    for line in text.splitlines():
        m = re.match(r"^  (--[a-z-]+)(?: ([A-Z]+))?\s{2,}(.+)$", line)
        if m:
            found.append((m.group(1), m.group(2) or "", m.group(3).strip()))
    return found


def manual_options(text):
    """The same from the page's OPTIONS section."""
    section = text.split(".SH OPTIONS", 1)[1].split(".SH ", 1)[0]
    lines = section.splitlines()
    found = []
    for i, line in enumerate(lines):
        m = re.match(r'^\.BI? (\\-\\-[a-z\\-]+)(?: " ([A-Z]+)")?$', line)
        if m and i + 1 < len(lines):
            option = m.group(1).replace("\\-", "-")
            description = lines[i + 1].replace("\\-", "-").strip()
            found.append((option, m.group(2) or "", description))
    return found


if mode == "help":
    helped = run(["--help"])
    check(helped.returncode == 0, "--help exits 0")
    check(helped.stdout.startswith("Usage: keelhaven"), "--help prints the usage on standard output")
    check(helped.stderr == "", "--help says nothing on standard error")
    version = run(["--version"])
    check(version.returncode == 0 and re.fullmatch(r"keelhaven \d+\.\d+(\.\d+)*\n", version.stdout) is not None,
          "--version prints 'keelhaven VERSION': " + repr(version.stdout))
    in_help = help_options(helped.stdout)
    with open(manpage, encoding="utf-8") as f:
        in_manual = manual_options(f.read())
    check(len(in_help) >= 9, "the usage lists the options: %r" % in_help)
    check(in_help == in_manual,
          "--help and the manual page agree:\n  help:   %r\n  manual: %r" % (in_help, in_manual))
else:
    no_window = {"SDL_VIDEODRIVER": "no-such-driver", "SDL_AUDIODRIVER": "dummy"}
    for args, says in [(["--no-such-option"], "unknown option"), (["--save-dir"], "needs a folder"),
                       (["--data-dir"], "needs a folder"), (["--record"], "needs a file"),
                       (["--windowed", "--fullscreen"], "do not go together")]:
        wrong = run(args, no_window, timeout=30)
        check(wrong.returncode == 2, "%s exits 2, not %d" % (args, wrong.returncode))
        check(says in wrong.stderr and "Usage: keelhaven" in wrong.stderr,
              "%s names the fault and the usage on standard error: %r" % (args, wrong.stderr[:200]))
        check(wrong.stdout == "", "%s prints nothing on standard output" % args)

    headless = {"SDL_VIDEODRIVER": "dummy", "SDL_AUDIODRIVER": "dummy", "KEELHAVEN_QUIT_AFTER_FRAMES": "5"}
    data = os.path.dirname(os.path.abspath(program))
    with tempfile.TemporaryDirectory() as scratch:
        saves = os.path.join(scratch, "saves")
        played = run(["--fullscreen", "--save-dir", saves, "--data-dir", data],
                     dict(headless, KEELHAVEN_SAVE_DIR=os.path.join(scratch, "not-here")))
        check(played.returncode == 0, "plays with every folder option: %d %s" % (played.returncode, played.stderr))
        settings = os.path.join(saves, "settings.ini")
        check(os.path.isfile(settings), "--save-dir is where the settings go")
        check(not os.path.exists(os.path.join(scratch, "not-here", "settings.ini")),
              "--save-dir wins over KEELHAVEN_SAVE_DIR")
        if os.path.isfile(settings):
            with open(settings, encoding="utf-8") as f:
                check("full_screen = no" in f.read(), "--fullscreen is for this run only")
        played = run(["--windowed", "--save-dir", saves], headless)
        check(played.returncode == 0, "plays --windowed: %d %s" % (played.returncode, played.stderr))
        missing = run(["--save-dir", saves, "--data-dir", os.path.join(scratch, "no-data")], headless)
        check(missing.returncode == 1, "--data-dir is where the data is looked for (exit %d)" % missing.returncode)

if failures:
    sys.exit(1)
print("ok")
