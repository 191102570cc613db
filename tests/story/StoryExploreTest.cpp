#include <gtest/gtest.h>
#include <cstdlib>
#include <iostream>
#include "StoryDriver.h"
#include "GameApp.h"
#include "Logic/Logic.h"
#include "Logic/BaseEpisod.h"
#include "Levels/BaseLevel.h"
#include "Regions/BaseRegion.h"
#include "PlayerRecord.h"
#include "SaveInfo/EpisodTasks.h"
#include "Interface/GamePanel.h"
#include "Interface/PredmetMenu.h"
#include "Platform/Strings.h"
TEST(StoryExplore, Dump) {
  const char* path = std::getenv("STORY_SCRIPT");
  if (!path) GTEST_SKIP();
  storytest::StoryDriver d;
  int n = 0;
  storytest::gExtraProbe = [&] {
    ++n;
    if (!gLogic || !gLogic->GetEpisod() || !gLogic->GetEpisod()->GetCurrentScene()) return;
    auto* sc = gLogic->GetEpisod()->GetCurrentScene();
    static std::string last;
    std::string now = "in=" + std::to_string(sc->IsInputEnabled()) + " est=" + std::to_string(gLogic->GetEpisod()->GetState()) + " pm=" + std::to_string(gGamePanel && gGamePanel->GetPredmetMenu() ? gGamePanel->GetPredmetMenu()->GetState() : 99);
    if (gGamePanel) for (int i = 0; i < gGamePanel->GetItemCount(); ++i) { auto& it = gGamePanel->GetItem(i); now += " [" + Platform::WideToUtf8(it.name) + " " + std::to_string(int(it.target.x)) + "," + std::to_string(int(it.target.z)) + " st" + std::to_string(it.state) + " h" + std::to_string(it.hover) + "]"; }
    if (auto* lv = dynamic_cast<CBaseLevel*>(sc)) { for (auto& [k, v] : lv->GetRegions()) now += " R:" + Platform::WideToUtf8(k) + (v ? "+" : "-"); now += " modes=" + std::to_string(lv->FrontMode());
      if (auto* r = lv->GetOpenRegion()) for (int e = 1; e < 4; ++e) { auto& en = r->GetEntry(e); now += " e" + std::to_string(e) + ":" + std::to_string(en.mState) + std::to_string(en.mClickable) + std::to_string(en.mActive); }
      if (auto* r = lv->GetOpenRegion()) now += " rin=" + std::to_string(r->IsInputEnabled()); }
    { SBackTaskCounts* t = nullptr; if (gCurrentPlayer.mEpisodInfo.FindBackTasks(sc->GetName(), t) && t) for (auto& [k, v] : t->mCounters) now += " C:" + Platform::WideToUtf8(k); now += " nm=" + Platform::WideToUtf8(sc->GetName()) + " fr=" + std::to_string(gLogic->FindRegion(L"Back_1_reg_4") != nullptr); }
    if (gGamePanel) now += " ck=" + std::to_string(gGamePanel->GetCursorKind()) + " pmode=" + std::to_string(gGamePanel->GetPanelMode()) + " so=" + std::to_string(gGamePanel->GetSlideOffset());
    if (now != last) std::cout << "  probe " << n - 1 << " " << now << "\n";
    last = now;
  };
  std::string reason;
  const bool ok = d.Play(path, reason);
  for (auto& l : storytest::LogLinesOf(d.ReadLog("log.html"), "error")) std::cout << "E: " << l << "\n";
  ASSERT_TRUE(ok) << reason;
  storytest::STurn last;
  for (size_t i = 0; i < d.Turns().size(); ++i) {
    const auto& t = d.Turns()[i];
    if (i == 0 || !(t == last))
      std::cout << i << " st=" << t.state << " step=" << Platform::WideToUtf8(t.step) << " scene=" << Platform::WideToUtf8(t.scene)
                << " reg=" << Platform::WideToUtf8(t.region) << " cur=" << Platform::WideToUtf8(t.cursorItem) << " rolik=" << t.rolik << " found=" << t.found.size() << (t.found.empty() ? "" : Platform::WideToUtf8(t.found.back())) << " items=" << t.items.size() << "\n";
    last = t;
  }
  for (auto n : {"log.html", "soundlog.html", "videolog.html"})
    for (auto lv : {"error", "warning"})
      for (auto& l : storytest::LogLinesOf(d.ReadLog(n), lv)) std::cout << n << " " << lv << ": " << l << "\n";
}
