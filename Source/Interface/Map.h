#pragma once
// The location map, shown inside the diary: every place of the story, the
// ones the player may travel to, where the player stands and where
// something is still to be done. Its places and their neighbours also
// serve the hint search of the scenes.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "Engine/rovovoz/GUIForm.h"

class CBaseEpisod;
namespace rovovoz {
class CStaticObject3D;
class CTriangleObject3D;
}  // namespace rovovoz

struct SMapNeighbour {
  std::wstring Name;
  std::wstring Portal;  // the portal of this place's scene that leads there
};

struct SMapLocation {
  std::wstring Name;
  std::wstring Text;
  std::wstring LevelFile;
  std::wstring ModelName;
  std::wstring AtionBackOpen;
  int Visited = 0, HasTask = 0, Current = 0, Shown = 0;
  int Bonus = 0;
  int InMap = 1;
  std::wstring ParentBack;
  std::vector<SMapNeighbour> Sosed;
  float Hover = -1.0f;
};

class CMap : public rovovoz::CGUIForm {
 public:
  // The map holds this many places; further ones are reported and ignored.
  static constexpr size_t kMaxLocations = 100;

  CMap(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);
  ~CMap() override;

  // Advances the opening or closing: 1 when a close ended, 2 when a close
  // back to the diary pages ended, else 0.
  virtual int UpdateShowAnimation(float dt);
  virtual void SetMapAlpha(float alpha);

  int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags) override;
  // 1 when the map and the diary are to close.
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;
  int32_t Release(uint32_t flags = 0) override;

  void Open(CBaseEpisod* episod);
  // Runs the travel chosen on the map (1), or nothing (0).
  int RunPendingAction();
  // The player stands in the place of this scene file (when it is on the map).
  void SetCurrentLocation(const std::wstring& levelFile);
  // The portal of the current scene that leads towards the nearest place
  // with something to do, through places the player may visit; empty when
  // there is none. sceneName: the current scene's file name ("Back_1.xml");
  // episod: the chapter whose scenes say where work is left (none: the
  // chapter the map was last opened with).
  std::wstring FindHintPortal(const std::wstring& sceneName, CBaseEpisod* episod = nullptr);

  void UpdateLocationStates(CBaseEpisod* episod);
  // Whether the place has its picture and its pick shape.
  bool HasPicture(size_t i) const { return i < mModels.size() && mModels[i].Model && mModels[i].Trigger; }
  bool IsLocationVisited(const std::wstring& name) const;
  bool HasTaskAround(const std::wstring& name) const;

  const std::vector<SMapLocation>& GetLocations() const { return mLocations; }
  std::vector<SMapLocation>& Locations() { return mLocations; }
  int GetState() const { return mState; }
  float GetPhase() const { return mPhase; }
  const std::wstring& GetPendingAction() const { return mPendingAction; }

 protected:
  // Whether the chapter's scene of this place still has something to do
  // (visited places only).
  virtual bool SceneHasTask(const SMapLocation& location) const;

  int mState = 0;
  float mPhase = 0.0f;
  float mTime = 0.0f;
  float mAlpha = 1.0f;
  rovovoz::CGUIBaseObject *mBClose = nullptr, *mBDnevnik = nullptr, *mLLocation = nullptr;
  rovovoz::CGUIBaseObject *mLCurrent = nullptr, *mLAction = nullptr, *mLDnevnikText = nullptr;
  std::vector<SMapLocation> mLocations;
  CBaseEpisod* mEpisod = nullptr;
  std::wstring mPendingAction;

  // A place's pictures (places on the map with models only): the picture,
  // the task highlight, the current-place highlight, the exclamation mark,
  // the footprints' backing, and its pick shape.
  struct SPlaceModels {
    std::unique_ptr<rovovoz::CStaticObject3D> Model, Ef1, Ef2, Mark, FootBack;
    std::unique_ptr<rovovoz::CTriangleObject3D> Trigger;
  };
  std::vector<SPlaceModels> mModels;
  std::unique_ptr<rovovoz::CStaticObject3D> mMapBack, mMapBackCE;
  // The plate under a hovered place's name: a band cut to the name's width
  // by two clear masks in front of it on the depth buffer, and end caps.
  std::unique_ptr<rovovoz::CStaticObject3D> mNameRight, mNameLeft, mAlphaRight, mAlphaLeft, mNameBack;
  std::array<std::unique_ptr<rovovoz::CStaticObject3D>, 16> mFootprints;
  float mFootprintTimer = 1.0f;

  // The name of a hovered place on its plate, at `at` (the place's pick
  // shape, 50 up).
  void RenderNamePlate(const SMapLocation& l, const zormath::Vec3f& at, float alpha);

 private:
  void LoadPlaceModels(SPlaceModels& m, const SMapLocation& l);
  bool UpdatePlaces(float dt, rovovoz::CMouseCursor* cursor);
  static void DrawAt(rovovoz::CStaticObject3D* model, const zormath::Vec3f& at);
};

// Made and owned by the game object.
extern CMap* gMap;
