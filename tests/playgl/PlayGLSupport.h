#pragma once
// Plays of the real game on the GL device in a virtual X server, with the
// frames read back as they are drawn.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "StoryDriver.h"

namespace playgl {

// A rectangle of the 1024 x 768 window (= the virtual screen).
struct SRect {
  int x, y, width, height;
};

// The pixels of `rect` in chosen turns of a play, kept as the frames are
// drawn (ARGB, rows top-down).
class FrameGrabber {
 public:
  // Keeps `rect` of every turn in `turns`; installs itself as the driver's
  // frame probe until destroyed.
  FrameGrabber(SRect rect, std::vector<size_t> turns);
  ~FrameGrabber();
  const std::vector<uint32_t>* At(size_t turn) const;

 private:
  SRect mRect;
  std::vector<size_t> mTurns;
  std::map<size_t, std::vector<uint32_t>> mFrames;
};

// The value kept under `name` (a failure naming it when nothing was kept,
// and an empty value then).
template <class T>
const T& Kept(const std::map<std::string, T>& kept, const std::string& name) {
  static const T none{};
  const auto it = kept.find(name);
  EXPECT_NE(it, kept.end()) << "the frame \"" << name << "\" was read back";
  return it == kept.end() ? none : it->second;
}

// How many pixels differ by more than `tolerance` in any channel.
int DifferentPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int tolerance = 8);
// How many different colours (to 4 bits a channel) the pixels hold.
int ColourCount(const std::vector<uint32_t>& pixels);
// The pixels' mean brightness, (r + g + b) / 3 in 0..255.
double Brightness(const std::vector<uint32_t>& pixels);

// A point of the panel's and the scenes' flat space (x across, z up, the
// middle of the screen at 0, 0) as a window point.
struct SPoint {
  int x, y;
};
SPoint WindowPoint(float x, float z);

// The window rectangle the named meshes of a sample-game model file cover
// at rest (the file's text "o name" / "v x y z" lines), grown by `margin`
// on each side and kept inside the window; empty (width 0) when none of
// them is in the file. `raise`: how far up the screen the model stands.
SRect MeshRect(const std::string& modelFile, const std::vector<std::string>& meshes, int margin = 0, int raise = 0);

// A rectangle of a whole-window frame (1024 x 768).
std::vector<uint32_t> Crop(const std::vector<uint32_t>& window, SRect rect);

// A part of a rectangle or a picture, in fractions of its width and height
// from its top-left corner.
struct SPart {
  double left, top, right, bottom;
};
SRect PartOf(SRect rect, SPart part);
// The pixels (ARGB, rows top-down) of a part of a sample-game picture,
// Data/Textures/<name>; empty when the picture cannot be read.
std::vector<uint32_t> PicturePart(const std::string& texture, SPart part);

// The frame at which the replay's step "# what" begins (the frame number of
// the first event line after that comment); 0 when there is no such step.
size_t StepFrame(const std::filesystem::path& replay, const std::string& what);

// A moving thing of a room: its render object, the meshes of the room's
// model file it is drawn from, and whether it moves all the time or only
// now and then (a random pause, a cross-fade between long rests).
struct SMover {
  const char* object;
  std::vector<std::string> meshes;
  bool always;
};
// Whole frames a second apart: each mover's place changes between every
// two (or, now and then, between some two); a failure names each that did
// not, with the changed pixels of each second.
void ExpectMoversMove(const std::string& modelFile, const std::vector<SMover>& movers,
                      const std::vector<const std::vector<uint32_t>*>& seconds);

// Writes ARGB pixels as an RGB PNG file; false when it cannot be written.
bool WritePng(const std::filesystem::path& file, const std::vector<uint32_t>& argb, int width, int height);
// Writes a frame as <name>.png into the folder LHT_SHOTS names, for a person
// to look at a play; nothing without LHT_SHOTS.
void SaveShot(const std::string& name, const std::vector<uint32_t>& argb, int width, int height);

}  // namespace playgl
