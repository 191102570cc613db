// The record executor: the delay rules of each mode, and every operation
// and target pair with what it changes (an entry, the player's record, the
// mode queue, a typed object) or whom it asks (the chapter, the panel, a
// close-up, the sound managers, the path objects).
#include <gtest/gtest.h>

#include <functional>

#include "Engine/rovovoz/ParticleSystem.h"
#include "Logic/Logic.h"
#include "Logic/LogicLists.h"
#include "Objects/ROMoveTexture.h"
#include "Objects/SimpleFrameAnim.h"
#include "scene/SceneClickSupport.h"

namespace {

using namespace scenetest;
using namespace actioncodes;

enum { kFind, kSfind, kFree, kMouse, kHog, kClick, kPush, kSpush, kLupa, kJar1, kJar2 };

SLogicAction R(uint32_t op, uint32_t type, std::vector<std::wstring> pars = {}, std::vector<int> ints = {},
               std::vector<float> floats = {}) {
  SLogicAction a;
  a.Operation = op;
  a.Type = type;
  pars.resize(4);
  ints.resize(4);
  floats.resize(3);
  a.par1 = pars[0], a.par2 = pars[1], a.par3 = pars[2], a.par4 = pars[3];
  a.par_i1 = ints[0], a.par_i2 = ints[1], a.par_i3 = ints[2], a.par_i4 = ints[3];
  a.par_f1 = floats[0], a.par_f2 = floats[1], a.par_f3 = floats[2];
  return a;
}
SLogicAction WithTip(SLogicAction a, const std::wstring& key) {
  a.key_tips = key;
  return a;
}

class SceneExecute : public ::testing::Test {
 protected:
  SceneExecute() : back(log), episod(log), panel(log), panelScope(&panel) {
    EXPECT_EQ(back.InitBack(L"Level\\Clicks.xml"), 1);
    back.SetName(L"Hall");
    EXPECT_EQ(back.Load(3), 1);
    back.InitObjects();
    back.mViewMatrix = zormath::Mat4f::Identity();
    back.mEpisod = &episod;
    back.ArmAll();
  }
  const SObjectEntry& E(int index) { return back.GetEntry(index); }
  int32_t Exec(SLogicAction a, int mode, int randomize) { return back.ExecuteAction(a, mode, randomize); }

  SceneCore core;
  testsupport::LogCapture logCapture;
  FreshPlayer player;
  CallLog log;
  CClickBack back;
  CClickEpisod episod;
  CClickPanel panel;
  PanelScope panelScope;
};

TEST_F(SceneExecute, EveryOperationAndTarget) {
  struct Case {
    const char* what;
    SLogicAction record;
    CallLog calls;
    std::function<bool()> effect = {};  // what the record changed, when not a call
  } cases[] = {
      // Visible
      {"Visible ObjTri here", R(kOpVisible, kTgObjTri, {L"T_Find"}, {0}), {},
       [&] { return E(kFind).mClickable == 0; }},
      {"Visible ObjTri in a close-up", R(kOpVisible, kTgObjTri, {L"T_Find", L"", L"Desk"}, {0}),
       {L"SetObjectClickableInRegion(Desk,T_Find,0)"}},
      {"Visible ObjTri in another scene", R(kOpVisible, kTgObjTri, {L"T_Find", L"Library", L"Desk"}, {0}),
       {L"SetBackTriangleVisible(Library,Desk,T_Find,0)"}},
      {"Visible Obj here", R(kOpVisible, kTgObj, {L"S_Ball"}, {0}), {}, [&] { return E(kSfind).mActive == 0; }},
      {"Visible Obj in a close-up", R(kOpVisible, kTgObj, {L"S_Ball", L"alpha-", L"", L"Desk"}, {0, 1}),
       {L"ShowObjectInRegion(Desk,S_Ball,0,alpha-,1)"}},
      {"Visible Obj in another scene", R(kOpVisible, kTgObj, {L"S_Ball", L"", L"Library", L"Desk"}, {1}),
       {L"SetBackObjectVisible(Library,Desk,S_Ball,1,,0)"}},
      {"Visible Sadanie_simple", R(kOpVisible, kTgSimpleTask, {L"find", L"Key", L"camera"}, {1, 1}),
       {L"CameraMoveSimple(find,Key,1,camera,1)"}},
      {"Visible Sadanie_complex", R(kOpVisible, kTgComplexTask, {L"hog", L"Jar"}, {0}),
       {L"CameraMoveComplex(hog,Jar,0,,0)"}},
      {"Visible TopText", R(kOpVisible, kTgTopText, {L"k_tip"}), {L"gametip:k_tip"}},
      {"Visible TopText with a section", R(kOpVisible, kTgTopText, {L"k_tip", L"k_sec"}), {L"tip:k_tip/k_sec"}},
      {"Visible GamePanel", R(kOpVisible, kTgGamePanel, {L"hog", L"k_label"}), {L"panelmode:hog"}},
      // VisibleMask
      {"VisibleMask ObjTri: a first below 0 and no last run 1 to 1000",
       R(kOpVisibleMask, kTgObjTri, {L"T_Jar"}, {0, -5, 0}), {},
       [&] { return E(kJar1).mClickable == 0 && E(kJar2).mClickable == 0 && E(kFind).mClickable == 1; }},
      {"VisibleMask ObjTri in a close-up", R(kOpVisibleMask, kTgObjTri, {L"T_Jar", L"", L"Desk"}, {0, 1, 2}),
       {L"SetObjectGroupClickableInRegion(Desk,T_Jar,0,1,2)"}},
      {"VisibleMask ObjTri in another scene", R(kOpVisibleMask, kTgObjTri, {L"T_Jar", L"Library"}, {0, 1, 2}),
       {L"SetBackTriangleMask(Library,,T_Jar,0,1,2)"}},
      {"VisibleMask Obj", R(kOpVisibleMask, kTgObj, {L"T_Jar"}, {0, 0, 1, 2}), {},
       [&] { return E(kJar1).mActive == 0 && E(kJar2).mActive == 0; }},
      {"VisibleMask Obj in a close-up", R(kOpVisibleMask, kTgObj, {L"T_Jar", L"", L"", L"Desk"}, {0, 0, 1, 2}),
       {L"ShowObjectGroupInRegion(Desk,T_Jar,0,,0,1,2)"}},
      {"VisibleMask Obj in another scene", R(kOpVisibleMask, kTgObj, {L"T_Jar", L"", L"Library"}, {0, 0, 1, 2}),
       {L"SetBackObjectMask(Library,,T_Jar,0,,0,1,2)"}},
      // Update, Render2D, TopRender
      {"Update here", R(kOpUpdate, kTgObj, {L"S_Ball"}, {0}), {}, [&] { return E(kSfind).mUpdating == 0; }},
      {"Update in a close-up", R(kOpUpdate, kTgObj, {L"S_Ball", L"", L"Desk"}, {0}),
       {L"SetObjectRotating2InRegion(Desk,S_Ball,0)"}},
      {"Update in another scene", R(kOpUpdate, kTgObj, {L"S_Ball", L"Library"}, {0}),
       {L"SetBackObjectUpdate(Library,,S_Ball,0)"}},
      {"Render2D here", R(kOpRender2D, kTgObj, {L"S_Ball"}, {1}), {}, [&] { return E(kSfind).mRender2D == 1; }},
      {"Render2D in a close-up", R(kOpRender2D, kTgObj, {L"S_Ball", L"", L"Desk"}, {1}),
       {L"SetObjectRender2DInRegion(Desk,S_Ball,1)"}},
      {"Render2D in another scene", R(kOpRender2D, kTgObj, {L"S_Ball", L"Library"}, {1}),
       {L"SetBackObjectRender2D(Library,,S_Ball,1)"}},
      {"TopRender here", R(kOpTopRender, kTgObj, {L"S_Ball"}, {1}), {}, [&] { return E(kSfind).mFadeState == 2; }},
      {"TopRender in a close-up", R(kOpTopRender, kTgObj, {L"S_Ball", L"", L"Desk"}, {1}),
       {L"SetObjectTopLayerInRegion(Desk,S_Ball,1)"}},
      {"TopRender in another scene", R(kOpTopRender, kTgObj, {L"S_Ball", L"Library"}, {1}),
       {L"SetBackObjectTopRender(Library,,S_Ball,1)"}},
      // Open, OpenAlwaysPick
      {"Open Sadanie_simple", WithTip(R(kOpOpen, kTgSimpleTask, {L"find", L"Key", L"camera"}), L"k_key"),
       {L"AddSimpleObject(find,Key,k_key,camera,0)"}},
      {"Open Sadanie_complex", WithTip(R(kOpOpen, kTgComplexTask, {L"hog", L"Jar"}), L"k_jar"),
       {L"AddComplexObject(hog,Jar,k_jar,,0)"}},
      {"OpenAlwaysPick Sadanie_simple", R(kOpOpenAlwaysPick, kTgSimpleTask, {L"find", L"Key"}),
       {L"AddSimpleObject(find,Key,,,1)"}},
      {"OpenAlwaysPick Sadanie_complex", R(kOpOpenAlwaysPick, kTgComplexTask, {L"hog", L"Jar"}),
       {L"AddComplexObject(hog,Jar,,,1)"}},
      {"Open Page", R(kOpOpen, kTgPage, {L"page_1"}), {L"diary:1"},
       [] { return gCurrentPlayer.mNotePages == std::vector<std::wstring>{L"page_1"} && gCurrentPlayer.mNotePage == 1; }},
      {"Open MapLevel", R(kOpOpen, kTgMapLevel, {L"Back_2"}), {},
       [] { return gCurrentPlayer.mMapLocations == std::vector<std::wstring>{L"Back_2"}; }},
      // Delete
      {"Delete Sadanie_simple", R(kOpDelete, kTgSimpleTask, {L"find", L"Key"}), {L"DeleteSimpleObject(find,Key)"}},
      {"Delete Sadanie_complex", R(kOpDelete, kTgComplexTask, {L"hog", L"Jar"}), {L"DeleteComplexObject(hog,Jar)"}},
      {"Delete Predmet", R(kOpDelete, kTgPredmet, {L"Wick"}), {L"uninventory:Wick"}},
      // SetTextTips
      {"SetTextTips Sadanie_simple", WithTip(R(kOpSetTextTips, kTgSimpleTask, {L"find", L"Key"}), L"k_a"),
       {L"SetSimpleTaskTips(find,Key,k_a)"}},
      {"SetTextTips Sadanie_complex", WithTip(R(kOpSetTextTips, kTgComplexTask, {L"hog", L"Jar"}), L"k_b"),
       {L"SetComplexTaskTips(hog,Jar,k_b)"}},
      {"SetTextTips Sadanie_complex_kusok", WithTip(R(kOpSetTextTips, kTgComplexPiece, {L"hog", L"Jar"}, {2}), L"k_c"),
       {L"SetPieceTaskTips(hog,Jar,2,k_c)"}},
      // Add
      {"Add Predmet to the item window", R(kOpAdd, kTgPredmet, {L"Key", L"predmet_menu"}),
       {L"item:Key", L"window:Key", L"addpredmet:Key/predmet_menu"}, [&] { return back.mModes == std::vector<int32_t>{6}; }},
      {"Add Predmet after a hidden-object scene", R(kOpAdd, kTgPredmet, {L"Key", L"after_hog"}),
       {L"addpredmet:Key/after_hog"}, [] { return gCurrentPlayer.mAfterHogItem == L"Key"; }},
      {"Add Predmet to the inventory", R(kOpAdd, kTgPredmet, {L"Key"}), {L"addpredmet:Key/"}},
      {"Add AmbientSoundGroup", R(kOpAdd, kTgAmbientSoundGroup, {L"Drip"}, {3}, {2.0f, 4.0f}), {},
       [&] {
         return back.mSoundSequences.size() == 1 && back.mSoundSequences[0].mCount == 3 &&
                back.mSoundSequences[0].mNextPause >= 2.0f && back.mSoundSequences[0].mNextPause <= 4.0f;
       }},
      // Cursor
      {"Cursor Predmet Clear", R(kOpCursor, kTgPredmet, {L"CLEAR"}, {1}), {L"drop:1"}},
      {"Cursor Predmet anything else", R(kOpCursor, kTgPredmet, {L"Wick"}, {1}), {}},
      {"Cursor SetType", R(kOpCursor, kTgSetType, {L"glaz"}), {L"cursorname:glaz"}},
      {"Cursor SetPredmet", R(kOpCursor, kTgSetPredmet, {L"Wick"}), {L"take:Wick"}},
      {"Cursor SetPredmet empty", R(kOpCursor, kTgSetPredmet, {}, {0}), {L"drop:0"}},
      // Run
      {"Run Dialog with nothing loaded", R(kOpRun, kTgDialog), {}},
      {"Run End here", R(kOpRun, kTgEnd), {}, [] { return gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"].mCount == 4; }},
      {"Run End named", R(kOpRun, kTgEnd, {L"", L"lamp"}), {},
       [] { return gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"].mCounters[L"lamp"] == 1; }},
      {"Run End elsewhere", R(kOpRun, kTgEnd, {L"Library", L"lamp"}), {L"MarkBackEnd(Library,lamp)"}},
      {"Run Beg here", R(kOpRun, kTgBeg), {}, [] { return gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"].mCount2 == 1; }},
      {"Run Beg named", R(kOpRun, kTgBeg, {L"", L"lamp"}), {},
       [] { return gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"].mCounters2[L"lamp"] == 2; }},
      {"Run Beg elsewhere", R(kOpRun, kTgBeg, {L"Library", L"lamp"}), {L"MarkBackBegin(Library,lamp)"}},
      {"Run Pause", R(kOpRun, kTgPause, {L"a_later"}, {1500}), {},
       [&] {
         return back.mTimedMessages.size() == 1 && back.mTimedMessages[0].mTime == 1.5f &&
                back.mModes == std::vector<int32_t>{3};
       }},
      {"Run Action", R(kOpRun, kTgAction, {L"a_go", L"Library", L"Desk"}), {L"RunBackAction(Library,Desk,a_go,0)"}},
      {"Run ActionE here", R(kOpRun, kTgActionE, {L"a_go"}), {L"a_go"}},
      {"Run ActionE in a close-up", R(kOpRun, kTgActionE, {L"a_go", L"", L"Desk"}),
       {L"RunActionByNameInRegion(Desk,a_go,0)"}},
      {"Run ActionE elsewhere", R(kOpRun, kTgActionE, {L"a_go", L"Library"}), {L"RunBackActionE(Library,,a_go,0)"}},
      {"Run Path", R(kOpRun, kTgPath, {L"P_Cat", L"a_end"}, {1}), {L"StartPathObject(P_Cat,a_end,1)"}},
      {"Run AmbientSound at full volume", R(kOpRun, kTgAmbientSound, {L"Rain"}, {0, 1}, {0.5f, 2.0f, 3.0f}),
       {L"PlayAmbientSound(Rain,1.00,0.50,1,2.00,3.00)"}},
      {"Run AmbientSound at half volume", R(kOpRun, kTgAmbientSound, {L"Rain"}, {50}),
       {L"PlayAmbientSound(Rain,0.50,0.00,0,0.00,0.00)"}},
      {"Run Musik", R(kOpRun, kTgMusik, {L"Theme"}, {20}), {L"PlayMusic(Theme,0.20,0.00,0,0.00,0.00)"}},
      {"Run Sound", R(kOpRun, kTgSound, {L"I_Click"}, {50, 0}), {L"sound:I_Click", L"PlaySound(0.50,0.00,0)"}},
      {"Run Rolik", R(kOpRun, kTgRolik, {L"Intro"}, {1}), {L"StartRolik(Intro,1)"}},
      {"Run RandomMusic", R(kOpRun, kTgRandomMusic, {L"Night"}), {L"StartRandomMusic(Night,0)"}},
      {"Run MiniGame unknown", R(kOpRun, kTgMiniGame, {L"NoSuchGame"}), {},
       [&] { return back.mMiniGame == nullptr && back.mModes.empty(); }},
      // Stop
      {"Stop MiniGame", R(kOpStop, kTgMiniGame), {}, [] { return gCurrentPlayer.mSkipTimer == 0.0f; }},
      {"Stop Path", R(kOpStop, kTgPath, {L"P_Cat"}, {1}), {L"StopPathObject(P_Cat,1)"}},
      {"Stop AmbientSound", R(kOpStop, kTgAmbientSound, {L"Rain"}, {}, {1.0f}), {L"StopAmbientSound(Rain,1.00)"}},
      {"Stop Musik", R(kOpStop, kTgMusik, {L"Theme"}, {}, {2.0f}), {L"StopMusic(Theme,2.00)"}},
      {"Stop RandomMusic", R(kOpStop, kTgRandomMusic, {}, {}, {1.5f}), {L"StopRandomMusic(1.5)"}},
      {"Stop Morf on no object", R(kOpStop, kTgMorf, {L"Nothing"}), {}, [&] { return back.mMorphPending == 0; }},
      // Nothing
      {"Close", R(kOpClose, kTgRegion, {L"Desk"}), {}},
      {"an operation outside the table", R(77, kTgObj, {L"S_Ball"}, {0}), {}, [&] { return E(kSfind).mActive == 1; }},
      {"a pair no table lists", R(kOpVisible, kTgPath, {L"S_Ball"}, {0}), {}, [&] { return E(kSfind).mActive == 1; }},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    log.clear();
    gCurrentPlayer = PlayerRecord();
    auto& counts = gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"];
    counts.mCount = 5;
    counts.mCount2 = 2;
    counts.mCounters[L"lamp"] = 2;
    counts.mCounters2[L"lamp"] = 3;
    gCurrentPlayer.mSkipTimer = 7.0f;
    back.InitObjects();
    back.ArmAll();
    back.mModes.clear();
    back.mItemWindowNames.clear();
    back.mTimedMessages.clear();
    back.mSoundSequences.clear();
    EXPECT_EQ(back.ExecuteAction(c.record, 0, 1), 1);
    EXPECT_EQ(log, c.calls);
    if (c.effect) {
      EXPECT_TRUE(c.effect());
    }
    EXPECT_TRUE(back.mDelayedActions.empty());
  }
}

TEST_F(SceneExecute, DelaysAndModes) {
  SLogicAction later = R(kOpVisible, kTgObj, {L"S_Ball"}, {0});
  later.time = 2.0f;
  // Mode 0 with randomize: queued with its delay, nothing else.
  EXPECT_EQ(back.ExecuteAction(later, 0, 1), 1);
  ASSERT_EQ(back.mDelayedActions.size(), 1u);
  EXPECT_EQ(back.mDelayedActions[0].Countdown, 2.0f);
  EXPECT_EQ(E(kSfind).mActive, 1);
  // A countdown already running is queued again without a new draw.
  SLogicAction queued = back.mDelayedActions[0];
  back.mDelayedActions.clear();
  queued.Countdown = 0.7f;
  back.ExecuteAction(queued, 0, 0);
  ASSERT_EQ(back.mDelayedActions.size(), 1u);
  EXPECT_EQ(back.mDelayedActions[0].Countdown, 0.7f);
  back.mDelayedActions.clear();
  // Query and dry runs carry nothing out.
  for (int mode : {1, 4}) {
    back.ExecuteAction(later, mode, 1);
    EXPECT_EQ(E(kSfind).mActive, 1);
  }
  back.mDelayedActions.clear();
  // A repeated flush name runs at once whatever the delay.
  back.ExecuteAction(later, 8, 1);
  EXPECT_EQ(E(kSfind).mActive, 0);
  EXPECT_TRUE(back.mDelayedActions.empty());
  // The delay's range: time + time2 x r / 32767 with the game's one random source.
  SLogicAction ranged = later;
  ranged.time2 = 1.0f;
  Platform::SeedRandom(5);
  const float r = static_cast<float>(Platform::Random() / 32767.0);
  Platform::SeedRandom(5);
  back.ExecuteAction(ranged, 0, 1);
  ASSERT_EQ(back.mDelayedActions.size(), 1u);
  EXPECT_FLOAT_EQ(back.mDelayedActions[0].Countdown, 2.0f + r);
}

TEST_F(SceneExecute, AFlushNeitherStartsNorStopsSounds) {
  for (int mode : {2, 8}) {
    for (SLogicAction a : {R(kOpRun, kTgAmbientSound, {L"Rain"}), R(kOpRun, kTgMusik, {L"Theme"}),
                           R(kOpRun, kTgSound, {L"I_Click"}), R(kOpStop, kTgAmbientSound, {L"Rain"}),
                           R(kOpStop, kTgMusik, {L"Theme"})})
      Exec(a, mode, 0);
  }
  EXPECT_EQ(log, CallLog{});
  Exec(R(kOpRun, kTgAmbientSound, {L"Rain"}), 0, 0);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(SceneExecute, PagesOnceAndClear) {
  Exec(R(kOpOpen, kTgPage, {L"p1"}, {1}), 0, 0);
  Exec(R(kOpOpen, kTgPage, {L"p1"}), 0, 0);
  EXPECT_EQ(gCurrentPlayer.mNotePages, (std::vector<std::wstring>{L"p1"}));
  EXPECT_EQ(log, (CallLog{L"diary:0"})) << "a page already listed shows no diary effect";
  Exec(R(kOpOpen, kTgPage, {L"clear"}), 0, 0);
  EXPECT_EQ(gCurrentPlayer.mNotePages, (std::vector<std::wstring>{L"clear"}));
  EXPECT_EQ(gCurrentPlayer.mNotePage, 1u);
  Exec(R(kOpOpen, kTgMapLevel, {L"Back_2"}), 0, 0);
  Exec(R(kOpOpen, kTgMapLevel, {L"Back_2"}), 0, 0);
  EXPECT_EQ(gCurrentPlayer.mMapLocations, (std::vector<std::wstring>{L"Back_2"}));
  Exec(R(kOpDelete, kTgMapLevel, {L"Back_2"}), 0, 0);
  EXPECT_TRUE(gCurrentPlayer.mMapLocations.empty());
}

TEST_F(SceneExecute, CameraMoves) {
  Exec(R(kOpRun, kTgCameraMove, {L"START", L"", L"a_zoomed"}), 0, 0);
  ASSERT_EQ(back.mZoomRequests.size(), 1u);
  const SZoomRequest& request = back.mZoomRequests[0];
  EXPECT_EQ(request.mCommand, L"start");
  EXPECT_EQ(request.mAction, L"a_zoomed");
  EXPECT_EQ(request.mViewScale, 2.0f);
  EXPECT_EQ(request.mOverlayScale, 2.0f);
  EXPECT_EQ(request.mSpeed, 1.0f);
  EXPECT_EQ(back.mModes, (std::vector<int32_t>{2}));
  EXPECT_EQ(back.mZoom.mDrawOverlay, 1) << "overlay value 0 draws the hole overlay";

  Exec(R(kOpRun, kTgCameraMove, {L"end", L"", L"a_back"}), 0, 0);
  Exec(R(kOpRun, kTgPause, {L"a_wait"}, {100}), 0, 0);
  EXPECT_EQ(back.mModes, (std::vector<int32_t>{2, 2, 3}));
  Exec(R(kOpRun, kTgCameraMove, {L"end2"}), 0, 0);
  EXPECT_TRUE(back.mModes.empty()) << "every queued mode dropped at once";
  EXPECT_TRUE(back.mZoomRequests.empty());
  EXPECT_EQ(back.mZoom.mState, 0);
  EXPECT_EQ(back.mZoom.mRequestedScale, 1.0f);
}

// Typed objects behind scene entries: the run and stop cases reach their
// play and stop operations; a lookup of the wrong class names the object.
TEST_F(SceneExecute, EffectObjects) {
  rovovoz::CParticleSystem particles(core.Get());
  CSimpleFrameAnim frames(core.Get());
  CROMoveTexture texture(core.Get());
  SObjectEntry& entry = back.GetEntry(kSfind);
  rovovoz::CBaseGeometryObject* own = entry.mObject;
  entry.mShared = 1;
  auto run = [&](rovovoz::CBaseGeometryObject* object, const SLogicAction& a) {
    entry.mObject = object;
    Exec(a, 0, 0);
  };

  particles.Stop(1);
  entry.mActive = 0;
  run(&particles, R(kOpRun, kTgParticle, {L"S_Ball"}));
  EXPECT_TRUE(particles.IsPlaying());
  EXPECT_EQ(entry.mActive, 1);
  run(&particles, R(kOpStop, kTgParticle, {L"S_Ball"}, {1}));
  EXPECT_FALSE(particles.IsPlaying());

  struct FrameCase {
    int playKind;
    int32_t mode;
  } frameCases[] = {{0, 1}, {2, 3}, {3, 4}, {4, 4}};
  for (const FrameCase& c : frameCases) {
    run(&frames, R(kOpRun, kTgFrameAnim, {L"S_Ball"}, {c.playKind}));
    EXPECT_EQ(frames.GetPlayMode(), c.mode) << c.playKind;
  }
  run(&frames, R(kOpStop, kTgFrameAnim, {L"S_Ball"}, {0}));
  EXPECT_EQ(frames.GetPlayMode(), 0);

  run(&texture, R(kOpRun, kTgMoveTexture, {L"S_Ball"}, {1}));
  EXPECT_EQ(texture.GetPlayState(), 1);
  run(&texture, R(kOpStop, kTgMoveTexture, {L"S_Ball"}));
  EXPECT_EQ(texture.GetPlayState(), 2);

  run(&texture, R(kOpRun, kTgParticle, {L"S_Ball"}));
  EXPECT_TRUE(logCapture.Contains(zuzorev::ELogLevel::Error,
                                  L"Invalid dynamic cast.!!! BackName = Hall ObjectName = S_Ball"));
  entry.mObject = own;
  entry.mShared = 0;
}

TEST_F(SceneExecute, RunMiniGameOpensItsFrameBetweenTheShadeModes) {
  CTestMiniGame game(false);
  CLogic* savedLogic = gLogic;
  CLogic logic;
  gLogic = &logic;
  gMiniGames.push_back(&game);
  SLogicAction run = R(kOpRun, kTgMiniGame, {L"LOCK"});
  back.ExecuteAction(run, 0, 0);
  gMiniGames.pop_back();
  gLogic = savedLogic;
  EXPECT_EQ(back.mMiniGame, &game);
  EXPECT_EQ(log, (CallLog{L"drop:1"})) << "a carried object goes back before the mini-game opens";
  EXPECT_EQ(back.mModes, (std::vector<int32_t>{9, 1, 10}));
  back.mModes.clear();
  back.mMiniGame = nullptr;
}

}  // namespace
