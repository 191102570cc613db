#!/usr/bin/env python3
"""Writes the sample story's replay (tests/fixtures/story/story.replay).

Each step of the story is a click on a named thing: a trigger shape of a
scene's model file, a button of an interface form, or a fixed point. Its
window point is worked out from the data itself (the window is 1024 x 768,
the virtual screen's own size, so a virtual point is a window point; a scene
point x, z lies under the virtual point x + 512, 384 - z), so the replay
follows the art when it moves. Each step waits a number of frames after the
one before, long enough for the story's fades and flights at the replay's
frame time. Run it again whenever the story or its art changes:

    tools/replay/make_story_replay.py [output]
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
GAME = os.path.join(ROOT, "Game")
FRAME_TIME = 0.1
SEED = 7
SCANCODE_RETURN = 40


def trigger_point(model_file, name):
    """The middle of a trigger shape's bounding box, as a window point."""
    path = os.path.join(GAME, "Data", "Models", model_file)
    xs, zs, inside = [], [], False
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("o ") or line.startswith("g "):
                inside = line.split()[1] == name
            elif inside and line.startswith("v "):
                _, x, _, z = line.split()[:4]
                xs.append(float(x))
                zs.append(float(z))
    if not xs:
        sys.exit("no trigger shape %s in %s" % (name, model_file))
    x = (min(xs) + max(xs)) / 2
    z = (min(zs) + max(zs)) / 2
    return round(x + 512), round(384 - z)


def button_point(form_file, name):
    """The middle of a form's button, as a window point."""
    path = os.path.join(GAME, "Data", "Interface", form_file)
    with open(path, encoding="utf-8") as f:
        text = f.read()
    m = re.search(r'<\w+\s+Name="%s"([^>]*)>' % re.escape(name), text)
    if not m:
        sys.exit("no button %s in %s" % (name, form_file))
    attrs = dict(re.findall(r'(\w+)="([^"]*)"', m.group(1)))
    return (round(float(attrs["X"]) + float(attrs["Width"]) / 2),
            round(float(attrs["Y"]) + float(attrs["Height"]) / 2))


# The story, step by step: (what the player does, frames after the step
# before, how, where). "click" presses and releases the left button at the
# point two frames after moving there.
STORY = [
    ("the logo's first slide is clicked away", 4, "click", (520, 390)),
    ("the logo's second slide is clicked away", 10, "click", (530, 400)),
    # The title scene's panel has risen after its fly-in.
    ("Play in the main menu", 166, "click", (512, 322)),
    ("the new player's name", 33, "text", "Mira"),
    ("Enter confirms the name", 5, "key", SCANCODE_RETURN),
    ("the intro cut-scene is skipped", 40, "click", button_point("RolikInterfaceMenu.xml", "BSkip")),
    ("the key is found in the hall", 60, "click", trigger_point("Back_1_tr.zorm", "T_Key")),
    ("the wick is picked up from the floor", 60, "click", trigger_point("Back_1_tr.zorm", "T_Wick")),
]
QUIT_AFTER = 200


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "tests", "fixtures", "story", "story.replay")
    lines = ["# The sample story played from the first click on; made by",
             "# tools/replay/make_story_replay.py (run it again after story changes).",
             "lht-input 1", "frame-time %g" % FRAME_TIME, "seed %d" % SEED]
    frame = 0
    for what, wait, how, where in STORY:
        frame += wait
        lines.append("# %s" % what)
        if how == "click":
            x, y = where
            lines.append("%d move %d %d" % (frame, x, y))
            lines.append("%d down 0 %d %d" % (frame + 1, x, y))
            lines.append("%d up 0 %d %d" % (frame + 2, x, y))
            frame += 2
        elif how == "text":
            lines.append("%d text %s" % (frame, where))
        elif how == "key":
            lines.append("%d key-down %d" % (frame, where))
            lines.append("%d key-up %d" % (frame + 1, where))
            frame += 1
    lines.append("%d quit" % (frame + QUIT_AFTER))
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
