#!/usr/bin/env python3
"""Writes the sample story's replays (tests/fixtures/story/*.replay) and the
shorter plays the GL suite watches (tests/fixtures/playgl/*.replay).

Each step of the story is a click on a named thing: a trigger shape of a
scene's model file, a button of an interface form, or a fixed point. Its
window point is worked out from the data itself (the window is 1024 x 768,
the virtual screen's own size, so a virtual point is a window point; a scene
point x, z lies under the virtual point x + 512, 384 - z), so the replay
follows the art when it moves. Each step waits a number of frames after the
one before, long enough for the story's fades and flights at the replay's
frame time. Run it again whenever the story or its art changes:

    tools/replay/make_story_replay.py [story folder [playgl folder]]
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
GAME = os.path.join(ROOT, "Game")
# The main loop counts at most 0.05 s a frame.
FRAME_TIME = 0.05
SEED = 7
SCANCODE_RETURN = 40
PANEL_EDGE_Y = 760


def trigger_point(model_file, name, raise_by=0):
    """The middle of a trigger shape's bounding box, as a window point
    (raise_by: how far up the scene the shape's model stands)."""
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
    return round(x + 512), round(384 - z - raise_by)


# An open close-up stands 50 above the scene's middle.
CLOSE_UP_RAISE = 50


def button_point(form_file, name, raise_by=0):
    """The middle of a form's button, as a window point (raise_by: how far
    above its layout the open form stands)."""
    path = os.path.join(GAME, "Data", "Interface", form_file)
    with open(path, encoding="utf-8") as f:
        text = f.read()
    m = re.search(r'<\w+\s+Name="%s"([^>]*)>' % re.escape(name), text)
    if not m:
        sys.exit("no button %s in %s" % (name, form_file))
    attrs = dict(re.findall(r'(\w+)="([^"]*)"', m.group(1)))
    return (round(float(attrs["X"]) + float(attrs["Width"]) / 2),
            round(float(attrs["Y"]) + float(attrs["Height"]) / 2) - raise_by)


def panel_slot(place):
    """A place of the game panel's item strip, as a window point: the strip
    starts at scene point (-236, -341) and steps 79 across."""
    return round(-236 + 79 * place + 512), round(384 + 341)


# The story, step by step: (what the player does, frames after the step
# before, how, where). "click" presses and releases the left button at the
# point the frame after moving there; "panel-click" waits for the panel.
LOGO = [
    ("the logo's first slide is clicked away", 4, "click", (520, 390)),
    ("the logo's second slide is clicked away", 10, "click", (530, 400)),
    # The title scene's panel has risen 250 after its fly-in.
    ("Play in the main menu", 166, "click", button_point("MainMenu.xml", "B_play", 250)),
]
# A known player's Play asks which story to play.
GO_ON = [
    ("the story is chosen in the play menu", 30, "click", button_point("PlayMenu.xml", "B1")),
]
NEW_PLAYER = [
    ("the new player's name", 33, "text", "Mira"),
    ("Enter confirms the name", 5, "key", SCANCODE_RETURN),
    ("the intro cut-scene is skipped", 40, "click", button_point("RolikInterfaceMenu.xml", "BSkip")),
]
# Three seconds into the hall a new player is asked for the difficulty; the
# box stands 8 above its layout.
DIFFICULTY = [
    ("casual is chosen in the difficulty box", 110, "click", button_point("SelectDifficultyMenu.xml", "BCasual", 8)),
]
# The GL plays choose expert: its hidden-object hint charges in 60 s, the
# time the library plays wait for.
DIFFICULTY_EXPERT = [
    ("expert is chosen in the difficulty box", 110, "click", button_point("SelectDifficultyMenu.xml", "BExpert", 8)),
]
HALL = [
    ("the key is found in the hall", 60, "click", trigger_point("Back_1_tr.zorm", "T_Key")),
    # The found-item window stands 100 pixels above its layout.
    ("the key's window is put away", 30, "click", button_point("PredmetMenu.xml", "BOk", 100)),
    ("the wick is picked up from the floor", 20, "click", trigger_point("Back_1_tr.zorm", "T_Wick")),
    # The key took the strip's first place, the wick the second.
    ("the wick is taken from the panel", 30, "panel-click", panel_slot(1)),
    ("the wick lights the lantern", 20, "click", trigger_point("Back_1_tr.zorm", "T_Lantern")),
    ("the desk's close-up is opened", 40, "click", trigger_point("Back_1_tr.zorm", "TR_B1R4")),
    ("the knife is found in the close-up", 60, "click",
     trigger_point("Back_1_reg_4_tr.zorm", "T_Noj", CLOSE_UP_RAISE)),
    ("the knife's window is put away", 30, "click", button_point("PredmetMenu.xml", "BOk", 100)),
    ("the close-up is closed by its cross", 30, "click",
     trigger_point("Back_1_reg_4_tr.zorm", "T_Krestik", CLOSE_UP_RAISE)),
    ("the door leads to the library", 60, "click", trigger_point("Back_1_tr.zorm", "T_Door")),
]
LIBRARY = [
    ("the shelf's hidden object %d is found" % n, 40 if n == 1 else 15, "click",
     trigger_point("Back_2_tr.zorm", "T_Hog_%02d" % n)) for n in range(1, 10)
]
# The bonus chapter, for a player who has finished the story: chosen in the
# play menu, it opens in the lamp room at dawn. The keeper talks (his first
# line is skipped with a click on the room), then the ghost light is caught;
# a little after, the chapter ends and the main menu comes back.
BONUS = [
    ("the bonus chapter is chosen in the play menu", 30, "click", button_point("PlayMenu.xml", "B2")),
    ("the keeper is asked to talk", 90, "click", trigger_point("Back_4_tr.zorm", "T_Keeper")),
    ("the keeper's first line is looked at", 30, "hover", (512, 100)),
    ("the keeper's first line is skipped", 10, "click", (512, 100)),
    ("the keeper's second line is looked at", 20, "hover", (512, 110)),
    ("the ghost light is caught", 100, "click", trigger_point("Back_4_tr.zorm", "T_Ghost")),
    ("the morph is looked at", 15, "hover", (512, 100)),
]
FINAL = [
    # The end texts take a click only after 48.3 s; the click fades them
    # out and the main menu comes back.
    ("the final cut-scene is clicked away", 980, "click", (512, 384)),
]

# The GL plays look at the panel between the story's clicks: "hover" only
# moves the mouse (to the screen's bottom edge the panel rises to).
LOOK_AT_STRIP = (400, PANEL_EDGE_Y)
HALL_WATCHED = [
    ("the empty strip is looked at", 60, "hover", LOOK_AT_STRIP),
    ("the key is found in the hall", 30, "click", trigger_point("Back_1_tr.zorm", "T_Key")),
    ("the key's window is put away", 30, "click", button_point("PredmetMenu.xml", "BOk", 100)),
    ("the strip with the key is looked at", 40, "hover", LOOK_AT_STRIP),
    ("the scene is looked at", 30, "hover", (512, 100)),
] + HALL[2:5] + [
    ("the lit lantern is looked at", 40, "hover", (512, 100)),
] + HALL[5:9] + [
    # After the 8 s the moving things are watched: the cupboard opens,
    # and its draught stills the mist and the lantern.
    ("the cupboard is opened", 200, "click", trigger_point("Back_1_tr.zorm", "T_CupboardDoor01")),
    ("the open cupboard is looked at", 40, "hover", (512, 100)),
]
# The shortest way through the hall: the lantern lit, the door taken (the
# desk's close-up is not needed to go on).
HALL_TO_LIBRARY = HALL[:5] + HALL[9:]
# In the library the hint is taken once it has charged (60 s in a
# hidden-object scene for a player who chose no difficulty).
HINT_BUTTON = button_point("GamePanel.xml", "BHint")
LIBRARY_LEFT = LIBRARY[:2] + [
    ("the library is left while the hint charges", 30, "hover", (512, 100)),
]
LIBRARY_HINT = [
    ("the restored library is looked at", 60, "hover", (512, 100)),
    ("the hint is taken once it has charged", 120, "click", HINT_BUTTON),
    ("the hint's beam is looked at", 20, "hover", (512, 100)),
]
LIBRARY_BACK = [
    ("the restored library is looked at", 60, "hover", (512, 100)),
    ("the shelf's hidden object 3 is found", 30, "click", trigger_point("Back_2_tr.zorm", "T_Hog_03")),
    # Once the found name has flown to its row and faded there.
    ("the list after the find is looked at", 80, "hover", (512, 100)),
]

# The replays: file name, what it plays, steps, frames from the last step
# to the quit.
REPLAYS = [
    ("story.replay", "the whole story from the first click to the main menu",
     LOGO + NEW_PLAYER + DIFFICULTY + HALL + LIBRARY + FINAL, 150),
    ("story-first-half.replay", "a new player's evening up to the library, then the window closes",
     LOGO + NEW_PLAYER + DIFFICULTY + HALL, 60),
    ("story-continue.replay", "the same player plays on from the main menu",
     LOGO + GO_ON, 150),
    ("story-bonus.replay", "a player who finished the story plays the bonus chapter",
     LOGO + BONUS, 200),
]


# The GL suite's plays, each stopping where its checks end.
PLAYGL_REPLAYS = [
    ("hall.replay", "a new player's hall, its panel and its close-up, watched on GL",
     LOGO + NEW_PLAYER + DIFFICULTY_EXPERT + HALL_WATCHED, 220),
    ("library-leave.replay", "a new player goes through the hall into the library, finds two things and "
     "leaves while the hint charges", LOGO + NEW_PLAYER + DIFFICULTY_EXPERT + HALL_TO_LIBRARY + LIBRARY_LEFT, 1000),
    ("library-hint.replay", "the player comes back to the library and takes the charged hint",
     LOGO + GO_ON + LIBRARY_HINT, 40),
    ("library-back.replay", "the player comes back to the library once more",
     LOGO + GO_ON + LIBRARY_BACK, 30),
    ("bonus.replay", "a player who finished the story plays the bonus chapter, watched on GL",
     LOGO + BONUS, 200),
]


def replay_lines(what, steps, quit_after):
    lines = ["# %s; made by" % (what[0].upper() + what[1:]),
             "# tools/replay/make_story_replay.py (run it again after story changes).",
             "lht-input 1", "frame-time %g" % FRAME_TIME, "seed %d" % SEED]
    frame = 0
    for what, wait, how, where in steps:
        frame += wait
        lines.append("# %s" % what)
        if how in ("click", "panel-click"):
            x, y = where
            if how == "panel-click":
                # The hidden panel rises when the mouse comes to the
                # screen's bottom edge, and stays up under it.
                lines.append("%d move %d %d" % (frame, x, PANEL_EDGE_Y))
                frame += 8
            lines.append("%d move %d %d" % (frame, x, y))
            lines.append("%d down 0 %d %d" % (frame + 1, x, y))
            lines.append("%d up 0 %d %d" % (frame + 2, x, y))
            frame += 2
        elif how == "hover":
            x, y = where
            lines.append("%d move %d %d" % (frame, x, y))
        elif how == "text":
            lines.append("%d text %s" % (frame, where))
        elif how == "key":
            lines.append("%d key-down %d" % (frame, where))
            lines.append("%d key-up %d" % (frame + 1, where))
            frame += 1
    lines.append("%d quit" % (frame + quit_after))
    return lines


def write_replays(folder, replays):
    os.makedirs(folder, exist_ok=True)
    for name, what, steps, quit_after in replays:
        with open(os.path.join(folder, name), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(replay_lines(what, steps, quit_after)) + "\n")


def main():
    fixtures = os.path.join(ROOT, "tests", "fixtures")
    write_replays(sys.argv[1] if len(sys.argv) > 1 else os.path.join(fixtures, "story"), REPLAYS)
    write_replays(sys.argv[2] if len(sys.argv) > 2 else os.path.join(fixtures, "playgl"), PLAYGL_REPLAYS)


if __name__ == "__main__":
    main()
