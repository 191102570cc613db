#pragma once
// A particle system: a set of emitters, each with its own type (from the
// particle-state manager), placement, picture and render setting, and the
// particles they have born. Particles live in the system's own space, so
// the system's position, scale and world matrix (a scene's view or zoom)
// carry them along. They are drawn as camera-facing quads, six
// "XYZDiffuseTex1" vertices each, one draw per emitter.
//
// Emitters are known by the index AddEmiter returns; an index is never
// handed out twice by the same system, so a caller holding the index of an
// emitter that has removed itself only gets "unknown" back.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/rovovoz/BaseParamInitEmiter.h"
#include "Engine/rovovoz/ParticleStateManager.h"

class TiXmlElement;

namespace zuzorev {
class CVertexBuffer;
}

namespace rovovoz {

// Emitter states of SetEmiterState.
enum : int32_t {
  kEmiterIdle = 0,      // not emitting; its particles live on
  kEmiterEmitting = 1,  // value 0: emitting until told otherwise; value
                        // t > 0: for t seconds, then idle
  kEmiterRemove = 3,    // value 0: removed at once with its particles;
                        // otherwise it stops and goes once they are gone
};

class CParticleSystem : public CBaseGeometryObject {
 public:
  explicit CParticleSystem(CGameCore* core = nullptr);
  ~CParticleSystem() override;
  CParticleSystem(const CParticleSystem&) = delete;
  CParticleSystem& operator=(const CParticleSystem&) = delete;

  // The particle budget of the whole system: at most maxParticles live at
  // once (0: no budget beyond each emitter's own limit). 1.
  int32_t Init(int32_t maxParticles);

  // A scene object: every Emiter child of properties becomes an emitter
  // (its Type and overrides, X Y Z, Width, Depth); NameModel, when given,
  // places the system where that mesh of the model file stands; Start 0
  // loads it stopped (waiting for Play). 0, or E_FAIL when no emitter was
  // made.
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  // Texture residency of every emitter. 1.
  int32_t Load(uint32_t flags) override;
  int32_t UnLoad(uint32_t flags) override;
  int32_t Release(uint32_t flags = 0) override;

  // A new emitter of the type block.mName (the manager reached through the
  // core; the built-in default without one). time > 0: it emits for that
  // many seconds, then removes itself once its particles are gone; 0 (or
  // less): it waits idle for SetEmiterState. Returns its index (>= 0).
  int32_t AddEmiter(const CBaseParamInitEmiter& block, float time);
  // The same with a type the caller resolved itself.
  int32_t AddEmiter(const CBaseParamInitEmiter& block, const SParticleState& state, float time);
  // kEmiterIdle, kEmiterEmitting or kEmiterRemove (with its value). 1, or 0
  // for an unknown index or state.
  int32_t SetEmiterState(int32_t index, int32_t state, float value);
  // The emitter's state (kEmiterIdle / kEmiterEmitting; kEmiterRemove while
  // it waits for its particles), or -1 when there is no such emitter.
  int32_t GetEmiterState(int32_t index) const;

  // The whole system on: emitters in state 1 emit (again). The argument is
  // accepted for the callers' sake; any value starts. 1.
  int32_t Play(int mode);
  // The whole system off: mode 0 removes every particle at once; any other
  // mode stops emitting and lets the live particles die. 1.
  int32_t Stop(int mode) override;
  bool IsPlaying() const { return mPlaying; }
  // Removes every particle (emitters stay as they are).
  void Clear();

  int32_t Update(float dt, CMouseCursor* cursor) override;
  int32_t Render() override;

  // Something would be born on the next update (system on and an emitter
  // emitting).
  bool IsEmitting() const;
  int32_t GetParticleCount() const;
  int32_t GetEmiterCount() const { return static_cast<int32_t>(mEmiters.size()); }
  // Indices of the emitters, in the order they were added.
  std::vector<int32_t> GetEmiterIndices() const;

 private:
  struct SParticle;
  struct SEmiter;

  // The render system's texture and setting for an emitter.
  void PrepareLook(SEmiter& e);
  void Spawn(SEmiter& e, int count);
  zormath::Vec3f BirthPoint(const SEmiter& e) const;
  zormath::Vec3f BirthVelocity(const SEmiter& e) const;

  std::map<int32_t, std::unique_ptr<SEmiter>> mEmiters;
  int32_t mNextIndex = 0;
  int32_t mBudget = 0;
  bool mPlaying = true;
  std::unique_ptr<zuzorev::CVertexBuffer> mBuffer;
};

}  // namespace rovovoz
