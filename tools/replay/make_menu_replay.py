#!/usr/bin/env python3
"""Writes the menu walk-through replays (tests/fixtures/story/menu-*.replay).

A new user tries every menu of the sample game: creates a player, chooses
the difficulty, opens the diary, pauses, changes the options,
leaves through the exit question; a second evening over the same user
folder looks at the kept options, the credits and the extras, and creates,
chooses and deletes players. The clicks are worked out from the form and
model files with the helpers of make_story_replay.py, so the replays follow
the art when it moves. Run it again whenever a menu's layout changes:

    tools/replay/make_menu_replay.py [folder]
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_story_replay import (  # noqa: E402
    DIFFICULTY, HALL, LOGO, NEW_PLAYER, ROOT, SCANCODE_RETURN, button_point, replay_lines, trigger_point)

# The map's pictures stand in the interface's space, where a point x, z lies
# under the window point x + 512, 384 - z, as a scene's do.
def map_place(name):
    return trigger_point("LHT60_map.zort", name + "_T")

SCANCODE_ESCAPE = 41
# An idle dialog of the menu frame stands 8 above its layout (its layout
# point 388 rests at 380).
DIALOG_RAISE = 8
# The main menu's panel and buttons have risen 250 after the title scene's
# fly-in, the Extras button on its urn 295.
MAIN_RAISE = 250
EXTRAS_RAISE = 295
# Frames for a dialog to close and the next one to open.
SETTLE = 15


def main_menu(name):
    raise_by = EXTRAS_RAISE if name == "B_extras" else MAIN_RAISE
    return button_point("MainMenu.xml", name, raise_by)


def dialog(form, name):
    return button_point(form, name, DIALOG_RAISE)


def slider_point(form, name, value):
    """A point on a slider's track that sets it to about `value` (0..1)."""
    x, y = dialog(form, name)
    # The middle and the width give the track's left end.
    right, _ = button_point(form, name, DIALOG_RAISE)
    width = 2 * (right - form_attr(form, name, "X"))
    return round(x - width / 2 + width * value), y


def form_attr(form, name, attr):
    with open(os.path.join(ROOT, "Game", "Data", "Interface", form), encoding="utf-8") as f:
        text = f.read()
    m = re.search(r'<\w+\s+Name="%s"([^>]*)>' % re.escape(name), text)
    return float(dict(re.findall(r'(\w+)="([^"]*)"', m.group(1)))[attr])


# The diary's and the panel's own buttons stand where their files put them.
def diary(name):
    return button_point("Dnevnik.xml", name)


def panel(name):
    return button_point("GamePanel.xml", name)


# The first evening of a new user: a player, the difficulty, the diary,
# the pause menu and the options, back to the main menu, the locked
# extras and the exit question (Esc says no, then yes).
CASUAL = DIFFICULTY
EXPERT = [(DIFFICULTY[0][0].replace("casual", "expert"), DIFFICULTY[0][1], "click",
           dialog("SelectDifficultyMenu.xml", "BExpert"))]
FIRST_EVENING = LOGO + NEW_PLAYER + CASUAL + [
    ("the diary is opened from the panel", 40, "panel-click", panel("BDnevnik")),
    ("the diary is closed", 40, "click", diary("BClose")),
    ("the pause menu is opened from the panel", 40, "panel-click", panel("BMenu")),
    ("Esc goes on with the game", 20, "key", SCANCODE_ESCAPE),
    ("the pause menu again", 30, "panel-click", panel("BMenu")),
    ("the options from the pause menu", 20, "click", dialog("EscMenu.xml", "BOptions")),
    ("the sound goes down to a quarter", 30, "click", slider_point("OptionsMenu.xml", "SlayderSound", 0.25)),
    ("the cursor box is ticked", 5, "click", dialog("OptionsMenu.xml", "CheckCursor")),
    ("the options are applied", 5, "click", dialog("OptionsMenu.xml", "BApply")),
    ("the story is left for the main menu", 30, "click", dialog("EscMenu.xml", "BExit")),
    ("the locked extras", 120, "click", main_menu("B_extras")),
    ("the lock's notice is put away", 60, "click", button_point("BonusDisable.xml", "BOk")),
    ("Quit", SETTLE, "click", main_menu("B_quit")),
    ("Esc says no", SETTLE, "key", SCANCODE_ESCAPE),
    ("Quit again", SETTLE, "click", main_menu("B_quit")),
    ("yes, leave", SETTLE, "click", dialog("ExitMenu.xml", "BYes")),
]

# The second evening over the same user folder: the options as they were
# kept, the credits, the extras, a second player created, chosen, and the
# first one deleted.
SECOND_EVENING = LOGO[:2] + [
    ("the options from the main menu", 166, "click", main_menu("B_options")),
    ("Esc closes them", 30, "key", SCANCODE_ESCAPE),
    ("the options again", SETTLE, "click", main_menu("B_options")),
    ("the credits from the options", SETTLE, "click", dialog("OptionsMenu.xml", "BCredits")),
    # The options close and the credits open before their buttons answer.
    ("the credits' next page", 30, "click", dialog("CreditsMenu.xml", "BPlus")),
    ("the credits' page before", 10, "click", dialog("CreditsMenu.xml", "BMinus")),
    ("the credits are closed", SETTLE, "click", dialog("CreditsMenu.xml", "BOk")),
    ("the extras", SETTLE, "click", main_menu("B_extras")),
    ("the extras' guide", SETTLE, "click", button_point("ExtrasMenu.xml", "B2")),
    ("the extras' wallpapers", SETTLE, "click", button_point("ExtrasMenu.xml", "B3")),
    ("the extras' concept art", SETTLE, "click", button_point("ExtrasMenu.xml", "B1")),
    ("the extras are closed", SETTLE, "click", button_point("ExtrasMenu.xml", "BClose")),
    ("change player", SETTLE, "click", main_menu("B_changePlayer")),
    ("a new player", SETTLE, "click", dialog("UserMenu.xml", "BCreate")),
    ("the second player's name", 30, "text", "Bob"),
    ("Enter confirms the name", 5, "key", SCANCODE_RETURN),
    ("the list's second row is chosen", 30, "click", (512, 290 - DIALOG_RAISE + 45)),
    ("OK takes the chosen player", 3, "click", dialog("UserMenu.xml", "BOk")),
    ("change player once more", SETTLE, "click", main_menu("B_changePlayer")),
    ("the first row is chosen", SETTLE, "click", (512, 290 - DIALOG_RAISE + 15)),
    ("Delete", 3, "click", dialog("UserMenu.xml", "BDelete")),
    ("the deletion is confirmed", 30, "click", dialog("UserDeleteMenu.xml", "BOk")),
    ("Esc leaves the list", 40, "key", SCANCODE_ESCAPE),
]

# A player who has come through the hall into the library finds both
# rooms' notes in the diary.
DIARY_NOTES = LOGO + NEW_PLAYER + CASUAL + HALL + [
    ("the diary is opened in the library", 60, "panel-click", panel("BDnevnik")),
]

# The map opens only outside the first rooms: the player climbs the
# library's hatch to the lamp room, opens the map from the diary and goes
# back to the hall by it.
MAP_TRAVEL = LOGO + NEW_PLAYER + CASUAL + HALL + [
    ("the hatch leads up to the lamp room", 60, "click", trigger_point("Back_2_tr.zorm", "T_Hatch")),
    ("the diary is opened in the lamp room", 80, "panel-click", panel("BDnevnik")),
    ("the map is opened from the diary", 40, "click", diary("BKarta")),
    ("the hall's name shows on the map", 30, "hover", map_place("Back_1")),
    ("the hall is chosen on the map", 20, "click", map_place("Back_1")),
]

UP_TO_THE_HALL = LOGO + NEW_PLAYER

REPLAYS = [
    ("menu-first-evening.replay", "a new user's first evening in the menus", FIRST_EVENING, 60),
    ("menu-second-evening.replay", "the same user's second evening in the menus", SECOND_EVENING, 40),
    ("menu-diary-notes.replay", "a player in the library opens the diary", DIARY_NOTES, 60),
    ("menu-map-travel.replay", "a player in the lamp room goes back to the hall by the map", MAP_TRAVEL, 80),
    ("menu-casual.replay", "a new player chooses casual", UP_TO_THE_HALL + CASUAL, 20),
    ("menu-expert.replay", "a new player chooses expert", UP_TO_THE_HALL + EXPERT, 20),
]


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "tests", "fixtures", "story")
    os.makedirs(folder, exist_ok=True)
    for name, what, steps, quit_after in REPLAYS:
        lines = replay_lines(what, steps, quit_after)
        lines[1] = "# tools/replay/make_menu_replay.py (run it again after menu changes)."
        with open(os.path.join(folder, name), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
