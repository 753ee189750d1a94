#!/usr/bin/python3
# What a screen reader finds in the running game over AT-SPI: the 144 letters with their states,
# the keyboard cursor's focus, a letter pressed through its action, and the status text.
# Run by accessibility.sh once the game screen shows; exits 1 with a reason on the first fault.
import sys
import time

import pyatspi


def fail(why):
    print("FAIL: " + why)
    sys.exit(1)


def find_app(name, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.3)
    fail("no accessible application named " + name)


def descendants(node, depth=0):
    if node is None or depth > 8:
        return
    yield node
    for child in node:
        yield from descendants(child, depth + 1)


def game_screen(app):
    # The window that holds the board: the one with the most push buttons.
    best, letters = None, []
    for window in app:
        buttons = [n for n in descendants(window)
                   if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and len(n.name) == 1]
        if len(buttons) > len(letters):
            best, letters = window, buttons
    return best, letters


def labels(window):
    return [n for n in descendants(window) if n.getRole() == pyatspi.ROLE_LABEL]


def wait_until(test, seconds=5):
    end = time.time() + seconds
    while time.time() < end:
        if test():
            return True
        time.sleep(0.1)
    return False


app = find_app("tolvano")
window, letters = None, []
wait_until(lambda: len(game_screen(app)[1]) >= 144, 20)
window, letters = game_screen(app)
if len(letters) != 144:
    fail("%d letters found, not 144" % len(letters))
if any(not n.name.isalpha() for n in letters):
    fail("a letter whose name is not a letter: " + "".join(n.name for n in letters))
if any(n.description for n in letters):
    fail("a letter of a new round already described: " + repr([n.description for n in letters]))
print("letters: " + "".join(n.name for n in letters))

# Before any word is found no label names one: the hidden captions carry no text. The balloons'
# "quedan 8 intentos" is the one text a round starts with.
def tries(name):
    return name.startswith("quedan ")


early = [n.name for n in labels(window) if n.name and not tries(n.name)]
if early:
    fail("labels named at the round's start: %r" % early)
if "quedan 8 intentos" not in [n.name for n in labels(window)]:
    fail("no label says the round's eight tries")

# The keyboard cursor: the round starts with it on the first letter, which reports the focus;
# an arrow moves it, and the letter under it reports the focus.
import subprocess
if not wait_until(lambda: letters[0].getState().contains(pyatspi.STATE_FOCUSED)):
    fail("the first letter does not report the focus at the round's start")
subprocess.run(["xdotool", "key", "Right"], check=True)
if not wait_until(lambda: letters[1].getState().contains(pyatspi.STATE_FOCUSED)):
    fail("the letter under the cursor does not report the focus")
if letters[0].getState().contains(pyatspi.STATE_FOCUSED):
    fail("the letter the cursor left still reports the focus")

# Letters pressed through their action, in reading order, until the game says something: a
# word found, or the round lost to the eighth miss.
said = None
for index, letter in enumerate(letters):
    action = letter.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names and "press" not in [n.lower() for n in names]:
        fail("letter %d offers no press action: %r" % (index, names))
    action.doAction([n.lower() for n in names].index("press"))
    if not wait_until(lambda: letter.description != ""):
        fail("letter %d (%s) has no state after its press" % (index, letter.name))
    status = [n.name for n in labels(window) if n.name and not tries(n.name)]
    hits = [s for s in status if "encontrada" in s or "intentos" in s]
    if hits:
        said = hits[0]
        break
if said is None:
    fail("no status text after every letter was pressed")
print("status: " + said)
states = sorted({n.description for n in letters if n.description})
print("letter states: " + ", ".join(states))
if letters[1].getState().contains(pyatspi.STATE_FOCUSED) is False:
    fail("a letter pressed by its action took the focus off the board")
print("accessibility: 1 passed, 0 failed")
