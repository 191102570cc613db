#pragma once
// Emitter types: what the particles of an emitter are like (how many are
// born, how long they live, how they move, their size, colours, picture and
// render setting), by name. The game hands the engine its list of types
// at start ("Data\Particles\Emiters.xml"); particle systems and effects look
// the types up here when they make emitters.
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "Engine/zormath/Math.h"

class TiXmlElement;

namespace rovovoz {

struct SParticleState {
  std::wstring name;
  std::wstring texture;  // picture (data name); empty: untextured quads
  std::wstring render;   // render-setting name; empty: the engine default
  float rate = 10.0f;    // particles born per second while emitting
  int32_t burst = 0;     // particles born at once when emission starts
  float life = 1.0f;     // seconds
  float lifeSpread = 0;  // life varies by up to this much either way
  float speed = 0;       // units per second at birth
  float speedSpread = 0;
  zormath::Vec3f direction{0, 0, 1};  // start direction (up the screen)
  float spread = 0;                   // half-angle of the start cone, degrees
  zormath::Vec3f gravity;             // acceleration, units per second squared
  float size = 8.0f;                  // quad side at birth ...
  float sizeEnd = 8.0f;               // ... and at death
  uint32_t color = 0xFFFFFFFFu;       // 0xAARRGGBB at birth ...
  uint32_t colorEnd = 0xFFFFFFFFu;    // ... and at death
  int32_t max = 0;                    // live particles of one emitter; 0: no limit of its own
};

// The built-in type used when a name is unknown (or no list was loaded).
const SParticleState& DefaultParticleState();

// Reads the type attributes an element carries over the values already in
// state (unknown attributes are left alone; bad numbers are clamped so that
// no value can make an emitter misbehave). A malformed vector keeps the old
// value and adds a warning to the log.
void ReadParticleState(const TiXmlElement* element, SParticleState& state);

class CParticleStateManager {
 public:
  CParticleStateManager() = default;
  virtual ~CParticleStateManager() = default;
  CParticleStateManager(const CParticleStateManager&) = delete;
  CParticleStateManager& operator=(const CParticleStateManager&) = delete;

  // Reads a list of emitter types; a later list adds to the types already
  // known and replaces those it names again. 1, or 0 when the file is
  // missing or not a list (logged).
  virtual int32_t LoadEmiters(const std::wstring& file);
  // The type of that name (exact match); null when unknown.
  const SParticleState* Find(const std::wstring& name) const;
  // The type of that name, else "TBaseEmiter" from the list, else the
  // built-in default (an unknown name is logged once).
  const SParticleState& Get(const std::wstring& name) const;
  size_t GetCount() const { return mStates.size(); }
  void Release() {
    mStates.clear();
    mWarned.clear();
  }

 private:
  std::map<std::wstring, SParticleState> mStates;
  mutable std::set<std::wstring> mWarned;
};

}  // namespace rovovoz
