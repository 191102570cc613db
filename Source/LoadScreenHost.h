#pragma once
// What the loading screen asks of the program while the data loads between
// frames of its own: the waiting window events handled, a display lost on a
// desktop turned between portrait and landscape set up again, and the
// program's own layer drawn over each frame. The
// application answers these; the loading screen knows nothing else of it.
class LoadScreenHost {
 public:
  enum class DisplayCorrection { NotTurned, Corrected, Failed };

  virtual ~LoadScreenHost() = default;
  // Handles every waiting window event and another start's request to come
  // to the front; true when the player asked to quit.
  virtual bool PumpEvents() = 0;
  // The display was lost: when the desktop has turned since the stored
  // size, the display is set up for the turned desktop (a failed try keeps
  // the stored size). `caller` leads the log lines.
  virtual DisplayCorrection CorrectTurnedDisplay(const wchar_t* caller) = 0;
  // Draws what the program lays over every frame (the bars that frame the
  // picture on a wide display), inside the frame being drawn.
  virtual void DrawFrameOverlay() = 0;
};
