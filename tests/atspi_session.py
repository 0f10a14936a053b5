#!/usr/bin/python3
"""Reads the running game through the accessibility bus, as a screen reader
does, and checks what a player who cannot see the screen is told.

    atspi_session.py title   the title window and its picture
    atspi_session.py scene   presses Space on the stop button, then checks
                             that the scene is announced and can be read
    atspi_session.py graph   reads the open graph window's bars
    atspi_session.py picture prints where the title picture's area lies on
                             the screen: left, top, width and height

With PURUMOKE_LANGUAGE=en in the environment the game is read in English:
its windows by their English captions, and nothing it gives a screen
reader may hold a Japanese character.
Prints a FAIL line for each problem; the exit status is the number of them.
"""
import os
import re
import subprocess
import sys
import time

import gi
gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

ENGLISH = os.environ.get("PURUMOKE_LANGUAGE") == "en"
if ENGLISH:
    TITLE, MAIN, MESSAGES = "Purumoke Nostalica", "PuruNos Main Screen", "Message"
    GRAPH, NEXT, BAR = "Purumoke Graph", "Next, Please!", "PuruMoke"
    # The day as the message window's next button tells it, and the place
    # line of a scene.
    DAY_BETWEEN, PLACE = ", ", r"\[(.+)\]"
else:
    TITLE, MAIN, MESSAGES = "ぷるもけ　ノスタリカ", "ぷるノス　メイン画面", "メッセージ"
    GRAPH, NEXT, BAR = "ぷるもけグラフ", "次いってみよう", "ぷるもけ"
    DAY_BETWEEN, PLACE = "　", r"［(.+)］"
JAPANESE = re.compile("[\u3000-\u30ff\u31f0-\u31ff\u3400-\u4dbf\u4e00-\u9fff\uff00-\uffef]")
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
    day = DAY_BETWEEN.join(label.name for label in descendants(main, pyatspi.ROLE_LABEL))
    if day + "\n" + scene not in focused:
        fail("the focus did not land on %s with %s and the scene (heard %r)" % (NEXT, day, focused))
    pictures = [image.name for image in descendants(main, pyatspi.ROLE_IMAGE)]
    place = re.fullmatch(PLACE, lines[0])
    if not place or place.group(1) not in pictures:
        fail("the event picture is named %r for the scene at %s" % (pictures, lines[0]))
    if ENGLISH:
        check_english(app)


def check_english(app):
    """Nothing the game gives a screen reader holds a Japanese character:
    names, descriptions and texts of every window and what lies in it."""
    def said(node):
        yield node.name
        yield node.description
        try:
            yield node.queryText().getText(0, -1)
        except NotImplementedError:
            pass
        for child in node:
            if child is not None:
                yield from said(child)
    japanese = {text for text in said(app) if text and JAPANESE.search(text)}
    if japanese:
        fail("the English game tells a screen reader %r" % sorted(japanese))


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
    drawn = [label.name for label in labels if BAR in label.name]
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
