#!/usr/bin/python3
"""The program as a blind user meets it: every window read over the
accessibility bus (as a screen reader reads it) and the whole road walked with
the keyboard alone: the welcome window, About, New, a music folder opened and
its files added, a title typed, Save & Exit, the list chosen, Ok; then a second
start, .ZIP into a folder, and the end message.

Usage: screen_reader_road.py PROGRAM MUSIC_FOLDER_NAME ZIP_FOLDER_NAME
Fails (exit 1) on a control without a usable name, or a step the keys cannot do.
"""
import os
import re
import subprocess
import sys
import time

import pyatspi

PROGRAM, MUSIC, ZIP_FOLDER = sys.argv[1:4]

# The roles of the things a user works: each needs a name of its own.
CONTROLS = {"push button", "toggle button", "check box", "radio button", "text", "entry",
            "password text", "list", "combo box", "table", "tree", "tree table", "spin button",
            "slider", "progress bar"}


STEP = ["start"]


def step(text):
    STEP[0] = text
    print("--", text)


def fail(message):
    print("FAIL (%s): %s" % (STEP[0], message), file=sys.stderr)
    sys.exit(1)


def wait_for(what, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        try:
            found = what()
        except Exception:  # the tree changes under the reader
            found = None
        if found:
            return found
        time.sleep(0.1)
    return None


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def descendants(acc):
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        # The rows of a list are checked where a step reads them.
        if child.getRoleName() not in ("list", "table", "combo box"):
            yield from descendants(child)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Davrin Audio Player":
            return app
    return None


def window(title, role=None):
    app = application()
    for i in range(app.childCount if app else 0):
        w = app.getChildAtIndex(i)
        if w is not None and w.name == title and showing(w) and role in (None, w.getRoleName()):
            return w
    return None


def wait_window(title, role=None):
    w = wait_for(lambda: window(title, role))
    if not w:
        fail('the window "%s" did not appear' % title)
    return w


def wait_active(win):
    """Keys go to the window only once it is the active one again."""
    if not wait_for(lambda: win.getState().contains(pyatspi.STATE_ACTIVE)):
        fail('the window "%s" did not become active' % win.name)


def wait_closed(title):
    if not wait_for(lambda: window(title) is None):
        fail('the window "%s" did not close' % title)


def spoken_name(acc):
    """The name a screen reader speaks for a control. A combo box's own name is
    its current value, so it is known only by the label that names it."""
    if acc.getRoleName() != "combo box":
        return acc.name
    for relation in acc.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return " ".join(relation.getTarget(i).name for i in range(relation.getNTargets()))
    return ""


def check_names(win):
    """Every control of the window has a usable name of its own."""
    controls = [a for a in descendants(win) if a.getRoleName() in CONTROLS and showing(a)]
    seen = {}
    for acc in controls:
        role, name = acc.getRoleName(), spoken_name(acc)
        where = '%s in "%s"' % (role, win.name)
        if not name.strip():
            fail('a %s has no name (its value "%s" is all a screen reader reads)' % (where, acc.name)
                 if role == "combo box" else "a %s has no name" % where)
        if re.search(r"&\S", name):
            fail('the %s "%s" keeps an access-key mark' % (where, name))
        parent = acc.parent
        while parent is not None and parent != win:
            if parent.getRoleName() == "panel" and parent.name == name:
                fail('the %s is named after its group "%s"' % (where, name))
            parent = parent.parent
        if (role, name) in seen:
            fail('two controls of "%s" are both read as %s "%s"' % (win.name, role, name))
        seen[(role, name)] = acc
    print('%s: %d controls, all named' % (win.name, len(controls)))
    return seen


def focused():
    """The control that has the keyboard focus (a list, not its row)."""
    def find(acc):
        for child in descendants(acc):
            if child.getState().contains(pyatspi.STATE_FOCUSED) and showing(child):
                return child
        return None
    app = application()
    for i in range(app.childCount if app else 0):
        w = app.getChildAtIndex(i)
        if w is not None and w.getState().contains(pyatspi.STATE_ACTIVE):
            return find(w)
    return None


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "60"] + list(keys), check=True)
    time.sleep(0.25)


def focus_mark():
    at = focused()
    return None if at is None else (at.getRoleName(), spoken_name(at))


def tab_to(name, backward=False, most=20):
    """Tab (or Shift+Tab) until the control of that name has the focus."""
    for _ in range(most):
        at = focused()
        if at is not None and spoken_name(at) == name:
            return at
        before = focus_mark()
        key("shift+Tab" if backward else "Tab")
        # Read the focus only once the program has taken the key.
        wait_for(lambda: focus_mark() not in (None, before), 5)
    fail('%s never reached "%s" (focus on %s)' % ("Shift+Tab" if backward else "Tab", name,
                                                 at.name if at else None))


def shot(name):
    """A picture of the screen among the test's artifacts, to look at."""
    if os.environ.get("ARTIFACTS"):
        subprocess.run(["import", "-window", "root", os.path.join(os.environ["ARTIFACTS"], name)])


def rows(acc):
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)
            if acc.getChildAtIndex(i) is not None
            and acc.getChildAtIndex(i).getRoleName() in ("list item", "table cell")]


def current_row_name(acc):
    for row in rows(acc):
        if row.getState().contains(pyatspi.STATE_FOCUSED):
            return row.name
    return None


def row_down_to(list_acc, name, most=30):
    for _ in range(most):
        before = current_row_name(list_acc)
        if before == name:
            return
        key("Down")
        wait_for(lambda: current_row_name(list_acc) != before, 3)  # not at the last row
    fail('the arrow keys never reached "%s" in %s' % (name, list_acc.name))


def open_alert():
    app = application()
    for i in range(app.childCount):
        w = app.getChildAtIndex(i)
        if w is not None and w.getRoleName() == "alert" and showing(w):
            return w
    return None


def message_box():
    """The program's message box: read as an alert, with its whole text."""
    alert = wait_for(open_alert)
    if not alert:
        fail("no message box was read as an alert")
    texts = [a.name for a in descendants(alert) if a.getRoleName() == "label"]
    return alert, texts


step("the welcome window, at the first start; Escape closes it")
welcome = wait_window("Welcome!")
wait_active(welcome)
check_names(welcome)
key("Escape")
wait_closed("Welcome!")

step("the settings window opens by itself: no play list yet; About")
settings = wait_window("Davrin Audio Player", "dialog")
wait_active(settings)
check_names(settings)
tab_to("About")
key("Return")
about = wait_window("About...")
wait_active(about)
check_names(about)
key("Escape")
wait_closed("About...")
wait_active(settings)

step("New: the editor; open the music folder, add its files, give a title")
tab_to("New")
key("space")
editor = wait_window("Create Your Music List")
wait_active(editor)
check_names(editor)
tab_to("Drives")
folders = tab_to("Folders")
row_down_to(folders, MUSIC)
key("Return")
if not wait_for(lambda: rows(tab_to("Music files"))):
    fail("Return on the music folder did not open it")
tab_to("Add All")
key("Return")
working = wait_for(lambda: next((a for a in descendants(editor) if a.name ==
                                 "Music Files For This Play List" and a.getRoleName() in
                                 ("list", "table") and rows(a)), None))
if not working:
    fail("Add All did not fill the working list")
entries = [(r.name, r.description) for r in rows(working)]
print("working list:", entries)
names = [n for n, _ in entries]
if len(entries) != 2 or names != sorted(names) or not all(
        d.endswith("/" + MUSIC + "/" + n) for n, d in entries):
    fail("the working list is not read one row per entry, by name with its path: %s" % entries)
check_names(editor)
shot("keyboard_editor.png")
tab_to("Play List Title:")
subprocess.run(["xdotool", "type", "--delay", "40", "Road Songs"], check=True)
tab_to("Save & Exit", backward=True)
key("Return")
wait_closed("Create Your Music List")
wait_active(settings)

step("the new list stands chosen in the settings window; Ok plays it")
play_lists = tab_to("Play lists")
if current_row_name(play_lists) != "Road Songs":
    key("Home")
    row_down_to(play_lists, "Road Songs")
tab_to("Ok")
key("space")
wait_closed("Davrin Audio Player")

step("a second start opens the settings window again: .ZIP into a folder")
subprocess.Popen([PROGRAM])
settings = wait_window("Davrin Audio Player", "dialog")
wait_active(settings)
tab_to(".ZIP")
key("Return")
picker = wait_window("Select destination folder for .ZIP file")
wait_active(picker)
check_names(picker)
shot("keyboard_picker.png")
folders = tab_to("Folders")
row_down_to(folders, ZIP_FOLDER)
key("Return")
tab_to("Ok")
key("Return")
step("the end message")
alert, texts = message_box()
wait_active(alert)
print("message box:", alert.name, texts)
if "Finished making .zip file.\nNo errors reported." not in texts:
    fail("the end message is not read with its whole text: %s" % texts)
key("Return")
if not wait_for(lambda: open_alert() is None):
    fail("Return did not close the message box")
wait_active(settings)
key("Escape")
wait_closed("Davrin Audio Player")
print("screen reader road: ok")
