#!/usr/bin/python3
"""Walks the accessibility tree (AT-SPI) of running programs and lists every control
without a name. Arguments: the application names to walk (as AT-SPI reports them).
Exit status 1 when a control has no name or an application is not found.
With --follow WINDOW-ID KEYS...: sends the keys to the window (xdotool) and prints what a
screen reader is told as the focus moves.
Needs Debian's python3-pyatspi and a running AT-SPI bus (see a11y-walk.sh)."""
import subprocess
import sys
import threading
import time

import pyatspi

# Roles a listener works or reads; table cells are read through their table.
CONTROLS = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE,
    pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_RADIO_MENU_ITEM, pyatspi.ROLE_PROGRESS_BAR, pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_SLIDER, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_LABEL,
}


def label_of(node):
    """The text of the labels that label node (a buddy label), "" without any."""
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return " ".join(relation.getTarget(i).name or ""
                            for i in range(relation.getNTargets())).strip()
    return ""


def spoken_name(node, role):
    """What a screen reader says the control is: its label, else its name; a combo box's
    name is its value, so it needs a label or a description."""
    label = label_of(node)
    if label:
        return label
    if role == pyatspi.ROLE_COMBO_BOX:
        return (node.description or "").strip()
    return (node.name or "").strip()


def walk(node, path, found):
    try:
        role = node.getRole()
        parent_role = node.parent.getRole() if node.parent else None
        is_control = role in CONTROLS or node.getState().contains(pyatspi.STATE_FOCUSABLE)
        # A combo box's drop-down list belongs to it; an empty label has nothing to say.
        is_control = is_control and role != pyatspi.ROLE_TABLE_CELL and not (
            role == pyatspi.ROLE_LIST and parent_role == pyatspi.ROLE_COMBO_BOX) and not (
            role == pyatspi.ROLE_LABEL and not (node.name or "").strip())
        if is_control:
            found.append((path, node.getRoleName(), spoken_name(node, role)))
    except Exception:  # an object gone while walking
        return
    if role == pyatspi.ROLE_TABLE:
        return  # thousands of cells; the table's current cell is what is read
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, path + "/" + (child.name or child.getRoleName()), found)


def application(name, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.5)
    return None


def main(names):
    failed = False
    for name in names:
        app = application(name)
        if app is None:
            print(f"{name}: not on the accessibility bus")
            failed = True
            continue
        found = []
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            walk(window, window.name or "window", found)
        unnamed = [f for f in found if not f[2]]
        print(f"{name}: {len(found)} controls, {len(unnamed)} without a name")
        for path, role, label in found:
            print(f"  {'NO NAME ' if not label else ''}{role:16} {label!r:40} {path}")
        failed = failed or bool(unnamed) or not found
    return 1 if failed else 0


def follow(window, keys):
    told = []

    def focused(event):
        if event.detail1:
            told.append(f"{event.source.getRoleName()}: {event.source.name}")

    def press():
        subprocess.call(["xdotool", "windowfocus", "--sync", window])
        time.sleep(1)
        for key in keys:
            subprocess.call(["xdotool", "key", key])
            time.sleep(0.7)
        pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
    threading.Thread(target=press).start()
    pyatspi.Registry.start()
    for line in dict.fromkeys(told):  # each focus change once
        print("  told:", line)
    return 0 if told else 1


if __name__ == "__main__":
    if sys.argv[1:2] == ["--follow"]:
        sys.exit(follow(sys.argv[2], sys.argv[3:]))
    sys.exit(main(sys.argv[1:]))
