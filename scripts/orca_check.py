#!/usr/bin/env python3
# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

"""Drives the window by keyboard while Orca runs, and reads what Orca said.

Run by scripts/orca-check. Each action: the button takes the focus (Orca
reads the button; that is not counted), then space is pressed and what Orca
says until it has been quiet a while is the action's speech.
"""

import argparse
import os
import re
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))

import atspi_test as at  # noqa: E402

# "SPEECH OUTPUT: 'Sample N°0.'{'established': False}": the text, then the voice
# (Orca 48 gives some utterances a list of voices: "[{'established': False}]").
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'\s*( voice=\S+)?(\[?\{.*\}\]?)?\s*$")


class OrcaLog:
    def __init__(self, path):
        self.path = path

    def size(self):
        return os.path.getsize(self.path)

    def spoken_since(self, offset):
        with open(self.path, "rb") as log:
            log.seek(offset)
            text = log.read().decode("utf-8", "replace")
        # An utterance of several lines goes on in indented lines, till the
        # one that ends with its voice.
        lines = []
        for line in text.splitlines():
            if lines and line.startswith(" ") and "SPEECH OUTPUT" in lines[-1] \
                    and not lines[-1].rstrip().endswith(("}", "]")):
                lines[-1] += " " + line.strip()
            else:
                lines.append(line)
        return [m.group(1) for m in map(SPOKEN.search, lines) if m]

    def quiet(self, offset, seconds=1.5, timeout=10):
        """Waits till Orca has said something after offset and then nothing for a while."""
        end = time.monotonic() + timeout
        last_size, last_change = self.size(), time.monotonic()
        while time.monotonic() < end:
            at.pump(0.1)
            size = self.size()
            if size != last_size:
                last_size, last_change = size, time.monotonic()
            if self.spoken_since(offset) and time.monotonic() - last_change >= seconds:
                break
        return self.spoken_since(offset)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("--orca-log", required=True)
    options = parser.parse_args()

    app = at.find_application(options.pid, 30)
    if app is None:
        print("FAIL: the program's application did not appear on the accessibility bus")
        return 1
    orca = OrcaLog(options.orca_log)
    win = at.Window(app)
    at.xdotool("search", "--sync", "--onlyvisible", "--name", "^Vintrelle", "windowfocus", "--sync")
    orca.quiet(0)
    failures = 0

    def by_keyboard(caption, what, wanted=(), unwanted=()):
        nonlocal failures
        button = win.button[caption]
        if not at.focus(win, button):
            print(f"FAIL {what}: '{caption}' does not take the keyboard focus")
            failures += 1
            return
        orca.quiet(orca.size(), seconds=1.0, timeout=4)
        offset = orca.size()
        at.xdotool("key", "--clearmodifiers", "space")
        spoken = orca.quiet(offset)
        print(f"{what}: Orca said {spoken}")
        for text in wanted:
            if not any(text in line for line in spoken):
                print(f"FAIL {what}: '{text}' was not said")
                failures += 1
        for text in unwanted:
            if any(text in line for line in spoken):
                print(f"FAIL {what}: '{text}' was said")
                failures += 1

    def complain(what, why):
        print(f"FAIL {what}: {why}")
        return 1

    def focus_then(caption):
        """Gives the control the focus and lets Orca say what it says of it."""
        control = win.control(caption)
        at.focus(win, control)
        orca.quiet(orca.size(), seconds=1.0, timeout=4)

    def set_sample(inputs, output):
        for caption, value in zip(at.INPUTS, inputs):
            at.set_text(win.field[caption], value)
        at.set_text(win.field["Uscita"], output)

    by_keyboard("Reset", "Reset", [at.STARTUP_STATUS])
    for row, (inputs, output) in enumerate(at.LEARNABLE):
        set_sample(inputs, output)
        by_keyboard("aggiungi", f"aggiungi (sample {row})", [f"Sample N°{row}"])
    by_keyboard("Calcola", "Calcola", ["Calcolato: "])
    by_keyboard("Addestra", "Addestra (converging)", [at.CONVERGED, "N°Cicli:"])

    by_keyboard("Reset", "Reset (before XOR)", [at.STARTUP_STATUS])
    for row, (inputs, output) in enumerate(at.XOR):
        set_sample(inputs, output)
        by_keyboard("aggiungi", f"aggiungi (XOR sample {row})", [f"Sample N°{row}"])
    at.set_text(win.field["N° cicli Max"], "1")
    by_keyboard("Addestra", "Addestra (at the limit)", [at.LIMIT, "N°Cicli:"], [at.CONVERGED])
    at.set_text(win.field["N° cicli Max"], "10000")

    # Entering the list by Tab, with no line selected: the list alone, named
    # once, and no line, since none is current.
    focus_then("Reset")
    offset = orca.size()
    at.xdotool("key", "Tab")
    spoken = orca.quiet(offset)
    print(f"Tab into the list: Orca said {spoken}")
    if any("Classificato" in line or "N°" in line for line in spoken):
        failures += complain("Tab into the list", "a list line was said")
    if sum(line.count("Sample") for line in spoken) != 1:
        failures += complain("Tab into the list", "the list's name was not said once")

    # Down and Up in "Uscita" and in an input: each value said once.
    for caption, start, steps in (("Uscita", "1", (("Down", "-1"), ("Up", "1"))),
                                  ("X1", "0,5", (("Down", "-0,5"), ("Up", "0,5")))):
        at.set_text(win.field[caption], start)
        focus_then(caption)
        for arrow, value in steps:
            offset = orca.size()
            at.xdotool("key", arrow)
            spoken = orca.quiet(offset)
            print(f"{arrow} in {caption}: Orca said {spoken}")
            if sum(1 for line in spoken if line.strip().rstrip(".") == value) != 1:
                failures += complain(f"{arrow} in {caption}", f"'{value}' was not said once")

    # The diagram: the weights as the labels show them, two decimals.
    focus_then("N° cicli Max")
    offset = orca.size()
    at.xdotool("key", "Tab")
    spoken = orca.quiet(offset)
    print(f"Tab to the diagram: Orca said {spoken}")
    heard = " ".join(spoken)
    if re.search(r"w1 = -?\d+,\d\d(?!\d)", heard) is None:
        failures += complain("the diagram", "'w1 = ' with two decimals was not said")
    if re.search(r"\d,\d{3,}", heard):
        failures += complain("the diagram", "a weight was said with more than two decimals")

    print(f"Orca: {failures} failed" if failures else "Orca said every status text")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
