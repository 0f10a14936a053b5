#!/usr/bin/python3
"""Reads the running game through the accessibility bus, as a screen reader
does, and checks what a player who cannot see the screen is told.

    atspi_session.py title   the title window and its picture
    atspi_session.py scene   presses Space on the stop button, then checks
                             that the scene is announced and can be read
    atspi_session.py graph   reads the open graph window's bars
    atspi_session.py picture prints where the title picture's area lies on
                             the screen: left, top, width and height

Prints a FAIL line for each problem; the exit status is the number of them.
"""
import re
import subprocess
import sys
import time

import gi
gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

TITLE = "ぷるもけ　ノスタリカ"
MAIN = "ぷるノス　メイン画面"
MESSAGES = "メッセージ"
GRAPH = "ぷるもけグラフ"
NEXT = "次いってみよう"
WINDOW_ROLES = (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG)

failures = 0


def fail(message):
    global failures
    failures += 1
    print("FAIL: " + message, flush=True)


def pump(seconds, done=lambda: False):
    """Handles accessibility events for up to this long, or until done()."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end and not done():
        while context.iteration(False):
            pass
        time.sleep(0.02)


def game():
    """The game's application on the bus, waiting up to 20 s for it."""
    for _ in range(200):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "purumoke":
                return app
        time.sleep(0.1)
    return None


def window(app, name, seconds=10):
    """The game's window with this caption, waiting for it."""
    for _ in range(int(seconds * 10)):
        for child in app:
            if child is not None and child.name == name:
                return child
        time.sleep(0.1)
    return None


def descendants(node, role):
    found = []
    for child in node:
        if child is None:
            continue
        if child.getRole() == role:
            found.append(child)
        found.extend(descendants(child, role))
    return found


def check_window(app, name):
    found = window(app, name)
    if found is None:
        fail("no window named %s on the accessibility bus" % name)
    elif found.getRole() not in WINDOW_ROLES:
        fail("%s is a %s, not a window" % (name, found.getRoleName()))
    return found


def check_title(app):
    title = check_window(app, TITLE)
    if title is not None:
        names = [image.name for image in descendants(title, pyatspi.ROLE_IMAGE)]
        if names != [TITLE]:
            fail("the title picture's name is %r" % names)


def print_picture(app):
    title = check_window(app, TITLE)
    images = descendants(title, pyatspi.ROLE_IMAGE) if title is not None else []
    if len(images) != 1:
        fail("the title window shows %d pictures" % len(images))
        return
    box = images[0].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    print(box.x, box.y, box.width, box.height, flush=True)


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=False)


def check_scene(app):
    main = check_window(app, MAIN)
    messages = check_window(app, MESSAGES)
    if main is None or messages is None:
        return
    inserted = []
    focused = []

    def heard(event):
        try:
            if event.type.startswith("object:text-changed:insert"):
                inserted.append(event.any_data)
            elif event.detail1 == 1 and event.source.name == NEXT:
                focused.append(event.source.description)
        except Exception:  # an object gone meanwhile tells nothing
            pass

    pyatspi.Registry.registerEventListener(heard, "object:text-changed:insert",
                                           "object:state-changed:focused")
    key("space")
    pump(15, lambda: focused and len("".join(inserted).split("\n")) >= 4)
    pyatspi.Registry.deregisterEventListener(heard, "object:text-changed:insert",
                                             "object:state-changed:focused")

    texts = descendants(messages, pyatspi.ROLE_TEXT)
    if len(texts) != 1:
        fail("the message window holds %d text objects" % len(texts))
        return
    text = texts[0].queryText()
    scene = text.getText(0, -1)
    lines = scene.split("\n")
    print("read: " + " / ".join(lines), flush=True)
    if len(lines) != 4:
        fail("the printed scene has %d lines" % len(lines))
    if "".join(inserted) != scene:
        fail("the text inserted events said %r" % "".join(inserted))
    # The day as the main window shows it comes first.
    day = "　".join(label.name for label in descendants(main, pyatspi.ROLE_LABEL))
    if day + "\n" + scene not in focused:
        fail("the focus did not land on %s with %s and the scene (heard %r)" % (NEXT, day, focused))
    pictures = [image.name for image in descendants(main, pyatspi.ROLE_IMAGE)]
    place = re.fullmatch(r"［(.+)］", lines[0])
    if not place or place.group(1) not in pictures:
        fail("the event picture is named %r for the scene at %s" % (pictures, lines[0]))


def check_graph(app):
    """Each bar reads as its share and is labelled by its heroine's name; the
    window says all three as it opens; no drawn bar text is left to read."""
    graph = check_window(app, GRAPH)
    if graph is None:
        return
    labels = descendants(graph, pyatspi.ROLE_LABEL)
    rows = []
    for bar in labels:
        if re.fullmatch(r"\d+ / 20", bar.name):
            named = [target.name for relation in bar.getRelationSet()
                     if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                     for target in [relation.getTarget(i) for i in range(relation.getNTargets())]]
            rows.append("%s %s" % ("".join(named), bar.name))
    if len(rows) != 3:
        fail("the graph has %d bars labelled by a name and stating a share" % len(rows))
    if graph.description != "\n".join(rows):
        fail("the graph window says %r, its bars %r" % (graph.description, rows))
    drawn = [label.name for label in labels if "ぷるもけ" in label.name]
    if drawn:
        fail("the graph reads drawn bar text %r" % drawn)
    print("graph: " + " / ".join(rows), flush=True)


def main():
    app = game()
    if app is None:
        fail("the game is not on the accessibility bus")
        return 1
    checks = {"title": check_title, "scene": check_scene, "graph": check_graph,
              "picture": print_picture}
    checks[sys.argv[1]](app)
    return failures


if __name__ == "__main__":
    sys.exit(main())
