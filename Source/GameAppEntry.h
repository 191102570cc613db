#pragma once
// The program's entry sequence: prepares the process (processor, install
// folder, configuration, per-user folder, logs, random seed), drives the
// application object through start-up, main loop and shut-down, and ends
// with exit code 0 after a run, 1 when the game could not start.

// Steps before the application object exists: the built-in name, the
// install folder (the current one when it holds DataLoc/config.xml, else the
// program's own), the configuration, the per-user folder, the three logs and
// the random seed. Lines logged before the log opens come first in it.
// False when the configuration could not be read (it is named in the log).
bool PrepareProgram();

// The whole program; returns the exit code: 0 once the game started and its
// loop ended, 1 when the configuration, the engine, the game data or the
// game's start failed.
int GameMain();
