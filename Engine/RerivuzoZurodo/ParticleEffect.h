#pragma once
// A particle effect: a particle system made from an effect file (a set of
// emitters, see docs/formats.md), placed like any geometry object. An
// endless effect emits until it is stopped; a finite one emits for its
// file's Time and then lets its particles die. Loading starts it.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/rovovoz/ParticleSystem.h"

class TiXmlElement;

namespace RerivuzoZurodo {

class CParticleEffect : public rovovoz::CBaseGeometryObject {
 public:
  CParticleEffect();
  explicit CParticleEffect(rovovoz::CGameCore* core);
  ~CParticleEffect() override;
  CParticleEffect(const CParticleEffect&) = delete;
  CParticleEffect& operator=(const CParticleEffect&) = delete;

  void SetGameCore(rovovoz::CGameCore* core);

  // Reads path + ".xml" (path as the data names it, without extension)
  // and starts the effect. infinity non-zero: it emits until stopped.
  // matrix (may be null): the placement the effect is attached to. flags:
  // load flags of its pictures. 1, or 0 when the file is missing or makes
  // no emitter (logged); a failed load leaves the effect empty.
  int32_t LoadEffect(const std::wstring& path, int infinity, const zormath::Mat4f* matrix, uint32_t flags);
  // A scene object: when no effect file was tried yet, Path (and Infinity)
  // of properties name it. 0 when an effect is loaded, else E_FAIL.
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  // Picture residency. 1.
  int32_t Load(uint32_t flags) override;
  int32_t UnLoad(uint32_t flags) override;
  int32_t Release(uint32_t flags = 0) override;

  // Starts (restarts) emission; a finite effect counts its Time from now.
  // The argument is accepted for the callers' sake; any value starts. 1.
  int32_t Start(int mode);
  // 0: ends at once, every particle gone; any other mode stops emitting
  // and lets the live particles die. 1.
  int32_t Stop(int mode) override;
  // True when nothing is emitted any more and no particle lives (also
  // before anything was loaded).
  bool IsEffectWorkEnd() const;
  // Removes every particle; emission goes on as it was.
  void Clear();
  // Off: the effect neither advances, emits nor draws (it resumes as it
  // was when switched on again).
  void SetEnable(bool on) { mEnabled = on; }
  bool GetEnable() const { return mEnabled; }

  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;

  void UpdateTempMatrix() override;
  void SetRender2D(int on) override;
  void SetAlpha(float alpha) override;
  void SetVisible(int visible) override;

  bool IsLoaded() const { return mLoaded; }
  bool IsInfinity() const { return mInfinity; }
  const std::wstring& GetPath() const { return mPath; }
  // The particle system the effect drives (for tests and tools).
  const rovovoz::CParticleSystem& GetSystem() const { return mSystem; }

 private:
  rovovoz::CParticleSystem mSystem;
  std::wstring mPath;
  float mTime = 1.0f;  // emission time of a finite effect, seconds
  bool mInfinity = false;
  bool mLoaded = false;
  bool mTried = false;  // LoadEffect ran since the last Release
  bool mEnabled = true;
};

}  // namespace RerivuzoZurodo
