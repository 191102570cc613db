#pragma once
// One object of a scene: a line of the scene's main file with its model,
// its trigger model and the flags the scene keeps for it. Entries live in
// the scene's vector from the load of the main file until the scene is
// released; every other part of the scene names an object by its index
// there or by one of its two names.
#include <cstdint>
#include <string>

namespace rovovoz {
class CBaseGeometryObject;
class CStaticObject3D;
class CTriangleObject3D;
}  // namespace rovovoz
class CMaxAnim;

struct SObjectEntry {
  // What is updated and drawn: the static model of the main file, or the
  // typed object of the object file. Owned by the scene unless mShared.
  rovovoz::CBaseGeometryObject* mObject = nullptr;
  // Attached by actions and drawn before the object; not owned.
  rovovoz::CStaticObject3D* mAttachedModel = nullptr;
  CMaxAnim* mAttachedAnim = nullptr;
  // The trigger model picking tests; owned.
  rovovoz::CTriangleObject3D* mTrigger = nullptr;
  std::wstring mModelName;    // NameModel: key of the scene's model-name map
  std::wstring mTriggerName;  // TriangleModel: key of the trigger-name map
  int32_t mActive = 1;        // updated and drawn
  int32_t mClickable = 0;     // taken into picking (with mState 1)
  int32_t mState = 0;         // 0 plain, 1 in play in a zone, 3 done
  int32_t mMakeModel = 1;     // a static model is made from the render file
  int32_t mParam0 = 0;
  float mRotateSpeed = 0.0f;  // turn about the y axis per second
  int32_t mFollowZoom = 1;    // the objects take the zoom transform
  int32_t mRender2D = 0;      // follows the scene-wide 2D switch
  int32_t mDepthTest = 0;     // drawn with the depth test on
  int32_t mEffectFlag = 0;    // drawn through the effect path
  int32_t mUpdating = 1;      // updated, turned and picked
  // Draw layer: 0 before the game panel, 1 before it through its effect,
  // 2 after the panel, 3 after it through its effect.
  int32_t mFadeState = 0;
  int32_t mFromObjectFile = 1;  // no element of the object file named it yet
  int32_t mClickThrough = 0;    // reported even under a nearer hit
  // The object belongs to someone else (a child of the scene's form): the
  // scene neither deletes it nor sets its world matrix.
  int32_t mShared = 0;
};
