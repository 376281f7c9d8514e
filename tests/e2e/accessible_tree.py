#!/usr/bin/python3
"""Walks zerim's accessible tree from outside, as a screen reader does.

Run inside an X server and a D-Bus session (accessible_tree.sh sets both
up): starts the real program with Qt's accessibility on, finds it on the
desktop the accessibility bus shows, and checks that every control of the
main window and of both finders has a role and a name, and that walking to
a place from the keyboard changes what the map tells, and tells it.

    accessible_tree.py ZERIM
"""
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

R = Atspi.Role
# What a user operates: each must say what it is and what it is called.
CONTROLS = {
    R.PUSH_BUTTON, R.TOGGLE_BUTTON, R.CHECK_BOX, R.RADIO_BUTTON, R.COMBO_BOX, R.SLIDER, R.SPIN_BUTTON,
    R.TEXT, R.ENTRY, R.PASSWORD_TEXT, R.LIST, R.LIST_BOX, R.TREE, R.TREE_TABLE, R.TABLE, R.PAGE_TAB_LIST,
    R.MENU, R.MENU_ITEM, R.IMAGE, R.HTML_CONTAINER, R.DOCUMENT_FRAME, R.DOCUMENT_WEB,
}
# Controls whose children are their data (a list's rows), named by it.
ITEM_HOLDERS = {R.LIST, R.LIST_BOX, R.TREE, R.TREE_TABLE, R.TABLE}
failures = []


def fail(text):
    failures.append(text)
    print("FAIL:", text, flush=True)


def wait_for(what, find, seconds=20):
    """Polls `find` until it gives something, pumping the bus's events."""
    end = time.time() + seconds
    while time.time() < end:
        pump()
        found = find()
        if found:
            return found
        time.sleep(0.2)
    apps = [f"{a.get_name()} ({a.get_process_id()})" for a in children(Atspi.get_desktop(0)) if a is not None]
    raise SystemExit(f"FAIL: {what} did not come within {seconds} s; on the bus: {', '.join(apps) or 'nothing'}")


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def children(node):
    try:
        return [node.get_child_at_index(i) for i in range(node.get_child_count())]
    except GLib.Error:
        return []


def walk(node, path=()):
    """Every node under `node`, with the path of roles and names to it."""
    for child in children(node):
        if child is None:
            continue
        here = path + (f"{child.get_role_name()} «{child.get_name()}»",)
        yield child, here
        if child.get_role() not in ITEM_HOLDERS:
            yield from walk(child, here)


def check_controls(window, title):
    count = 0
    for node, path in walk(window):
        role = node.get_role()
        if os.environ.get("ZERIM_A11Y_DUMP"):
            print("  ", " / ".join(path), "—", node.get_description())
        if role not in CONTROLS:
            continue
        count += 1
        if role == R.UNKNOWN or not node.get_role_name():
            fail(f"{title}: a control without a role: {' / '.join(path)}")
        if not node.get_name().strip():
            fail(f"{title}: a control without a name: {' / '.join(path)}")
    print(f"{title}: {count} controls looked at", flush=True)
    if count < 2:
        fail(f"{title}: hardly any controls found ({count})")


def running(program):
    if program.poll() is not None:
        raise SystemExit(f"FAIL: zerim ended at start-up with status {program.returncode}")
    return True


def application(pid):
    desktop = Atspi.get_desktop(0)
    for app in children(desktop):
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except GLib.Error:
            pass
    return None


def window_named(app, start):
    for window in children(app):
        if window is not None and window.get_name().startswith(start):
            return window
    return None


def find_node(window, role, name):
    for node, _ in walk(window):
        if node.get_role() == role and node.get_name() == name:
            return node
    return None


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, timeout=20, capture_output=True, text=True).stdout


def key(window_title, *keys):
    """Presses keys as a user does, in the window whose title starts with
    `window_title` (None: the window that has the keyboard)."""
    if window_title:
        window = xdotool("search", "--sync", "--onlyvisible", "--name", "^" + window_title).split()[0]
        xdotool("windowfocus", "--sync", window)
    xdotool("key", "--clearmodifiers", *keys)


def check_finder(app, shortcut, title):
    key("Sarvenhal", shortcut)
    finder = wait_for(title, lambda: window_named(app, title))
    check_controls(finder, title)
    key(None, "Escape")
    wait_for(f"{title} closed", lambda: window_named(app, title) is None)


def check_one_search(main):
    """The one search's field over the map, opened and typed in, with its list."""
    key("Sarvenhal", "ctrl+k")
    wait_for("the one search", lambda: find_node(main, R.TEXT, "Rechercher partout"))
    xdotool("type", "--delay", "30", "bro")
    time.sleep(0.5)
    check_controls(main, "main window with the one search")
    key(None, "Escape")


def check_walk(app, main):
    carte = find_node(main, R.IMAGE, "Carte")
    if carte is None:
        return fail("the map is not an image named « Carte »")
    told = []
    listener = Atspi.EventListener.new(lambda event: told.append(event.source.get_description()))
    listener.register("object:property-change:accessible-description")
    before = carte.get_description()
    print("the map, before:", before, flush=True)
    if "Zoom" not in before:
        fail(f"the map's description gives no zoom: {before}")
    # From the middle of the view some direction has a place.
    for arrow in ("Left", "Right", "Up", "Down"):
        key("Sarvenhal", "alt+" + arrow)
        after = wait_for("the map's description", carte.get_description, 5)
        if after != before:
            break
    print(f"the map, after Alt+{arrow}:", after, flush=True)
    if "lieu :" not in after:
        fail(f"the map's description names no place after Alt+{arrow}: {after}")
    wait_for("the change told on the bus", lambda: told)
    if told[-1] != after:
        fail(f"the bus told «{told[-1]}», the map reads «{after}»")
    listener.deregister("object:property-change:accessible-description")


def main():
    zerim = sys.argv[1]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    # The accessibility bus and its registry started and answering first, as
    # on a desktop: the program registers with them as it starts.
    children(Atspi.get_desktop(0))
    program = subprocess.Popen([zerim], env=env)
    try:
        app = wait_for("zerim on the accessibility bus", lambda: running(program) and application(program.pid))
        main_window = wait_for("the main window", lambda: window_named(app, "Sarvenhal"))
        time.sleep(1)  # the first map, then the full picture
        check_controls(main_window, "main window")
        check_walk(app, main_window)
        check_one_search(main_window)
        check_finder(app, "ctrl+shift+n", "Recherche de NPCs")
        check_finder(app, "ctrl+shift+s", "Recherche de sorts")
        key("Sarvenhal", "ctrl+q")
        if program.wait(timeout=20) != 0:
            fail(f"zerim ended with status {program.returncode}")
    finally:
        if program.poll() is None:
            program.kill()
    if failures:
        print(f"{len(failures)} failure(s)")
        return 1
    print("the accessible tree is complete")
    return 0


if __name__ == "__main__":
    sys.exit(main())
