// Developer commands (cheats on, in game only): key chords with F1 held and
// a typed command line in the info-code box move the story between steps;
// "reload" re-reads the chapter files and restarts the running chapter.
#include "AppConfig.h"
#include "Engine/rovovoz/GUIEditBox.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Game.h"
#include "GameLog.h"
#include "GameState.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"
#include "Roliki/BaseRolik.h"

namespace {

const wchar_t* const kSource = L"Source/Logic/LogicDebug";

enum : int {
  kVkEscape = 27,
  kVkEnter = 13,
  kVkF1 = 0x70,
  kVkPad0 = 0x60,
  kVkPadPlus = 0x6B,
  kVkPadMinus = 0x6D,
  kVkE = 0x45,
  kVkL = 0x4C,
  kVkR = 0x52,
};

bool KeyPressed(int vk) { return gInputSystem && gInputSystem->IsVKey(vk, zuzorev::kInputDown); }
bool KeyHeld(int vk) { return gInputSystem && gInputSystem->IsVKey(vk, zuzorev::kInputHeld); }

// The chords, first match wins: held key (0: none), pressed key, command.
struct SDebugChord {
  int held;
  int pressed;
  const wchar_t* command;
};

const SDebugChord kChords[] = {
    {kVkE, kVkPadPlus, L"next episod"},
    {kVkR, kVkPadPlus, L"next rolik"},
    {kVkE, kVkPadMinus, L"prew episod"},
    {kVkR, kVkPadMinus, L"prew rolik"},
    {0, kVkPadPlus, L"next"},
    {0, kVkPadMinus, L"prew"},
    {0, kVkPad0, L"beg"},
    {0, kVkL, L"reload"},
};

// The step kind a second word names (0 when it names none).
uint32_t KindOfWord(const std::wstring& word, bool& known) {
  known = true;
  if (Platform::EqualsNoCase(word, L"episod")) return kStepLevel;
  if (Platform::EqualsNoCase(word, L"rolik")) return kStepRolik;
  if (Platform::EqualsNoCase(word, L"mini")) return kStepMiniGame;
  known = false;
  return 0;
}

}  // namespace

int CLogic::HandleDebugKeys(float dt, rovovoz::CMouseCursor* cursor) {
  if (gGameState != kStateInGame || !gAppConfig.IsCheatOn()) return 0;
  std::wstring command;
  if (ReadDebugKey(command)) return ExecuteDebugCommand(command, false);
  if (m_pInfoCodeBox) {
    m_pInfoCodeBox->Update(dt, cursor);
    if (m_pInfoCodeBox->GetVisible()) {
      if (KeyPressed(kVkEscape)) {
        m_pInfoCodeBox->SetText(L"");
        m_pInfoCodeBox->SetVisible(0);
      } else {
        if (KeyPressed(kVkEnter)) ExecuteDebugCommand(m_pInfoCodeBox->GetText(), true);
        m_pInfoCodeBox->SetFocus(true);
      }
    }
  }
  if (KeyPressed(kVkF1) && m_pInfoCodeBox) {
    if (m_pInfoCodeBox->GetVisible()) {
      m_pInfoCodeBox->SetVisible(0);
      m_pInfoCodeBox->SetFocus(false);
    } else {
      m_pInfoCodeBox->SetVisible(1);
      m_pInfoCodeBox->SetText(L"");
      m_pInfoCodeBox->SetFocus(true);
    }
  }
  return 0;
}

bool CLogic::ReadDebugKey(std::wstring& command) {
  command.clear();
  if (!KeyHeld(kVkF1)) return false;
  for (const SDebugChord& chord : kChords) {
    if (chord.held && !KeyHeld(chord.held)) continue;
    if (!KeyPressed(chord.pressed)) continue;
    command = chord.command;
    return true;
  }
  return false;
}

int CLogic::ExecuteDebugCommand(const std::wstring& text, bool typed) {
  std::vector<std::wstring> words;
  Platform::SplitString(text, L" ", words);
  while (!words.empty() && words.back().empty()) words.pop_back();
  if (words.empty()) return 0;
  if (m_pInfoCodeBox) m_pInfoCodeBox->SetText(L"");
  if (m_State == kStateEpisod && typed && m_pTempEpisod && m_pTempEpisod->OpenHog(words)) return 1;

  const std::wstring& word = words[0];
  if (Platform::EqualsNoCase(word, L"next") || Platform::EqualsNoCase(word, L"prew")) {
    gCurrentRolik = nullptr;
    const int direction = Platform::EqualsNoCase(word, L"next") ? 1 : -1;
    if (words.size() == 1) {
      JumpToStep(kStepAnyType, direction);
    } else {
      bool known = false;
      const uint32_t kind = KindOfWord(words[1], known);
      if (known) JumpToStep(kind, direction);
    }
  } else if (Platform::EqualsNoCase(word, L"beg")) {
    gCurrentRolik = nullptr;
    gCurrentPlayer.mGhostCount = 0;
    JumpToStep(kStepAnyType, 0);
  } else if (Platform::EqualsNoCase(word, L"episod")) {
    gCurrentRolik = nullptr;
    if (words.size() == 2) GoToNamedStep(kStepLevel, words[1]);
  } else if (Platform::EqualsNoCase(word, L"rolik")) {
    gCurrentRolik = nullptr;
    if (words.size() >= 2) GoToNamedStep(kStepRolik, words[1]);
  } else if (Platform::EqualsNoCase(word, L"mini")) {
    if (words.size() >= 2) GoToNamedStep(kStepMiniGame, words[1]);
  } else if (Platform::EqualsNoCase(word, L"reload")) {
    // The running chapter goes through its own ending, so nothing keeps a
    // pointer to it once it is deleted.
    if (m_pTempEpisod) {
      m_pTempEpisod->UnLoadCurrent();
      DeleteEpisod();
    }
    gCurrentRolik = nullptr;
    gCurrentPlayer.mGhostCount = 0;
    ReloadLogic();
  }
  return 1;
}

bool CLogic::IsJumpTarget(int index, uint32_t selector) const {
  const SLogicStep* step = GetStep(index);
  if (!step) return false;
  if (selector != kStepAnyType && selector != step->Type) return false;
  return !(step->Type == kStepLevel && Platform::EqualsNoCase(step->NameState, L"CalculateEpisod"));
}

void CLogic::JumpTo(int target, int from, bool backward) {
  if (backward) {
    for (int i = from; i >= target; --i) CalculateEpisodBackward(i);
  } else {
    for (int i = from; i < target; ++i) CalculateEpisod(i);
  }
  gCurrentPlayer.mItems.clear();
  m_TempStep = target;
  StartStep();
}

void CLogic::JumpToStep(uint32_t selector, int direction) {
  EndCurrent();
  const int current = m_TempStep;
  if (direction > 0) {
    if (current < 0 || current + 1 >= GetStepCount()) return;
    for (int i = current + 1; i < GetStepCount(); ++i) {
      if (!IsJumpTarget(i, selector)) continue;
      JumpTo(i, current, false);
      return;
    }
  } else if (direction == 0) {
    if (!IsStepIndex(current)) return;
    for (int i = current; i >= 0; --i) {
      if (!IsJumpTarget(i, selector)) continue;
      JumpTo(i, current, true);
      return;
    }
  } else {
    if (current < 1 || current >= GetStepCount()) return;
    bool initSeen = false;
    for (int i = current - 1; i >= 0; --i) {
      const SLogicStep& step = m_Steps[static_cast<size_t>(i)];
      if (selector != kStepAnyType && selector != step.Type) continue;
      if (step.Type == kStepLevel) {
        if (Platform::EqualsNoCase(step.NameState, L"CalculateEpisod")) continue;
        if (Platform::EqualsNoCase(step.NameState, L"InitEpisod") && !initSeen) {
          initSeen = true;
          continue;
        }
      }
      JumpTo(i, current, true);
      return;
    }
  }
}

void CLogic::GoToNamedStep(uint32_t type, const std::wstring& name) {
  if (type == kStepLevel)
    GoToEpisod(name);
  else if (type == kStepRolik)
    GoToRolik(name);
}

void CLogic::GoToEpisod(const std::wstring& name) {
  EndCurrent();
  for (int i = 0; i < GetStepCount(); ++i) {
    const SLogicStep& step = m_Steps[static_cast<size_t>(i)];
    if (step.Type != kStepLevel || !Platform::EqualsNoCase(step.NameState, L"InitEpisod") ||
        !Platform::EqualsNoCase(step.Name, name))
      continue;
    ClearInfoLogicPlayer();
    JumpTo(i, 0, false);
    return;
  }
}

void CLogic::GoToRolik(const std::wstring& name) {
  EndCurrent();
  for (int i = 0; i < GetStepCount(); ++i) {
    const SLogicStep& step = m_Steps[static_cast<size_t>(i)];
    if (step.Type != kStepRolik || !Platform::EqualsNoCase(step.Name, name)) continue;
    ClearInfoLogicPlayer();
    JumpTo(i, 0, false);
    return;
  }
}

void CLogic::ReloadLogic() {
  const int current = m_TempStep;
  if (current <= 0 || current >= GetStepCount()) return;
  if (m_Steps[static_cast<size_t>(current)].Type != kStepLevel) {
    JumpToStep(kStepAnyType, 0);
    return;
  }
  EndCurrent();
  int found = -1;
  for (int i = current; i >= 0; --i) {
    const SLogicStep& step = m_Steps[static_cast<size_t>(i)];
    if (step.Type == kStepLevel && Platform::EqualsNoCase(step.NameState, L"CalculateEpisod")) {
      found = i;
      break;
    }
  }
  if (found < 0) {
    // Nothing to restart from: the step that was running starts again.
    StartStep();
    return;
  }
  for (int i = current; i >= found; --i) CalculateEpisod(i);
  gCurrentPlayer.mItems.clear();
  m_TempStep = found;

  // The chapters are read into a fresh table; the one in use stays when the
  // task file does not load or no longer holds the chapter being restarted.
  const std::wstring chapter = m_Steps[static_cast<size_t>(found)].Name;
  std::map<std::wstring, SEpisodData> kept;
  kept.swap(m_Episods);
  const bool loaded = ReloadSadanies(L"Data\\Logic\\Logic.xml") != 0;
  if (!loaded || (kept.count(chapter) && !m_Episods.count(chapter))) {
    gamelog::Error(kSource, __LINE__, L"Reload logic failed: the chapters stay as loaded before.");
    m_Episods.swap(kept);
  }
  StartStep();
}
