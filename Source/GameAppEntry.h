#pragma once
// The program's entry sequence: prepares the process (processor, install
// folder, configuration, per-user folder, logs, random seed), drives the
// application object through start-up, main loop and shut-down, and always
// ends with exit code 0.

// Steps before the application object exists: the built-in name, the
// install folder (the current one when it holds DataLoc/config.xml, else the
// program's own), the configuration, the per-user folder, the three logs and
// the random seed.
void PrepareProgram();

// The whole program; returns the exit code (always 0).
int GameMain();
