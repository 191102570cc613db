#pragma once
// Small records a scene keeps per frame: object effects (glows), alpha
// fades, bursts of the overlay particles, shades, the find-item list and
// the random sound sequences.
#include <cstdint>
#include <string>

namespace rovovoz {
class CBaseGeometryObject;
}

// A glow on a target entry while something keeps asking for it: it rises,
// pulses while lit and falls when the requests stop.
struct SObjectEffect {
  int32_t mState = 0;        // 0 idle, 1 rising, 2 lit, -1 falling, -2 falling then removed
  float mPhase = 0.0f;       // rise and fall, 0..1
  float mPulseTime = 0.0f;   // pulse phase while lit, 0..1
  float mAlpha = 0.0f;
  float mPulse = 0.0f;
  int32_t mKeyEntry = -1;     // identifies the effect; its draw layer is followed
  int32_t mTargetEntry = -1;  // shown and drawn through the effect
  int32_t mRequest = 0;       // asked for during this frame
  float mSpare = 0.0f;
  int32_t mPulseCount = 0;    // red pulses still to show
  float mAlphaScale = 1.0f;   // scene-wide factor
  float mPulseUp = 0.0f;      // 1.0 while the pulse rises, 0.0 while it falls
};

// An object fading in or out.
struct SAlphaFade {
  int32_t mEntry = -1;
  int32_t mDirection = 0;  // 0 in, 1 out
  float mAlpha = 0.0f;
  float mElapsed = 0.0f;
  float mDuration = 1.0f;
  int32_t mRunning = 1;
};

// Bursts of the overlay particles over an entry (the find sparkle).
struct SOverlayBurst {
  int32_t mKey = -1;      // entry index
  int32_t mKind = 0;      // 0 or 1
  int32_t mState = 0;     // 0 idle, 1 waiting, 2 emitting, 3 holding
  float mTimer = 0.0f;
  int32_t mEmiter = -1;   // emitter of the overlay system, -1 none
};

// A dimming object of the game panel that the scene fades in and out.
struct SShade {
  rovovoz::CBaseGeometryObject* mObject = nullptr;  // not owned
  int32_t mState = 0;  // 0 off, 1 fading in, 2 shown, -1 fading out
  float mLevel = 1.0f;
  float mTargetAlpha = 1.0f;
};

// An object shown by the camera zoom: list kind ("simple", "complex",
// "object"), zone kind and name.
struct SFindItem {
  std::wstring mListKind;
  std::wstring mZoneKind;
  std::wstring mName;
  bool operator==(const SFindItem&) const = default;
};

// A group of numbered sound variants (stem + "_01" ...) of which one random
// variant plays after a random pause.
struct SSoundSequence {
  std::wstring mName;
  int32_t mCount = 0;
  float mMinPause = 0.0f;
  float mMaxPause = 0.0f;
  float mNextPause = 0.0f;
  float mTimer = 0.0f;
};

// A pause of the mode queue (mode 3): the action runs when the time is up.
struct STimedMessage {
  std::wstring mAction;
  float mTime = 0.0f;
};

// A zoom asked through the mode queue (mode 2): "start" zooms onto the
// object (or the point when no object is named), "end" zooms back; the
// action runs when the mode ends.
struct SZoomRequest {
  std::wstring mCommand;
  std::wstring mObject;
  float mX = 0.0f, mY = 0.0f, mZ = 0.0f;
  float mViewScale = 0.0f;
  float mOverlayScale = 0.0f;
  float mSpeed = 1.0f;
  std::wstring mAction;
  int32_t mOverlayValue = 0;  // 0: the hole overlay is drawn while zoomed
};

// The camera zoom: 0 idle, 1 zooming in, 2 zoomed, 3 zooming out.
struct SZoom {
  int32_t mState = 0;
  float mRequestedScale = 2.0f;
  float mRequestedOverlayScale = 2.0f;
  float mScaleFrom = 1.0f, mScaleTo = 1.0f, mScale = 1.0f;
  float mOverlayFrom = 2.0f, mOverlayTo = 2.0f, mOverlay = 2.0f;
  float mFromX = 0.0f, mFromZ = 0.0f, mToX = 0.0f, mToZ = 0.0f, mX = 0.0f, mZ = 0.0f;
  float mOffsetX = 0.0f, mOffsetY = 245.0f, mOffsetZ = 0.0f;
  float mProgress = 0.0f;
  float mSpeed = 1.0f;
  int32_t mDrawOverlay = 1;
};
