#pragma once
// The machine that runs a named script action: it looks the entry up, lets
// its Ref counter hold back the body, chooses the first conditional block
// whose conditions hold, executes records through its owner, guards
// against an action that runs itself again, and keeps the delayed-record
// queue moving. Scenes, close-ups and the chapter all run their actions on
// it; each owner plugs in its lookup, its record executor, its condition
// tests, its after-action hook and the few rules in which they differ.
#include <cstdint>
#include <string>
#include <vector>

#include "Logic/LogicAction.h"

namespace actioncodes {
// Operation and target-type codes the runner itself looks at.
constexpr uint32_t kOperationRun = 4;
constexpr uint32_t kTargetAction = 13;
constexpr uint32_t kTargetActionE = 14;
// Every operation and target type of an action record, as the executors
// dispatch on them.
enum : uint32_t {
  kOpVisible = 0,
  kOpOpen = 1,
  kOpAdd = 2,
  kOpDelete = 3,
  kOpRun = 4,  // "Run", "Start", "Play"
  kOpCursor = 5,
  kOpUpdate = 6,
  kOpVisibleMask = 7,
  kOpStop = 8,
  kOpClose = 9,
  kOpRender2D = 10,
  kOpTopRender = 11,
  kOpSetTextTips = 12,
  kOpOpenAlwaysPick = 13,
};
enum : uint32_t {
  kTgObjTri = 0,
  kTgObj = 1,
  kTgSimpleTask = 2,
  kTgComplexTask = 3,
  kTgMiniGame = 4,
  kTgDialog = 5,
  kTgBeginAction = 6,
  kTgEnd = 7,
  kTgRun = 8,
  kTgPredmet = 9,
  kTgPause = 10,
  kTgCameraMove = 11,
  kTgLevel = 12,
  kTgAction = 13,
  kTgActionE = 14,
  kTgRegion = 15,
  kTgBeg = 16,
  kTgPath = 17,
  kTgParticle = 18,
  kTgMoveTexture = 19,
  kTgAnimModelLoop = 20,
  kTgRolik = 21,
  kTgAnimation = 22,
  kTgSetType = 23,
  kTgSetPredmet = 24,
  kTgTopText = 25,
  kTgAmbientSound = 26,
  kTgSound = 27,
  kTgMusik = 28,
  kTgVideoObj = 29,
  kTgMaxAnim = 30,
  kTgGamePanel = 31,
  kTgParticleEffect = 32,
  kTgAnimationList = 33,
  kTgPage = 34,
  kTgMapLevel = 35,
  kTgRandomMusic = 36,
  kTgMorf = 37,
  kTgComplexPiece = 38,
  kTgAmbientSoundGroup = 39,
  kTgTruncateAlpha = 40,
  kTgFrameAnim = 41,
};
// Condition codes and condition targets.
enum : uint32_t {
  kCondVisible = 0,
  kCondOpen = 1,
  kCondDelete = 2,
  kCondExist = 3,
  kCondNoVisible = 4,
  kCondNoOpen = 5,
  kCondNoDelete = 6,
  kCondNoExist = 7,
  kCondCountRestKus = 8,
  kCondCursor = 9,
  kCondUpdate = 10,
  kCondNoUpdate = 11,
  kCondRefQual = 12,
  kCondRefNoQual = 13,
};
enum : uint32_t {
  kCondTargetObjTri = 0,
  kCondTargetObj = 1,
  kCondTargetSimpleTask = 2,
  kCondTargetComplexTask = 3,
  kCondTargetBeginAction = 4,
  kCondTargetPredmet = 5,
};
}  // namespace actioncodes

// Execution modes handed down through every call.
enum : int {
  kActionModeNormal = 0,
  kActionModeQuery = 1,  // nothing runs; the call only answers
  kActionModeFlush = 2,  // quiet: no recursion message
  kActionModeDry = 4,
  kActionModeFlushRepeat = 8,  // quiet; a name already run in the same flush
};

// Mask with every field of IsSameAction.
constexpr int kActionMaskAll = -1;

// Name of the block at a position of its action: "_if1" .. "_if15", and
// "_if15" for every later block.
std::wstring ActionBlockName(const std::wstring& action, size_t position);

// The records are equal in every field whose bit the mask sets (0x1
// operation .. 0x8000 key_tips); the countdown is never compared.
bool IsSameAction(const SLogicAction& record, const SLogicAction& query, int mask);

// True for the two Ref tests (RefQual, RefNoQual) that hold for the entry;
// the counted path knows no other condition.
bool CheckRefCondition(const SLogicCondition& condition, const SLogicActionEntry& entry);

// A condition code with its "No" form folded onto its positive twin
// (NoVisible -> Visible ...); negate tells whether the answer is inverted.
uint32_t PositiveConditionCode(uint32_t code, bool& negate);

class CActionRunner {
 public:
  // What an owner plugs in.
  class IOwner {
   public:
    virtual ~IOwner() = default;
    virtual bool FindActionEntry(const std::wstring& name, SLogicActionEntry*& entry) = 0;
    virtual int32_t ExecuteRecord(SLogicAction& record, int mode, int randomize) = 0;
    virtual int32_t RunActionHook(const std::wstring& name, int mode) = 0;
    // The full condition test of a normal run, and the one of the counted path.
    virtual int32_t TestCondition(const SLogicCondition& condition, const SLogicActionEntry& entry) = 0;
    virtual int32_t TestConditionEx(const SLogicCondition& condition, const SLogicActionEntry& entry) = 0;
    // The owner's name in the recursion message.
    virtual std::wstring RunnerOwnerName() const = 0;
    // Others asked before the blocks and before the hook of an unknown
    // name (a chapter's scenes): kPeersGoOn to go on, else the answer.
    virtual int32_t RunPeers(const std::wstring& name, int mode, const SLogicAction* query, int mask);
  };
  static constexpr int32_t kPeersGoOn = -1;

  struct SRules {
    // "BackName" or "EpisodName" in "Recursive action. %s = %s ActionName = %s".
    const wchar_t* ownerLabel = L"BackName";
    // A scene's counted run answers 0 and its probe 1 only for a matching
    // taken block; a chapter's counted run answers 1, and so does its probe
    // without a record or without a taken block.
    bool countedRunSucceeds = false;
    // A scene: an unknown name answers a probe with a record 0 and a dry run
    // 1, and a dry run skips the hook after the body.
    bool dryRunSkipsHook = true;
    // A scene: a taken block whose Ret is -1 lets the body run as if no
    // block had been taken; a chapter ends the action with 1.
    bool minusOneRetGoesOn = true;
  };

  CActionRunner(IOwner& owner, const SRules& rules) : mOwner(owner), mRules(rules) {}

  // The named action; askPeers false leaves the peers out.
  int32_t Run(const std::wstring& name, int mode, const SLogicAction* query, int mask, bool askPeers = true);
  // One conditional block (Ex: the counted path's variant).
  int32_t RunBlock(SLogicIf& block, SLogicActionEntry& entry, const std::wstring& blockName,
                   int32_t& out, int mode, const SLogicAction* query, int mask, bool counted);

  bool IsRunning(const std::wstring& name) const;
  const std::vector<std::wstring>& Running() const { return mRunning; }

  // The preamble of executing one record, the same for a scene and a
  // chapter: mode 1 only answers; a draw sets the countdown to time + time2
  // x (r / 32767.0) (double arithmetic, as both executors do it); in modes 0
  // and 2 a record with a countdown left is queued. True when the record
  // needs nothing more (the executor answers 1).
  static bool QueueOrAnswer(SLogicAction& record, int mode, bool draw, std::vector<SLogicAction>& queue);

  // The delayed-record queue: records whose countdown ran out run in
  // countdown order and hand their overshoot to what they queue.
  void UpdateDelayed(std::vector<SLogicAction>& queue, float dt);
  // Runs everything queued at once, quietly (see ActionModeFlush), and
  // empties the queue.
  void FlushDelayed(std::vector<SLogicAction>& queue);

 private:
  // Pushes the name while the records run.
  void ExecuteAll(const std::wstring& name, std::vector<SLogicAction>& records, int mode);
  int32_t RunHook(const std::wstring& name, int mode);
  void LogRecursion(const std::wstring& name) const;
  static bool IsQuiet(int mode) { return mode == kActionModeFlush || mode == kActionModeFlushRepeat; }
  static bool AnySame(const std::vector<SLogicAction>& records, const SLogicAction& query, int mask);

  IOwner& mOwner;
  SRules mRules;
  std::vector<std::wstring> mRunning;  // innermost last
};
