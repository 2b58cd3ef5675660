#!/usr/bin/env python3
# SPDX-FileCopyrightText: The Vintrelle developers
# SPDX-License-Identifier: MIT

"""The window as a screen reader finds it on the accessibility bus.

Run by tests/atspi_test.sh, which starts the program on a virtual screen with
a private accessibility bus. The checks come in named groups; every check
prints one line, PASS or FAIL, and the exit status is 1 when any failed.

Messages are what a screen reader speaks without the user moving: with Qt
before 6.8 a "notification" child of the status line that shows itself with
the message as its name; from Qt 6.8 on Qt's own announcement event (the
AT-SPI signal Object.Announcement) from the status line.
"""

import argparse
import re
import subprocess
import sys
import time
import traceback

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

import pyatspi  # noqa: E402

import dbus  # noqa: E402
import dbus.mainloop.glib  # noqa: E402

WINDOW_NAME = "Vintrelle  2010  -   www.vintrelle.example"
BUTTONS = ["aggiungi", "Calcola", "Addestra", "Reset", "Reinizializza Pesi", "Rimuovi"]
# Each caption label and the caption its control's name begins with.
CAPTION_LABELS = ["Bias", "X1", "X2", "X3", "X4", "X5", "Eta:", "N° cicli Max :", "Sample :"]
INPUTS = ["X1", "X2", "X3", "X4", "X5"]
# The way Tab goes from X1 round to X1 again.
TAB_ORDER = ["X2", "X3", "X4", "X5", "Uscita", "aggiungi", "Calcola", "Addestra", "Reset",
             "Sample", "Reinizializza Pesi", "Rimuovi", "Eta", "N° cicli Max", "diagram", "X1"]
DIAGRAM_NAME = "Schema del neurone"
STARTUP_STATUS = "Sistema Reinizializzato"
CONVERGED = "Addestata"
LIMIT = "Superati i limiti per i cicli di addestramento"
PASSES_BEFORE_TRAINING = "N°Cicli :"
LIMIT_REFUSED = "Valore non valido in N° cicli Max (da -32768 a 32767)"
PASSES_RE = re.compile(r"N°Cicli:(\d+)/(\d+)$")
STORY_TITLE = "Storia dell'addestramento"
NUMBER = r"-?\d+(,\d+)?([Ee][-+]?\d+)?"
# Samples: inputs X1..X5 and the wanted output. The first three can be
# learnt; the four of XOR cannot.
LEARNABLE = [(["0", "0", "0", "0", "0"], "1"), (["1", "0", "0", "0", "0"], "-1"), (["0", "1", "0", "0", "0"], "1")]
XOR = [(["0", "0", "0", "0", "0"], "-1"), (["0", "1", "0", "0", "0"], "1"),
       (["1", "0", "0", "0", "0"], "1"), (["1", "1", "0", "0", "0"], "-1")]

CONTEXT = GLib.MainContext.default()


# ---------------------------------------------------------------------------
# Waiting

def pump(seconds):
    """Lets events arrive for the given time."""
    end = time.monotonic() + seconds
    while True:
        while CONTEXT.iteration(False):
            pass
        if time.monotonic() >= end:
            return
        time.sleep(0.01)


def wait_for(predicate, timeout=5.0):
    """Polls predicate (events arriving meanwhile) until it is true or the time is up."""
    end = time.monotonic() + timeout
    while True:
        while CONTEXT.iteration(False):
            pass
        try:
            value = predicate()
        except (GLib.GError, NotImplementedError, LookupError, AttributeError):
            value = None
        if value:
            return value
        if time.monotonic() >= end:
            return None
        time.sleep(0.02)


# ---------------------------------------------------------------------------
# Results

class Results:
    def __init__(self):
        self.groups = {}
        self.current = None

    def group(self, name):
        self.current = name
        self.groups.setdefault(name, [0, 0])
        print(f"== {name}")

    def check(self, passed, what, detail=""):
        counts = self.groups[self.current]
        counts[0 if passed else 1] += 1
        line = f"{'PASS' if passed else 'FAIL'} [{self.current}] {what}"
        if detail and not passed:
            line += f": {detail}"
        print(line, flush=True)
        return passed

    def summary(self):
        print("== summary")
        failed = 0
        for name, (good, bad) in self.groups.items():
            print(f"{'PASS' if bad == 0 else 'FAIL'} {name}: {good} passed, {bad} failed")
            failed += bad
        return failed


R = Results()


# ---------------------------------------------------------------------------
# Objects on the bus

def key(obj):
    return obj.path if obj is not None else None


def fresh(obj):
    """The object with nothing cached, so that its name and states are read anew."""
    try:
        obj.clear_cache()
    except (AttributeError, GLib.GError):
        pass
    return obj


def name_of(obj):
    return fresh(obj).name or ""


# Roles by the names at-spi2-core 2.46 (Debian 12) gives them, taken from the
# role itself: later releases renamed some ("push button" is "button" on
# Debian 13).
ROLE_NAMES = {
    pyatspi.ROLE_PUSH_BUTTON: "push button",
    pyatspi.ROLE_STATUS_BAR: "status bar",
    pyatspi.ROLE_LIST_ITEM: "list item",
    pyatspi.ROLE_NOTIFICATION: "notification",
}


def role_of(obj):
    return ROLE_NAMES.get(obj.getRole(), obj.getRoleName())


def has_state(obj, state):
    return fresh(obj).getState().contains(state)


def children(obj):
    return [obj.getChildAtIndex(i) for i in range(obj.childCount)]


def text_of(obj):
    """What the object shows: its text, or its name when it has no text."""
    try:
        text = obj.queryText()
        return text.getText(0, -1)
    except NotImplementedError:
        return name_of(obj)


def extents(obj):
    box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def centre(obj):
    x, y, w, h = extents(obj)
    return x + w // 2, y + h // 2


def targets(obj, relation):
    found = []
    for rel in obj.getRelationSet():
        if rel.getRelationType() == relation:
            found += [rel.getTarget(i) for i in range(rel.getNTargets())]
    return found


def caption_of(label_text):
    """A label's caption as a name begins with it: "Eta:" gives "Eta"."""
    return label_text.strip().rstrip(":").strip()


def describe(obj):
    if obj is None:
        return "nothing"
    return f"{role_of(obj)} '{name_of(obj)}'"


class Window:
    """The program's objects on the bus, found once."""

    def __init__(self, app):
        self.app = app
        self.frame = app.getChildAtIndex(0)
        self.all = children(self.frame)
        self.labels = [c for c in self.all if role_of(c) == "label"]
        self.buttons_found = [c for c in self.all if role_of(c) == "push button"]
        self.caption_label = {}
        for text in CAPTION_LABELS:
            exact = [c for c in self.labels if name_of(c) == text]
            near = [c for c in self.labels if name_of(c).startswith(text)]
            self.caption_label[text] = (exact or near or [None])[0]
        self.field = {}
        for text in CAPTION_LABELS:
            label = self.caption_label[text]
            found = targets(label, pyatspi.RELATION_LABEL_FOR) if label else []
            self.field[caption_of(text)] = found[0] if found else self.by_name_prefix(caption_of(text), ("text", "list"))
        self.field["Uscita"] = self.by_name_prefix("Uscita", ("text",))
        if self.field["Sample"] is None:
            self.field["Sample"] = next((c for c in self.all if role_of(c) == "list"), None)
        self.button = {caption: self.find_button(caption) for caption in BUTTONS}
        self.list = self.field["Sample"]
        self.diagram = next((c for c in self.all if name_of(c) == DIAGRAM_NAME),
                            next((c for c in self.all if role_of(c) in ("image", "canvas")), None))
        self.status = self.find_status()
        self.passes = next((c for c in self.labels if "N°Cicli" in text_of(c)), None)

    def by_name_prefix(self, caption, roles):
        found = [c for c in self.all if role_of(c) in roles and name_of(c).startswith(caption)]
        return found[0] if found else None

    def find_button(self, caption):
        exact = [b for b in self.buttons_found if name_of(b).startswith(caption)]
        if exact:
            return exact[0]
        # A name that carries the caption's words elsewhere, so that the other
        # checks can still drive the button.
        words = {"Reset": ["reimposta"]}.get(caption, caption.casefold().split())
        loose = [b for b in self.buttons_found if all(w in name_of(b).casefold() for w in words)]
        return loose[0] if loose else None

    def find_status(self):
        bars = [c for c in self.all if role_of(c) == "status bar"]
        if bars:
            return bars[0]
        return next((c for c in self.labels if STARTUP_STATUS in name_of(c)
                     or name_of(c).startswith("Stato")), None)

    def control(self, caption):
        """A control by its caption: "X1", "Uscita", "Calcola", "Sample", "diagram"."""
        if caption == "diagram":
            return self.diagram
        if caption in self.button:
            return self.button[caption]
        return self.field.get(caption)

    def list_items(self):
        return children(self.list) if self.list is not None else []

    def focused(self):
        """Every object of the window that says it has the keyboard focus."""
        return [c for c in self.all + self.list_items() if has_state(c, pyatspi.STATE_FOCUSED)]


# ---------------------------------------------------------------------------
# Events

class Events:
    """Every event of interest, in the order it came, with what it told.

    The messages are read from the accessibility bus itself, on one
    connection, so that a message's text is the one it had when it came:
    a notification's name is the one its last name change carried, or the
    one it has when it shows itself (asked for later, it may be a later
    message's already). pyatspi's listener tells the program which events
    to send and gives the focus changes.
    """

    def __init__(self):
        self.log = []
        self.names = {}
        self.objects = {}
        pyatspi.Registry.registerEventListener(
            self.on_event, "object:state-changed", "object:announcement",
            "object:property-change:accessible-name", "object:text-changed", "object:text-caret-moved")
        loop = dbus.mainloop.glib.DBusGMainLoop()
        session = dbus.SessionBus(mainloop=loop)
        address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(dbus_interface="org.a11y.Bus")
        self.bus = dbus.bus.BusConnection(str(address), mainloop=loop)
        self.bus.add_signal_receiver(self.on_signal, dbus_interface="org.a11y.atspi.Event.Object",
                                     member_keyword="member", path_keyword="path", sender_keyword="sender")

    def on_signal(self, detail, detail1, detail2, data, properties=None, member=None, path=None, sender=None):
        path, detail = str(path), str(detail)
        if member == "Announcement":
            self.log.append({"type": "announcement", "path": path, "message": str(data), "detail1": int(detail1)})
        elif member in ("TextChanged", "TextCaretMoved"):
            self.log.append({"type": member if member == "TextCaretMoved" else f"{member}:{detail}", "path": path})
        elif member == "PropertyChange" and detail == "accessible-name" and isinstance(data, str):
            self.names[path] = str(data)
        elif member == "StateChanged" and detail == "showing" and int(detail1) == 1:
            # Where the name change did not carry the name (Qt before 6.8
            # sends the object), it is asked for at once, as a screen reader
            # would.
            message = self.names.pop(path, None)
            if message is None:
                try:
                    obj = self.bus.get_object(str(sender), path, introspect=False)
                    message = str(obj.Get("org.a11y.atspi.Accessible", "Name",
                                          dbus_interface="org.freedesktop.DBus.Properties"))
                except dbus.DBusException:
                    message = None
            self.log.append({"type": "showing", "path": path, "sender": str(sender), "message": message,
                             "detail1": 1})

    def object(self, sender, path):
        """Role and parent's path of an object, asked for once."""
        if path not in self.objects:
            obj = self.bus.get_object(sender, path, introspect=False)
            role_number = int(obj.GetRole(dbus_interface="org.a11y.atspi.Accessible"))
            role = ROLE_NAMES.get(role_number, str(obj.GetRoleName(dbus_interface="org.a11y.atspi.Accessible")))
            parent = obj.Get("org.a11y.atspi.Accessible", "Parent", dbus_interface="org.freedesktop.DBus.Properties")
            name = str(obj.Get("org.a11y.atspi.Accessible", "Name", dbus_interface="org.freedesktop.DBus.Properties"))
            self.objects[path] = (role, str(parent[1]), name)
        return self.objects[path]

    def on_event(self, event):
        kind = str(event.type)
        if not kind.startswith("object:state-changed:focused"):
            return
        try:
            who = f"{describe(event.source)} at {key(event.source)}"
        except GLib.GError:
            who = key(event.source)
        self.log.append({"type": kind, "path": key(event.source), "detail1": event.detail1, "who": who})

    def mark(self):
        pump(0.2)
        return len(self.log)

    def messages(self, since):
        """Announcements, and notifications that showed themselves (from their parent)."""
        found = []
        for e in self.log[since:]:
            if e["type"] == "announcement":
                found.append(e)
            elif e["type"] == "showing":
                role, parent, name = self.object(e["sender"], e["path"])
                if role == "notification":
                    message = e["message"] if e["message"] is not None else name
                    found.append({"type": "notification", "path": parent, "message": message, "detail1": 1})
        return found

    def focus_gains(self, since):
        return [e for e in self.log[since:] if e["type"].startswith("object:state-changed:focused") and e["detail1"] == 1]


# ---------------------------------------------------------------------------
# Driving the window

def press(obj):
    """The button's "Press" action, as a screen reader's user would ask for it."""
    action = obj.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    index = names.index("Press") if "Press" in names else 0
    action.doAction(index)


def set_text(field, text):
    field.queryEditableText().setTextContents(text)
    return wait_for(lambda: text_of(field) == text, 3)


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True, timeout=20)


def focus(win, obj):
    """Gives obj the keyboard focus; true when it says it has it."""
    obj.queryComponent().grabFocus()
    return wait_for(lambda: has_state(obj, pyatspi.STATE_FOCUSED), 3)


def focus_list(win):
    """The list takes the focus as from the keyboard: Tab from "Reset", the control before it."""
    if not focus(win, win.button["Reset"]):
        return False
    xdotool("key", "Tab")
    return wait_for(lambda: has_state(win.list, pyatspi.STATE_FOCUSED), 3)


def key_on(win, obj, keyname="space"):
    """Focuses obj and presses a key there, as a keyboard user would."""
    if not focus(win, obj):
        raise AssertionError(f"{describe(obj)} does not take the keyboard focus")
    xdotool("key", "--clearmodifiers", keyname)


class Session:
    def __init__(self, win, events, qt_version):
        self.win = win
        self.events = events
        self.qt_version = qt_version
        self.kind = "announcement" if qt_version >= (6, 8) else "notification"

    def act(self, do, finished=None, settle=1.0, timeout=6.0):
        """Does something, waits till it is over, and gives back the messages it caused."""
        since = self.events.mark()
        status_before = name_of(self.win.status) if self.win.status else ""

        def over():
            if self.events.messages(since):
                return True
            if finished is not None:
                return finished()
            return self.win.status is not None and name_of(self.win.status) != status_before

        do()
        wait_for(over, timeout)
        pump(settle)
        return self.events.messages(since)

    def reset(self):
        return self.act(lambda: press(self.win.button["Reset"]),
                        lambda: len(self.win.list_items()) == 0)

    def add(self, inputs, output):
        for caption, value in zip(INPUTS, inputs):
            set_text(self.win.field[caption], value)
        set_text(self.win.field["Uscita"], output)
        count = len(self.win.list_items())
        return self.act(lambda: press(self.win.button["aggiungi"]),
                        lambda: len(self.win.list_items()) == count + 1)

    def expect_one(self, messages, what, test, wanted):
        """Exactly one message, of the kind this Qt gives, from the status line, passing test."""
        texts = [m["message"] for m in messages]
        if not R.check(len(messages) == 1, f"{what}: announced once", f"{len(messages)} messages {texts}"):
            return None
        message = messages[0]
        R.check(message["type"] == self.kind, f"{what}: as a{'n' if self.kind[0] == 'a' else ''} {self.kind}",
                f"came as {message['type']}")
        R.check(message["path"] == key(self.win.status), f"{what}: from the status line",
                f"came from {message['path']}")
        passed = test(message["message"])
        R.check(passed, f"{what}: says {wanted}" + (f" ('{message['message']}')" if passed else ""),
                f"said '{message['message']}'")
        return message["message"]


# ---------------------------------------------------------------------------
# The check groups

def check_window(s):
    R.group("window")
    frame = s.win.frame
    R.check(role_of(frame) == "frame", "the top-level is a frame", f"role '{role_of(frame)}'")
    R.check(name_of(frame) == WINDOW_NAME, f"the window's name is '{WINDOW_NAME}'", f"name '{name_of(frame)}'")


def check_names(s):
    R.group("names")
    win = s.win
    for text in CAPTION_LABELS:
        label = win.caption_label[text]
        caption = caption_of(text)
        if not R.check(label is not None, f"a label '{text}' is on the bus"):
            continue
        control = win.field.get(caption)
        if not R.check(control is not None, f"the control captioned '{text}' is found"):
            continue
        R.check(name_of(control).startswith(caption), f"the control captioned '{text}' is named '{caption}…'",
                f"named '{name_of(control)}'")
        label_for = [key(t) for t in targets(label, pyatspi.RELATION_LABEL_FOR)]
        R.check(key(control) in label_for, f"the label '{text}' labels its control", f"labels {label_for}")
        # Qt's item views tell no relations of their own: the list is found
        # from its caption, and named by it, but names no label back.
        if role_of(control) != "list":
            labelled_by = [key(t) for t in targets(control, pyatspi.RELATION_LABELLED_BY)]
            R.check(key(label) in labelled_by, f"the control captioned '{text}' is labelled by that label",
                    f"labelled by {labelled_by}")
    bias = win.field.get("Bias")
    if bias is not None:
        R.check(not has_state(bias, pyatspi.STATE_ENABLED), "the bias field is disabled")
    R.check(win.field.get("Uscita") is not None, "a text field is named 'Uscita…'",
            f"text fields are {[name_of(c) for c in win.all if role_of(c) == 'text']}")
    sample_list = win.field.get("Sample")
    if sample_list is not None:
        R.check(role_of(sample_list) == "list", "the control captioned 'Sample :' is a list",
                f"role '{role_of(sample_list)}'")
    for caption in BUTTONS:
        button = win.button[caption]
        R.check(button is not None and name_of(button).startswith(caption),
                f"a button is named '{caption}…'", f"found {describe(button)}")
        if button is not None:
            try:
                action = button.queryAction()
                names = [action.getName(i) for i in range(action.nActions)]
            except NotImplementedError:
                names = []
            R.check("Press" in names, f"the button '{caption}' has the action Press", f"actions {names}")


def check_status_at_startup(s):
    R.group("status line")
    status = s.win.status
    if not R.check(status is not None, "the status line is on the bus"):
        return
    R.check(role_of(status) == "status bar", "the status line's role is status bar", f"role '{role_of(status)}'")
    R.check(name_of(status) == STARTUP_STATUS, f"at start-up it is named '{STARTUP_STATUS}'",
            f"named '{name_of(status)}'")
    R.check(text_of(status) == STARTUP_STATUS, f"at start-up its text is '{STARTUP_STATUS}'",
            f"text '{text_of(status)}'")


def check_status_follows(s, expected, after):
    """The status line's name is its current text."""
    status = s.win.status
    if status is None:
        return
    R.group("status line")
    R.check(name_of(status) == expected, f"after {after} it is named '{expected}'", f"named '{name_of(status)}'")


def check_passes_at_startup(s):
    R.group("pass display")
    passes = s.win.passes
    if not R.check(passes is not None, "the pass display is on the bus"):
        return
    R.check(role_of(passes) == "label", "the pass display is a label", f"role '{role_of(passes)}'")
    R.check(text_of(passes) == PASSES_BEFORE_TRAINING, f"before any training it reads '{PASSES_BEFORE_TRAINING}'",
            f"reads '{text_of(passes)}'")


def passes_text(s):
    return text_of(s.win.passes) if s.win.passes is not None else ""


def check_messages(s):
    R.group("messages")
    win = s.win
    s.expect_one(s.reset(), "Reset", lambda m: m == STARTUP_STATUS, f"'{STARTUP_STATUS}'")
    for row, (inputs, output) in enumerate(LEARNABLE):
        wanted = f"Sample N°{row}"
        s.expect_one(s.add(inputs, output), f"aggiungi (sample {row})", lambda m, w=wanted: m == wanted, f"'{wanted}'")
    check_status_follows(s, "Sample N°2", "the third 'aggiungi'")
    R.group("messages")

    # "Calcola" with the keyboard, then through its action.
    for how, do in (("keyboard", lambda: key_on(win, win.button["Calcola"])),
                    ("action", lambda: press(win.button["Calcola"]))):
        said = s.expect_one(s.act(do), f"Calcola ({how})", lambda m: m in ("Calcolato: 1", "Calcolato: -1"),
                            "'Calcolato: 1' or 'Calcolato: -1'")
        answer = text_of(win.field["Uscita"])
        if said is not None:
            R.check(said == f"Calcolato: {answer}", f"Calcola ({how}): the message tells the output field's answer",
                    f"said '{said}', output field '{answer}'")

    # "Addestra" with the keyboard, on samples it can learn.
    said = s.expect_one(s.act(lambda: key_on(win, win.button["Addestra"]), settle=1.5), "Addestra (converging)",
                        lambda m: m.startswith(CONVERGED), f"'{CONVERGED}…'")
    shown = passes_text(s)
    if said is not None:
        R.check(PASSES_RE.search(shown) is not None and shown in said,
                "Addestra (converging): the message holds the pass display's text", f"said '{said}', display '{shown}'")
    check_passes_after(s, "a converging training")
    R.group("messages")

    s.expect_one(s.act(lambda: press(win.button["Reinizializza Pesi"])), "Reinizializza Pesi",
                 lambda m: m == "Rete Reinizializzata", "'Rete Reinizializzata'")

    # "Addestra" at the limit: XOR cannot be learnt, one cycle allowed.
    s.expect_one(s.reset(), "Reset (before XOR)", lambda m: m == STARTUP_STATUS, f"'{STARTUP_STATUS}'")
    for row, (inputs, output) in enumerate(XOR):
        wanted = f"Sample N°{row}"
        s.expect_one(s.add(inputs, output), f"aggiungi (XOR sample {row})", lambda m, w=wanted: m == wanted,
                     f"'{wanted}'")
    limit_field = win.field["N° cicli Max"]
    R.check(bool(set_text(limit_field, "1")), "'N° cicli Max' takes '1'", f"reads '{text_of(limit_field)}'")
    messages = s.act(lambda: key_on(win, win.button["Addestra"]), settle=1.5)
    said = s.expect_one(messages, "Addestra (at the limit)", lambda m: m.startswith(LIMIT), f"'{LIMIT}…'")
    shown = passes_text(s)
    if said is not None:
        R.check(PASSES_RE.search(shown) is not None and shown in said,
                "Addestra (at the limit): the message holds the pass display's text", f"said '{said}', display '{shown}'")
    R.check(not any(CONVERGED in m["message"] for m in messages), f"Addestra (at the limit): '{CONVERGED}' is never said",
            f"said {[m['message'] for m in messages]}")
    check_passes_after(s, "a training at the limit", expect_limit=1)
    R.group("messages")

    # A value refused: only its message.
    set_text(limit_field, "abc")
    s.expect_one(s.act(lambda: press(win.button["Addestra"])), "Addestra with 'N° cicli Max' = 'abc'",
                 lambda m: m == LIMIT_REFUSED, f"'{LIMIT_REFUSED}'")
    set_text(limit_field, "10000")


def check_passes_after(s, what, expect_limit=None):
    R.group("pass display")
    shown = passes_text(s)
    found = PASSES_RE.search(shown)
    R.check(found is not None, f"after {what} it reads 'N°Cicli:<passes>/<limit>'", f"reads '{shown}'")
    if found is not None and expect_limit is not None:
        R.check(int(found.group(2)) == expect_limit, f"after {what} it shows the limit {expect_limit}",
                f"reads '{shown}'")


def check_focus(s):
    R.group("focus")
    win = s.win
    s.reset()
    for inputs, output in LEARNABLE:
        s.add(inputs, output)
    if not R.check(len(win.list_items()) == 3, "three samples in the list", f"{len(win.list_items())} items"):
        return

    def select_second():
        if not focus_list(win):
            return False
        for _ in range(2):
            xdotool("key", "Down")
            pump(0.2)
        return wait_for(lambda: has_state(win.list_items()[1], pyatspi.STATE_SELECTED), 3)

    def told_truthfully(after):
        items = win.list_items()
        focused_items = [describe(i) for i in items if has_state(i, pyatspi.STATE_FOCUSED)]
        R.check(not focused_items, f"after {after} no list item is focused", f"focused: {focused_items}")
        holders = [c for c in win.all if has_state(c, pyatspi.STATE_FOCUSED)]
        R.check(len(holders) == 1, f"after {after} one control has the focus", f"{[describe(h) for h in holders]}")
        return holders

    def others(gains, holders):
        allowed = {key(h) for h in holders[:1]}
        return [g["who"] for g in gains if g["path"] not in allowed]

    # Into the list by Tab with no line selected: the list gains the focus,
    # no line does (Qt makes its first line current on the way in and tells
    # it focused, unless kept from it).
    since = s.events.mark()
    R.check(bool(focus_list(win)), "the list takes the focus by Tab")
    pump(0.5)
    lines = {key(i) for i in win.list_items()}
    strays = [g["who"] for g in s.events.focus_gains(since) if g["path"] in lines]
    R.check(not strays, "entering the list with no line selected, no line says it gained the focus", f"from {strays}")
    R.check(bool(select_second()), "the second sample is selected with the keyboard")
    rimuovi = win.button["Rimuovi"]
    if not R.check(bool(focus(win, rimuovi)), "'Rimuovi' takes the keyboard focus"):
        return
    since = s.events.mark()
    xdotool("key", "--clearmodifiers", "space")
    wait_for(lambda: len(win.list_items()) == 2, 5)
    pump(1.0)
    R.check(len(win.list_items()) == 2, "'Rimuovi' removes the sample", f"{len(win.list_items())} items")
    holders = told_truthfully("'Rimuovi'")
    R.check(bool(holders) and key(holders[0]) == key(rimuovi), "after 'Rimuovi' the focus stays on 'Rimuovi'",
            f"on {[describe(h) for h in holders]}")
    strays = others(s.events.focus_gains(since), holders)
    R.check(not strays, "after 'Rimuovi' no other object says it gained the focus", f"from {strays}")

    # The same after "Reset", with a sample selected before.
    R.check(bool(focus_list(win)) and (xdotool("key", "Down") or True)
            and bool(wait_for(lambda: any(has_state(i, pyatspi.STATE_SELECTED) for i in win.list_items()), 3)),
            "a sample is selected with the keyboard")
    reset = win.button["Reset"]
    if not R.check(bool(focus(win, reset)), "'Reset' takes the keyboard focus"):
        return
    since = s.events.mark()
    xdotool("key", "--clearmodifiers", "space")
    wait_for(lambda: len(win.list_items()) == 0, 5)
    pump(1.0)
    holders = told_truthfully("'Reset'")
    strays = others(s.events.focus_gains(since), holders)
    R.check(not strays, "after 'Reset' no other object says it gained the focus", f"from {strays}")


WEIGHT_LINE = [re.compile(r"w0 \(bias\) = " + NUMBER + "$")] + \
    [re.compile(rf"w{i} = " + NUMBER + "$") for i in range(1, 6)]
# A weight as its label shows it: two decimals, or "1,2e4" from 1000 on.
SHOWN_NUMBER = r"-?(\d+,\d\d|\d,\de-?\d+)"
SHOWN_WEIGHT_LINE = [re.compile(r"w0 \(bias\) = " + SHOWN_NUMBER + "$")] + \
    [re.compile(rf"w{i} = " + SHOWN_NUMBER + "$") for i in range(1, 6)]


def check_diagram(s):
    R.group("diagram")
    win = s.win
    diagram = win.diagram
    if not R.check(diagram is not None, "the diagram is on the bus"):
        return
    R.check(role_of(diagram) == "image", "its role is image", f"role '{role_of(diagram)}'")
    R.check(name_of(diagram) == DIAGRAM_NAME, f"its name is '{DIAGRAM_NAME}'", f"name '{name_of(diagram)}'")
    lines = (fresh(diagram).description or "").split("\n")
    R.check(len(lines) == 6 and all(p.match(line) for p, line in zip(SHOWN_WEIGHT_LINE, lines)),
            "its description lists 'w0 (bias) = …', 'w1 = …' … 'w5 = …', one a line, as the labels show them",
            repr(fresh(diagram).description))
    R.check(has_state(diagram, pyatspi.STATE_FOCUSABLE), "it is focusable")

    # Its box: the lines from the inputs' right edges to the output field's
    # left edge, between the first input's and the last input's rows.
    inputs = [win.field[c] for c in ["Bias"] + INPUTS]
    output = win.field["Uscita"]
    if any(c is None for c in inputs + [output]):
        R.check(False, "the fields around the drawing are found")
        return
    boxes = [extents(c) for c in inputs]
    left = min(x + w for x, y, w, h in boxes)
    right = extents(output)[0]
    top = min(y for x, y, w, h in boxes)
    bottom = max(y + h for x, y, w, h in boxes)
    x, y, w, h = extents(diagram)
    margin = 8
    R.check(x <= left + margin and x + w >= right - margin and y <= top + (bottom - top) // 4
            and y + h >= bottom - (bottom - top) // 4,
            "its extents take in the drawing", f"extents {(x, y, w, h)}, drawing about {(left, top, right - left, bottom - top)}")
    R.check(x >= left - margin and x + w <= right + margin and y >= top - margin and y + h <= bottom + margin,
            "its extents take in the drawing alone, not the window",
            f"extents {(x, y, w, h)}, drawing about {(left, top, right - left, bottom - top)}, window {extents(win.frame)}")


def check_tab_order(s):
    R.group("tab order")
    win = s.win
    start = win.field["X1"]
    if not R.check(start is not None and bool(focus(win, start)), "X1 takes the keyboard focus"):
        return
    went = []
    for caption in TAB_ORDER:
        expected = win.control(caption)
        before = [key(c) for c in win.all if has_state(c, pyatspi.STATE_FOCUSED)]
        xdotool("key", "Tab")
        now = wait_for(lambda: [c for c in win.all if has_state(c, pyatspi.STATE_FOCUSED)
                                and [key(c)] != before], 3)
        got = now[0] if now else None
        went.append(describe(got))
        if not R.check(expected is not None and got is not None and key(got) == key(expected),
                       f"Tab goes on to {caption}", f"went to {describe(got)}"):
            break


def check_point_lookup(s):
    R.group("point lookup")
    win = s.win
    component = win.frame.queryComponent()
    controls = [(c, win.control(c)) for c in ["Bias"] + INPUTS + ["Uscita", "Eta", "N° cicli Max"] + BUTTONS + ["Sample"]]
    controls += [(f"label '{t}'", win.caption_label[t]) for t in CAPTION_LABELS]
    for what, control in controls:
        if control is None:
            R.check(False, f"{what} is found")
            continue
        x, y = centre(control)
        found = component.getAccessibleAtPoint(x, y, pyatspi.DESKTOP_COORDS)
        good = found is not None and (key(found) == key(control)
                                      or (control is win.list and key(found.parent) == key(control)))
        R.check(good, f"the point at the centre of {what} ({x},{y}) is {what}", f"it is {describe(found)}")


def check_weights_heard(s):
    R.group("diagram")
    win = s.win
    s.reset()
    for inputs, output in LEARNABLE:
        s.add(inputs, output)
    focused = win.diagram is not None and bool(focus(win, win.diagram))
    R.check(focused, "the diagram takes the keyboard focus")
    if not focused:
        return
    messages = s.act(lambda: press(win.button["Addestra"]), settle=1.5)
    R.check(has_state(win.diagram, pyatspi.STATE_FOCUSED), "the diagram keeps the focus during the training")
    R.check(any("w0 (bias) = " in m["message"] for m in messages),
            "training with the diagram focused tells the new weights", f"said {[m['message'] for m in messages]}")


def check_arrow_keys(s):
    """One change of a field's text is told once: a screen reader reads the
    line at a caret move after Up or Down, and the inserted text too, so a
    caret move and an insertion for one key is the value heard twice."""
    R.group("arrow keys")
    win = s.win
    output = win.field["Uscita"]
    set_text(output, "1")
    if not R.check(bool(focus(win, output)), "Uscita takes the keyboard focus"):
        return
    pump(0.5)
    since = s.events.mark()
    xdotool("key", "Down")
    R.check(wait_for(lambda: text_of(output) == "-1", 3), "Down in Uscita gives -1", f"text '{text_of(output)}'")
    pump(0.5)
    kinds = [e["type"] for e in s.events.log[since:] if e["path"] == key(output)]
    R.check(not ("TextCaretMoved" in kinds and "TextChanged:insert" in kinds),
            "Down in Uscita is told once: a caret move or the inserted text, not both", f"events {kinds}")

    # The wheel turned up over Uscita sets the target as Up does, told alike.
    x, y = centre(output)
    xdotool("mousemove", "--sync", str(x), str(y))
    pump(0.5)
    since = s.events.mark()
    xdotool("click", "4")
    R.check(wait_for(lambda: text_of(output) == "1", 3), "the wheel turned up over Uscita gives 1",
            f"text '{text_of(output)}'")
    pump(0.5)
    kinds = [e["type"] for e in s.events.log[since:] if e["path"] == key(output)]
    R.check(("TextCaretMoved" in kinds) != ("TextChanged:insert" in kinds),
            "the wheel over Uscita is told once: a caret move or the inserted text", f"events {kinds}")


def descendants(obj, depth=4):
    """Obj's children, theirs, and so on, to the given depth."""
    found = []
    for child in children(obj):
        if child is not None:
            found.append(child)
            if depth > 1 and role_of(child) not in ("table", "list"):
                found += descendants(child, depth - 1)
    return found


def check_story(s):
    """After a training the pass display opens the story window (Tab to it,
    Space): a window of its own on the bus, its table read row by row, its
    slider telling "Ciclo k di N"."""
    R.group("story")
    win = s.win
    s.reset()
    for inputs, output in XOR:
        s.add(inputs, output)
    limit_field = win.field["N° cicli Max"]
    set_text(limit_field, "3")
    s.act(lambda: press(win.button["Addestra"]), settle=1.5)
    set_text(limit_field, "10000")
    if not R.check(win.passes is not None and bool(focus(win, win.passes)),
                   "after a training the pass display takes the keyboard focus"):
        return
    xdotool("key", "--clearmodifiers", "space")

    def story_window():
        return next((w for w in children(win.app) if name_of(w) == STORY_TITLE
                     and has_state(w, pyatspi.STATE_SHOWING)), None)
    story = wait_for(story_window, 5)
    if not R.check(story is not None, f"Space on it opens '{STORY_TITLE}', found on the bus",
                   f"windows {[name_of(w) for w in children(win.app)]}"):
        return
    parts = descendants(story)
    table = next((p for p in parts if role_of(p) == "table"), None)
    slider = next((p for p in parts if role_of(p) == "slider"), None)
    if R.check(table is not None, "it holds a table", f"parts {[describe(p) for p in parts]}"):
        cells = table.queryTable()
        R.check((cells.nRows, cells.nColumns) == (4, 10), "the table has a row per sample and ten columns",
                f"{cells.nRows} rows, {cells.nColumns} columns")
        row = [name_of(cells.getAccessibleAt(0, c)) for c in range(cells.nColumns)]
        R.check(len(row) == 10 and row[0].startswith("N°0") and all(re.fullmatch(NUMBER, c) for c in row[1:]),
                f"its first row reads the sample and its numbers ({' | '.join(row)})", f"reads {row}")
    if R.check(slider is not None, "it holds a slider", f"parts {[describe(p) for p in parts]}"):
        said = fresh(slider).description or ""
        R.check(said == "Ciclo 4 di 4", "the slider says 'Ciclo 4 di 4' (the last of the four passes)",
                f"says '{said}'")
        if focus(win, slider):
            xdotool("key", "--clearmodifiers", "Home")
            first = wait_for(lambda: (fresh(slider).description or "") == "Ciclo 1 di 4", 3)
            R.check(bool(first), "Home takes it to 'Ciclo 1 di 4'", f"says '{fresh(slider).description}'")
            R.check(slider.queryValue().currentValue == 1, "its value is then 1",
                    f"value {slider.queryValue().currentValue}")
    xdotool("key", "--clearmodifiers", "Escape")
    R.check(bool(wait_for(lambda: story_window() is None, 3)), "Escape closes it")
    s.reset()


# ---------------------------------------------------------------------------

def find_application(pid, timeout):
    def found():
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.get_process_id() == pid and app.childCount > 0:
                return app
        return None
    return wait_for(found, timeout)


def version_tuple(text):
    return tuple(int(part) for part in re.findall(r"\d+", text or "")[:3])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("--timeout", type=float, default=30)
    parser.add_argument("--only", action="append", help="run this group alone (may be given again)")
    options = parser.parse_args()

    app = find_application(options.pid, options.timeout)
    if app is None:
        print("FAIL: the program's application did not appear on the accessibility bus")
        return 1
    qt = version_tuple(app.toolkitVersion)
    print(f"application '{app.name}', toolkit {app.toolkitName} {app.toolkitVersion}")
    events = Events()
    pump(0.5)
    win = Window(app)
    xdotool("search", "--sync", "--onlyvisible", "--name", "^Vintrelle", "windowfocus", "--sync")
    pump(0.5)
    session = Session(win, events, qt)
    print(f"messages are expected as {session.kind}s")

    groups = (check_window, check_names, check_status_at_startup, check_passes_at_startup, check_diagram,
              check_tab_order, check_point_lookup, check_messages, check_focus, check_weights_heard,
              check_arrow_keys, check_story)
    for group in groups:
        if options.only and not any(name in group.__name__ for name in options.only):
            continue
        try:
            group(session)
        except Exception as error:  # one group's fault leaves the others to run
            R.check(False, f"{group.__name__} ran to its end", f"{type(error).__name__}: {error}")
            traceback.print_exc()
    return 1 if R.summary() else 0


if __name__ == "__main__":
    sys.exit(main())
