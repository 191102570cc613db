#pragma once
// Test tooling beside LHT_HEADLESS: a play recorded to a file and played
// back from one, named by the environment.
//   LHT_RECORD=<file>  records the desktop's input while the game is played
//   LHT_REPLAY=<file>  plays a recorded file instead of the desktop's input;
//                      when it ends, the desktop's input takes over again
// Both run the game on a fixed frame time and seed, so a replay goes the
// way the recording went.
namespace zuzorev {
class CEventQueue;
}

namespace InputReplay {

constexpr const char* kRecordVariable = "LHT_RECORD";
constexpr const char* kReplayVariable = "LHT_REPLAY";

// Attaches the replay or the recorder the environment asks for to the
// window's queue (a replay wins when both are set). False when one was asked
// for and could not be attached: the reason is logged and the game starts
// on the desktop's input.
bool AttachFromEnvironment(zuzorev::CEventQueue& queue);

}  // namespace InputReplay
