#!/usr/bin/python3
"""The program as a screen reader sees it, through the desktop's
accessibility bus (AT-SPI): on each panel of the main window, in the print
preview and in the help viewer, every control that takes the focus must
have a name (or a label that names it), and a register grid must expose its
header row as column headers. Keys go through xdotool, as a person's would.

    accessibility.py ARTIFACTS

Run under an X display with a session bus and the accessibility bus up, the
program already started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 and its
splash dismissed. Writes ARTIFACTS/accessibility.txt, the trees it walked.
"""
import subprocess
import sys
import time

import pyatspi

WAIT = 20
# Parts of composite controls that are not controls of their own.
PARTS = {"table cell", "table column header", "table row header", "list item", "scroll bar", "menu item",
         "menu", "page tab"}
failures = []
lines = []


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "40", *keys], check=True)
    time.sleep(0.4)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "25", "--", text], check=True)


def focus(title):
    """What a window manager does when a person clicks a window."""
    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$".replace("(", "\\(").replace(")", "\\)"),
                    "windowfocus", "--sync"], check=False, timeout=10)
    time.sleep(0.3)


def wait_for(what, find):
    end = time.time() + WAIT
    while time.time() < end:
        try:
            found = find()
        except Exception:  # the tree changes under us while windows open
            found = None
        if found:
            return found
        time.sleep(0.2)
    failures.append(f"{what} did not appear within {WAIT} s")
    return None


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "orvanta":
            return app
    return None


def window(app, title):
    for w in app:
        if w is not None and w.name == title and w.getState().contains(pyatspi.STATE_SHOWING):
            return w
    return None


def labelled(node):
    return any(r.getRelationType() == pyatspi.RELATION_LABELLED_BY for r in node.getRelationSet())


def check_table(node, where):
    table = node.queryTable()
    headers = [table.getColumnHeader(c) for c in range(table.nColumns)]
    names = [h.name if h is not None else "" for h in headers]
    # Column 0 is the fixed column, empty as the form has it; every other
    # heading must be the header row's text, not a default number.
    if len(names) < 2 or any(not n or n.isdigit() for n in names[1:]):
        failures.append(f"{where}: the grid has no column headers (it has {names})")


def walk(node, where, depth=0):
    states = node.getState()
    role = node.getRoleName()
    # Visible, not showing: a page larger than the preview is partly off
    # screen, which AT-SPI reports as not showing. Qt reports a page's MDI
    # frame as neither, though the page in it is both: so every node is
    # walked, and each is judged by its own state.
    visible = states.contains(pyatspi.STATE_VISIBLE)
    lines.append("  " * depth + f"{role} {node.name!r}" + ("" if visible else " (hidden)"))
    if visible and role == "table":
        check_table(node, where)
    if (visible and states.contains(pyatspi.STATE_FOCUSABLE) and role not in PARTS and not node.name.strip()
            and not labelled(node)):
        failures.append(f"{where}: a focusable {role} has no name")
    if role == "table":
        return  # its cells are the grid's text, not controls
    for child in node:
        if child is not None:
            walk(child, where, depth + 1)


def check_window(app, title, where):
    w = wait_for(f"the window {title!r}", lambda: window(app, title))
    time.sleep(1)  # the window's children are shown after it
    if w:
        lines.append(f"== {where}")
        walk(w, where)
    return w


def main():
    art = sys.argv[1]
    app = wait_for("the program on the accessibility bus", application)
    if not app:
        return report(art)
    main_title = "2005 Orvanta(금융소득자용)"
    panels = ["도움말", "산출세액계산", "이자소득명세", "배당소득명세"]
    for i, panel in enumerate(panels):
        key(f"ctrl+{i + 1}")
        w = check_window(app, main_title, f"the main window, panel {panel}")
        if not w:
            break
        # The panel buttons, checkable: a check box or toggle button to AT-SPI.
        buttons = [b for b in pyatspi.findAllDescendants(
            w, lambda n: n.getRoleName() in ("check box", "toggle button") and n.name in panels)]
        checked = [b.name for b in buttons if b.getState().contains(pyatspi.STATE_CHECKED)
                   or b.getState().contains(pyatspi.STATE_PRESSED)]
        if checked != [panel]:
            failures.append(f"panel {panel}: the buttons marked as shown are {checked}")

    # The statement in the print preview: computed first, as 인쇄 asks.
    key("ctrl+2")
    for amount in ["", "", "50000000", "", "", "", "", "", ""]:
        if amount:
            type_text(amount)
        key("Return")
    key("alt+c")
    key("alt+p")
    check_window(app, "인쇄", "the print preview")
    key("ctrl+w")  # closes the page, and with it the preview
    time.sleep(0.5)
    focus(main_title)
    key("F1")
    check_window(app, "도움말", "the help viewer")
    key("Escape")
    report(art)


def report(art):
    with open(f"{art}/accessibility.txt", "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")
    for f in failures:
        print(f"a11y: FAILED: {f}", file=sys.stderr)
    print(f"a11y: {'no failures' if not failures else str(len(failures)) + ' failures'}; "
          f"the trees are in {art}/accessibility.txt")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
