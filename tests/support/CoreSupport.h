#pragma once
// Helpers of the suites that run the engine over the sample game: a game
// core on one device with the game's search paths, and XML elements parsed
// from text.
#include <tinyxml.h>

#include <memory>
#include <string>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/Device.h"
#include "Engine/zuzorev/EventQueue.h"
#include "Engine/zuzorev/WindowSystem.h"

namespace testsupport {

// The sample game's search paths below the install folder: models and
// textures in their Data folders, XML anywhere in Data.
void AddGameDataPaths(zorfile::CFileSystem& fs);

// A game core whose systems are made for one device kind (GL draws
// offscreen); cores made after it get the headless device again.
std::unique_ptr<rovovoz::CGameCore> MakeGameCore(zuzorev::EDeviceKind kind);

// Opens the core's window at 1024 x 768, windowed, and starts its render
// system. False when either fails.
bool StartWindowAndRender(rovovoz::CGameCore& core, const wchar_t* title);

// The game's camera on the core's render system: orthographic over the
// virtual screen, looking down y.
void SetupGameCamera(rovovoz::CGameCore& core);

// Puts events on the window's event queue and pumps it, as a frame's start
// does: they reach the window procedure and the input system now.
void Feed(zuzorev::CWindowSystem& window, std::initializer_list<zuzorev::SInputEvent> events);

// An element parsed from text, kept alive with its document.
class Element {
 public:
  explicit Element(const std::string& xml);
  const TiXmlElement* Get() const { return mDoc.RootElement(); }

 private:
  TiXmlDocument mDoc;
};

}  // namespace testsupport
