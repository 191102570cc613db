#pragma once
// Five moons on the points of a star: a moon is exchanged only with one
// two points away along the star's lines; the two glide to each other's
// place in a second. Solved when every moon stands on its own point.
#include "Engine/zormath/Math.h"
#include "Levels/Puzzles/PuzzleLevel.h"

class CLevel_41_MG_01 : public CPuzzleLevel {
 public:
  enum : int { kExchanging = 0, kWrongChoice = 1, kWaiting = 2, kSkipFade = 3 };
  static constexpr int kMoons = 5;
  static const int kSolved[kMoons];
  static const int kPartners[kMoons][2];

  struct SMoon {
    rovovoz::CBaseGeometryObject* model = nullptr;
    rovovoz::CBaseGeometryObject* highlighted = nullptr;
    rovovoz::CTriangleObject3D* trigger = nullptr;  // of point k
    zormath::Vec3f point{0.0f, 0.0f, 0.0f};         // the place of point k
    int highlight = 0;
  };

  CLevel_41_MG_01();

  int32_t LoadBack(CBaseEpisod* episod, CBaseBack* owner) override;
  const SMoon& GetMoon(int k) const { return mMoons[k]; }
  int GetOrder(int point) const { return mOrder[point]; }
  int GetState() const { return mState; }
  int GetFirst() const { return mFirst; }
  static bool IsPartner(int first, int point);

 protected:
  void OnBackStart() override;
  void OnStart() override;
  void OnSkip() override;
  void OnPuzzleAction(const std::wstring& name) override;
  void UpdatePuzzle(float dt, rovovoz::CMouseCursor* cursor) override;
  bool DrawsEntry(const SObjectEntry& entry) const override;
  void DrawPuzzle(SObjectEntry& entry) override;

 private:
  bool ClickPoint(int p);
  void StepExchange(float dt);
  void PlaceMoon(int moon, const zormath::Vec3f& at);
  void RunNumbered(const wchar_t* pattern, int number);

  SMoon mMoons[kMoons];
  int mState = kWaiting;
  int mOrder[kMoons] = {0, 1, 2, 3, 4};
  int mFirst = -1;
  int mSecond = -1;
  float mTimer = 0.0f;
};
