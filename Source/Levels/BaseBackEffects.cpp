// How a scene animates the visibility of its objects: glows on entries
// (object effects), alpha fades started by commands, the two shade
// overlays, and bursts of the overlay particles.
#include <algorithm>
#include <cmath>
#include <cwchar>

#include "Engine/rovovoz/BaseParamInitEmiter.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ParticleSystem.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Platform/Random.h"

namespace {

constexpr float kPi = 3.14159265358979f;
// Glows rise and fall in a third of a second; a pulse takes half a second
// each way.
constexpr float kEffectSpeed = 3.0f;
constexpr float kPulseSpeed = 2.0f;
// Shades fade in and out in a quarter of a second.
constexpr float kShadeSpeed = 4.0f;

float HalfSine(float phase) { return std::sin(phase * kPi / 2.0f); }

}  // namespace

// ---- object effects -------------------------------------------------------------

void CBaseBack::AddObjectEffect(int key, int target) {
  if (target == -1) return;
  // An effect outside the entries could never be drawn or followed.
  if (!IsEntryIndex(key) || !IsEntryIndex(target)) return;
  for (SObjectEffect& effect : mObjectEffects) {
    if (effect.mKeyEntry != key) continue;
    if (effect.mState != -2) effect.mState = -1;
    return;
  }
  SObjectEffect effect;
  effect.mKeyEntry = key;
  effect.mTargetEntry = target;
  mObjectEffects.push_back(effect);
  SObjectEntry& entry = mEntries[static_cast<size_t>(target)];
  entry.mFadeState = 1;
  entry.mEffectFlag = 1;
}

void CBaseBack::RemoveObjectEffect(int key) {
  for (SObjectEffect& effect : mObjectEffects) {
    if (effect.mKeyEntry != key) continue;
    if (effect.mState != -2) effect.mRequest = 1;
    return;
  }
}

void CBaseBack::EndAllObjectEffects() {
  for (SObjectEffect& effect : mObjectEffects)
    if (effect.mState != -2) effect.mRequest = 1;
}

void CBaseBack::EndObjectEffect(int key) {
  for (SObjectEffect& effect : mObjectEffects) {
    if (effect.mKeyEntry != key) continue;
    if (effect.mState != -2) {
      effect.mRequest = 1;
      effect.mPulseCount = 3;
    }
    return;
  }
}

void CBaseBack::ResetObjectEffect(int key) {
  for (size_t i = 0; i < mObjectEffects.size(); ++i) {
    SObjectEffect& effect = mObjectEffects[i];
    if (effect.mKeyEntry != key) continue;
    switch (effect.mState) {
      case 0: {
        if (IsEntryIndex(effect.mTargetEntry)) {
          SObjectEntry& target = mEntries[static_cast<size_t>(effect.mTargetEntry)];
          target.mActive = 0;
          target.mFadeState = 0;
          target.mEffectFlag = 0;
        }
        mObjectEffects.erase(mObjectEffects.begin() + static_cast<std::ptrdiff_t>(i));
        break;
      }
      case 1:
      case -1: effect.mState = -2; break;
      case 2:
        effect.mState = -2;
        effect.mPhase = 1.0f;
        break;
      default: break;
    }
    return;
  }
}

void CBaseBack::UpdateObjectEffects(float dt) {
  for (size_t i = 0; i < mObjectEffects.size();) {
    SObjectEffect& effect = mObjectEffects[i];
    if (!IsEntryIndex(effect.mKeyEntry) || !IsEntryIndex(effect.mTargetEntry)) {
      mObjectEffects.erase(mObjectEffects.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    const SObjectEntry& key = mEntries[static_cast<size_t>(effect.mKeyEntry)];
    SObjectEntry& target = mEntries[static_cast<size_t>(effect.mTargetEntry)];
    // The effect follows its key to the layer above the game panel.
    if (key.mFadeState == 0) target.mFadeState = 1;
    else if (key.mFadeState == 2) target.mFadeState = 3;

    switch (effect.mState) {
      case 0:
        target.mActive = 0;
        if (effect.mRequest) {
          effect.mState = 1;
          effect.mPhase = 0.0f;
          effect.mPulseTime = 0.0f;
          effect.mAlpha = 0.0f;
          effect.mPulse = 0.0f;
          effect.mPulseUp = 1.0f;
          effect.mPulseCount = 0;
          effect.mSpare = 0.0f;
        }
        break;
      case 1:
        target.mActive = 1;
        effect.mPhase += kEffectSpeed * dt;
        if (effect.mPhase >= 1.0f) {
          effect.mState = 2;
          effect.mPhase = 0.0f;
          effect.mAlpha = 1.0f;
        } else if (target.mObject) {
          effect.mAlpha = HalfSine(effect.mPhase);
        }
        break;
      case 2:
        target.mActive = 1;
        if (!effect.mRequest) {
          effect.mState = -1;
          effect.mPhase = 1.0f;
        }
        break;
      case -1:
      case -2:
        target.mActive = 1;
        if (effect.mState == -1 && effect.mRequest) {
          effect.mState = 1;
          break;
        }
        effect.mPhase -= kEffectSpeed * dt;
        if (effect.mPhase <= 0.0f) {
          // At the bottom the glow is out, not below zero.
          effect.mPhase = 0.0f;
          if (effect.mState == -2) {
            target.mActive = 0;
            target.mFadeState = 0;
            target.mEffectFlag = 0;
            mObjectEffects.erase(mObjectEffects.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
          }
          effect.mState = 0;
        }
        if (target.mObject) effect.mAlpha = HalfSine(effect.mPhase);
        break;
      default: break;
    }

    if (effect.mState == 2) {
      effect.mPulseTime += kPulseSpeed * dt;
      if (effect.mPulseTime >= 1.0f) {
        effect.mPulseTime -= 1.0f;
        effect.mPulse = effect.mPulseUp;
        if (effect.mPulseUp == 0.0f) {
          effect.mPulseUp = 1.0f;
          if (effect.mPulseCount > 0) --effect.mPulseCount;
        } else {
          effect.mPulseUp = 0.0f;
        }
      } else if (effect.mPulseUp == 1.0f) {
        effect.mPulse = HalfSine(effect.mPulseTime);
      } else {
        effect.mPulse = 1.0f - HalfSine(effect.mPulseTime);
      }
    }
    effect.mRequest = 0;
    ++i;
  }
}

void CBaseBack::RenderObjectEffects(rovovoz::CBaseGeometryObject* object) {
  if (!object) return;
  for (const SObjectEffect& effect : mObjectEffects) {
    if (!IsEntryIndex(effect.mTargetEntry) || mEntries[static_cast<size_t>(effect.mTargetEntry)].mObject != object)
      continue;
    const float strength = effect.mAlphaScale * effect.mAlpha * effect.mPulse;
    auto* model = dynamic_cast<rovovoz::CStaticObject3D*>(object);
    if (!model) {
      // Only a model can glow; other objects are shown as they are.
      object->Render();
      return;
    }
    zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
    if (effect.mPulseCount > 0 && render) {
      zuzorev::SMaterial material;
      material.Diffuse = {1.0f, 0.0f, 0.0f, strength * 0.2f};
      material.Ambient = {1.0f, 0.0f, 0.0f, 0.0f};
      render->SetMaterial(material);
      model->RenderEx(1, 1, 0, 1);
    }
    model->RenderAsOverlay(strength);
    return;
  }
}

void CBaseBack::SetEffectsAlpha(float alpha) {
  for (SObjectEffect& effect : mObjectEffects) effect.mAlphaScale = alpha;
}

// ---- alpha fades ------------------------------------------------------------------

void CBaseBack::ApplyAlphaCommand(int index, const std::wstring& command) {
  if (!IsEntryIndex(index)) return;
  for (size_t i = 0; i < mAlphaFades.size(); ++i) {
    if (mAlphaFades[i].mEntry != index) continue;
    mAlphaFades.erase(mAlphaFades.begin() + static_cast<std::ptrdiff_t>(i));
    break;
  }
  std::vector<std::wstring> words;
  SplitString(command, L"_", words);
  if (words.empty()) return;
  const std::wstring& keyword = words.front();
  SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
  SAlphaFade fade;
  fade.mEntry = index;
  if (keyword == L"alpha1+" || keyword == L"alpha2+" || keyword == L"alpha+") {
    fade.mAlpha = 0.0f;
    fade.mDirection = 0;
    if (entry.mObject) entry.mObject->SetAlpha(0.0f);
  } else if (keyword == L"alpha1-" || keyword == L"alpha2-" || keyword == L"alpha-") {
    fade.mAlpha = 1.0f;
    fade.mDirection = 1;
    if (entry.mObject) entry.mObject->SetAlpha(1.0f);
    entry.mActive = 1;
  } else {
    return;
  }
  if (words.size() == 2) {
    const float seconds = std::wcstof(words[1].c_str(), nullptr);
    fade.mDuration = seconds > 0.0f ? seconds : 1.0f;
  } else {
    fade.mDuration = keyword == L"alpha1-" ? 0.7f : 1.0f;
  }
  fade.mElapsed = 0.0f;
  fade.mRunning = 1;
  mAlphaFades.push_back(fade);
}

void CBaseBack::UpdateAlphaFades(float dt, float factor) {
  for (size_t i = 0; i < mAlphaFades.size();) {
    SAlphaFade& fade = mAlphaFades[i];
    if (!IsEntryIndex(fade.mEntry)) {
      mAlphaFades.erase(mAlphaFades.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    if (fade.mDirection == 0 || fade.mDirection == 1) fade.mElapsed += dt;
    if (fade.mRunning != 1) {
      ++i;
      continue;
    }
    SObjectEntry& entry = mEntries[static_cast<size_t>(fade.mEntry)];
    bool done = false;
    if (fade.mDirection == 0) {
      if (fade.mElapsed >= fade.mDuration) {
        fade.mAlpha = 1.0f;
        done = true;
      } else {
        fade.mAlpha = fade.mElapsed / fade.mDuration;
      }
      if (entry.mObject) entry.mObject->SetAlpha(fade.mAlpha * factor);
    } else if (fade.mDirection == 1) {
      if (fade.mElapsed >= fade.mDuration) {
        fade.mAlpha = 0.0f;
        entry.mActive = 0;
        // Ready for its next showing.
        if (entry.mObject) entry.mObject->SetAlpha(1.0f);
        done = true;
      } else {
        fade.mAlpha = 1.0f - fade.mElapsed / fade.mDuration;
        if (entry.mObject) entry.mObject->SetAlpha(fade.mAlpha * factor);
      }
    }
    if (done)
      mAlphaFades.erase(mAlphaFades.begin() + static_cast<std::ptrdiff_t>(i));
    else
      ++i;
  }
}

void CBaseBack::ResetAlphaFades() {
  for (const SAlphaFade& fade : mAlphaFades) SetEntryAlpha(fade.mEntry, 1.0f);
  mAlphaFades.clear();
}

// ---- shades ---------------------------------------------------------------------

void CBaseBack::FadeInShade(float alpha) {
  if (mShade.mState == 0) {
    mShade.mState = 1;
    if (mShade.mObject) mShade.mObject->SetAlpha(0.0f);
    mShade.mLevel = 0.0f;
    mShade.mTargetAlpha = alpha;
  } else if (mShade.mState == -1) {
    mShade.mState = 1;
    mShade.mTargetAlpha = alpha;
  }
}

void CBaseBack::FadeOutShade(float value) {
  if (mShade.mState == 2) {
    mShade.mState = -1;
    if (mShade.mObject) mShade.mObject->SetAlpha(mShade.mTargetAlpha);
    mShade.mLevel = value * kShadeSpeed + 1.0f;
  } else if (mShade.mState == 1) {
    mShade.mState = -1;
  }
}

void CBaseBack::UpdateShade(float dt) {
  if (mShade.mState == 1) {
    mShade.mLevel += kShadeSpeed * dt;
    if (mShade.mLevel >= 1.0f) {
      mShade.mLevel = 1.0f;
      mShade.mState = 2;
    }
    if (mShade.mObject) mShade.mObject->SetAlpha(mShade.mTargetAlpha * mShade.mLevel);
  } else if (mShade.mState == -1) {
    mShade.mLevel -= kShadeSpeed * dt;
    if (mShade.mLevel <= 0.0f) {
      mShade.mLevel = 0.0f;
      mShade.mState = 0;
    }
    // A level above 1 holds the shade before it starts to fade.
    if (mShade.mObject)
      mShade.mObject->SetAlpha(mShade.mLevel > 1.0f ? mShade.mTargetAlpha : mShade.mTargetAlpha * mShade.mLevel);
  }
}

void CBaseBack::RenderShade() {
  if (mShade.mState != 0 && mShade.mObject) mShade.mObject->Render();
}

void CBaseBack::FadeInShade2() {
  if (mShade2.mState == 0) {
    mShade2.mState = 1;
    if (mShade2.mObject) mShade2.mObject->SetAlpha(0.0f);
    mShade2.mLevel = 0.0f;
  } else if (mShade2.mState == -1) {
    mShade2.mState = 1;
  }
}

void CBaseBack::FadeOutShade2() {
  if (mShade2.mState == 2) {
    mShade2.mState = -1;
    if (mShade2.mObject) mShade2.mObject->SetAlpha(1.0f);
    mShade2.mLevel = 1.0f;
  } else if (mShade2.mState == 1) {
    mShade2.mState = -1;
  }
}

void CBaseBack::UpdateShade2(float dt) {
  // The fade is a mode of the queue: its end lets the next mode start.
  if (mShade2.mState == 1) {
    mShade2.mLevel += kShadeSpeed * dt;
    if (mShade2.mLevel >= 1.0f) {
      mShade2.mLevel = 1.0f;
      mShade2.mState = 2;
      PopMode(0);
    }
  } else if (mShade2.mState == -1) {
    mShade2.mLevel -= kShadeSpeed * dt;
    if (mShade2.mLevel <= 0.0f) {
      mShade2.mLevel = 0.0f;
      mShade2.mState = 0;
      PopMode(0);
    }
  } else {
    return;
  }
  if (mShade2.mObject) mShade2.mObject->SetAlpha(mShade2.mLevel);
}

void CBaseBack::RenderShade2() {
  if (mShade2.mState != 0 && mShade2.mObject) mShade2.mObject->Render();
}

// ---- overlay particles ------------------------------------------------------------

void CBaseBack::CreateOverlayParticles(int index) {
  if (!IsEntryIndex(index) || !mOverlay) return;
  auto* model = dynamic_cast<rovovoz::CStaticObject3D*>(mEntries[static_cast<size_t>(index)].mObject);
  if (!model) return;
  rovovoz::CBaseParamInitEmiter block;
  block.mName = L"pm_fv_part1";
  block.mTextureFile = L"E_part_01.tga";
  block.mRenderSeting = L"MT_PARTICLE_OVERLAY";
  block.mAreaKind = rovovoz::kEmiterAreaRectangle;
  // Motes over three times the object's extent, in front of the scene.
  const zuzorev::SAABBox box = model->GetAABBox(1);
  const zormath::Vec3f position = model->GetPosition3D();
  constexpr float kSpread = 3.0f;
  block.mX1 = (box.Min.x - position.x) * kSpread;
  block.mZ1 = (box.Min.z - position.z) * kSpread;
  block.mX2 = (box.Max.x - position.x) * kSpread;
  block.mZ2 = (box.Max.z - position.z) * kSpread;
  block.mWidth = (box.Max.x - box.Min.x) * kSpread;
  block.mDepth = (box.Max.z - box.Min.z) * kSpread;
  block.mScaleX = 1.0f;
  block.mScaleZ = 1.0f;
  block.mPosition = zormath::Vec3f(position.x, 100.0f, position.z);
  mOverlay->AddEmiter(block, 1.0f);
}

void CBaseBack::UpdateOverlayObject(float dt) {
  const float count = static_cast<float>(mOverlayBursts.size());
  for (SOverlayBurst& burst : mOverlayBursts) {
    if (burst.mKind != 0 && burst.mKind != 1) continue;
    switch (burst.mState) {
      case 0: {
        // Several sparkles spread their first bursts over a longer wait.
        const float r = Platform::RandomFloat();
        burst.mTimer = count == 1.0f ? 2.0f + r * 3.0f : 2.0f + r * 14.0f * std::min(count / 7.0f, 1.0f);
        burst.mState = 1;
        break;
      }
      case 1:
        burst.mTimer -= dt;
        if (burst.mTimer <= 0.0f) {
          if (mOverlay && burst.mEmiter != -1) mOverlay->SetEmiterState(burst.mEmiter, 1, 0.0f);
          burst.mState = 2;
          burst.mTimer = burst.mKind == 0 ? 3.0f + Platform::RandomFloat() * 3.0f : 3.0f;
        }
        break;
      case 2:
        burst.mTimer -= dt;
        if (burst.mTimer <= 0.0f) {
          if (mOverlay && burst.mEmiter != -1) mOverlay->SetEmiterState(burst.mEmiter, 0, 0.0f);
          burst.mState = 0;
        }
        break;
      case 3:
        if (burst.mKind != 0) break;
        burst.mTimer -= dt;
        if (burst.mTimer <= 0.0f) {
          burst.mState = 2;
          burst.mTimer = 0.0f;
        }
        break;
      default: break;
    }
  }
}

void CBaseBack::StopObjectOverlay(int key, float value) {
  for (size_t i = 0; i < mOverlayBursts.size();) {
    const SOverlayBurst& burst = mOverlayBursts[i];
    if (burst.mKey != key) {
      ++i;
      continue;
    }
    if (burst.mEmiter != -1 && mOverlay) mOverlay->SetEmiterState(burst.mEmiter, 3, value);
    mOverlayBursts.erase(mOverlayBursts.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

// ---- find items and the item window ---------------------------------------------

void CBaseBack::SetFindItemsAlpha(float alpha) {
  for (const SFindItem& item : mFindItems) {
    if (item.mListKind == L"simple") {
      std::vector<SZoneObject>* group = nullptr;
      SZoneObject* zoneItem = nullptr;
      if (FindZoneItem(item.mZoneKind, item.mName, group, zoneItem)) SetEntryAlpha(zoneItem->ind, alpha);
    } else if (item.mListKind == L"complex") {
      std::vector<SZoneComplex>* group = nullptr;
      SZoneComplex* complex = nullptr;
      if (!FindZone2Item(item.mZoneKind, item.mName, group, complex)) continue;
      for (const SZoneItem& piece : complex->mActivePieces) {
        if (!IsEntryIndex(piece.ind)) continue;
        SObjectEntry& entry = mEntries[static_cast<size_t>(piece.ind)];
        if (entry.mObject && entry.mActive) entry.mObject->SetAlpha(alpha);
      }
    } else if (item.mListKind == L"object") {
      SetEntryAlpha(GetObjectIndex(item.mName), alpha);
    }
  }
}

void CBaseBack::RenderModeOverlay() {
  if (!mModes.empty() && mModes.front() == 6 && gGamePanel) gGamePanel->RenderPredmetMenu();
}
