// The player-profile boxes: choosing, creating and deleting players, from
// each state that reaches them, and the names that cannot be kept.
#include "Engine/rovovoz/GUIEditBox.h"
#include "Engine/rovovoz/GUIListBox.h"
#include "menus/MenuTestSupport.h"

namespace {

using menutest::MenuFixture;

class ProfileMenus : public MenuFixture {
 protected:
  void Type(const std::wstring& name) { userName->GetEdit()->SetText(name); }
  std::wstring IniName() {
    std::wstring name;
    Ini::GetString(IniPath(), L"Game", L"PlayerName", name, L"");
    return name;
  }
};

// The name entry from each state: where it leads and whether a taken name
// is refused.
TEST_F(ProfileMenus, CreatingAPlayerFromEachStateOfTheNameEntry) {
  struct SCase {
    int state;
    const wchar_t* typed;
    int handedOff;
    bool created;
  };
  const SCase cases[] = {
      {kStateUserName, L"Mira", kStateUserMenu, true},
      {kStateUserName, L" olav ", kStateUserExists, false},
      {kStateUserNameFromPlay, L"Olav", kStateInGame, true},
      {kStateUserNameNoPlayer, L"Ida", kStateMainMenu, true},
  };
  AddPlayer(L"Olav");
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.state);
    gGameState = gNextGameState = c.state;
    userName->Open();
    Settle(*userName);
    Type(c.typed);
    Command(L"UserNBCOk");
    Settle(*userName);
    EXPECT_EQ(gNextGameState, c.handedOff);
    if (c.created) {
      EXPECT_EQ(gCurrentPlayer.mName, c.typed);
      EXPECT_EQ(IniName(), c.typed);
      PlayerRecord stored;
      EXPECT_GE(list->FindPlayer(c.typed, stored), 0);
    }
  }
  EXPECT_EQ(list->Count(), 3) << "Olav was replaced, not added twice";
}

// Keys typed while the box is still opening make the name's first letters.
TEST_F(ProfileMenus, TheNameTypedAsTheBoxOpensKeepsItsFirstLetter) {
  gGameState = kStateUserName;
  userName->Open();
  auto typeKeys = [&](const wchar_t* text) {
    zuzorev::SInputEvent typed = zuzorev::SInputEvent::Of(zuzorev::EInputEvent::Text);
    typed.text = text;
    core.Input().HandleEvent(typed);
    core.NextFrame();
    userName->Update(0.05f, core.Cursor());
  };
  typeKeys(L"S");
  ASSERT_NE(userName->GetShowState(), 0) << "the box was still opening";
  for (int frame = 0; frame < 100 && userName->GetShowState() != 0; ++frame) {
    core.NextFrame();
    userName->Update(0.05f, core.Cursor());
  }
  typeKeys(L"econd");
  EXPECT_EQ(userName->GetEdit()->GetText(), L"Second");
}

TEST_F(ProfileMenus, BlankNamesCannotBeConfirmedAndEscOnlyLeavesFromTheList) {
  gGameState = kStateUserNameFromPlay;
  userName->Open();
  Settle(*userName);
  rovovoz::CGUIBaseObject* ok = userName->GetChild(L"BOk");
  ASSERT_NE(ok, nullptr);
  Type(L"   ");
  userName->Update(0.05f, core.Cursor());
  EXPECT_EQ(ok->GetEnable(), 0);
  Type(L" a");
  userName->Update(0.05f, core.Cursor());
  EXPECT_EQ(ok->GetEnable(), 1);
  PressEsc();
  userName->Update(0.05f, core.Cursor());
  EXPECT_EQ(userName->GetShowState(), 0) << "no way back without a player";
  gGameState = kStateUserName;
  PressEsc();
  userName->Update(0.05f, core.Cursor());
  Settle(*userName);
  EXPECT_EQ(gNextGameState, kStateUserMenu);
}

// A name that cannot name a profile file would make a player that is gone
// at the next start: it is refused and the entry says so.
TEST_F(ProfileMenus, ANameThatCannotBeSavedIsRefusedWithANotice) {
  gGameState = gNextGameState = kStateUserNameNoPlayer;
  userName->Open();
  Settle(*userName);
  const rovovoz::CGUIBaseObject* notice = userName->GetChild(L"LBadName");
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(notice->GetVisible(), 0);
  // Half of a surrogate pair is no character: the profile cannot keep it.
  Type(std::wstring(L"Mi") + static_cast<wchar_t>(0xD800));
  ASSERT_EQ(userName->GetEdit()->GetText().size(), 3u);
  Command(L"UserNBCOk");
  EXPECT_EQ(userName->GetShowState(), 0) << "the entry stays open";
  EXPECT_EQ(notice->GetVisible(), 1);
  EXPECT_TRUE(gCurrentPlayer.mName.empty());
  EXPECT_EQ(list->Count(), 0);
  Type(L"Mira");
  userName->Update(0.05f, core.Cursor());
  EXPECT_EQ(notice->GetVisible(), 0) << "typing takes the notice away";
}

TEST_F(ProfileMenus, EnterConfirmsTheName) {
  gGameState = kStateUserNameNoPlayer;
  userName->Open();
  Settle(*userName);
  Type(L"Mira");
  core.Input().HandleEvent(zuzorev::SInputEvent::KeyDown(SDL_SCANCODE_RETURN));
  core.Input().HandleEvent(zuzorev::SInputEvent::KeyUp(SDL_SCANCODE_RETURN));
  core.NextFrame();
  userName->Update(0.05f, core.Cursor());
  Settle(*userName);
  EXPECT_EQ(gCurrentPlayer.mName, L"Mira");
  EXPECT_EQ(gNextGameState, kStateMainMenu);
}

TEST_F(ProfileMenus, TheListShowsEveryPlayerWithTheCurrentOneSelected) {
  AddPlayer(L"Ada");
  AddPlayer(L"Olav");
  gCurrentPlayer.mName = L"OLAV";
  users->Open();
  rovovoz::CGUIListBox* names = users->GetList();
  ASSERT_NE(names, nullptr);
  ASSERT_EQ(names->GetCount(), 2);
  EXPECT_EQ(names->GetItemText(names->GetSelected()), L"Olav");
}

TEST_F(ProfileMenus, CreatingFromTheListAsksForANameUpToTenPlayers) {
  struct SCase {
    int players, handedOff;
  };
  for (const SCase& c : {SCase{9, kStateUserName}, SCase{10, kStateTooManyUsers}}) {
    while (list->Count() < c.players) AddPlayer(L"P" + std::to_wstring(list->Count()));
    users->Open();
    Settle(*users);
    Command(L"UserBCCreate");
    Settle(*users);
    EXPECT_EQ(gNextGameState, c.handedOff) << c.players;
  }
}

TEST_F(ProfileMenus, ChoosingAPlayerMakesItCurrentAndRemembersIt) {
  AddPlayer(L"Ada");
  AddPlayer(L"Olav");
  gGameState = kStateUserMenu;
  users->Open();
  Settle(*users);
  users->GetList()->SetSelected(1);
  Command(L"UserBCOk");
  Settle(*users);
  EXPECT_EQ(gCurrentPlayer.mName, L"Olav");
  EXPECT_EQ(IniName(), L"Olav");
  EXPECT_EQ(gNextGameState, kStateMainMenu);
}

TEST_F(ProfileMenus, DeletingTheCurrentPlayerThenCancellingTheList) {
  AddPlayer(L"Ada");
  AddPlayer(L"Olav");
  gCurrentPlayer.mName = L"Olav";
  users->Open();
  Settle(*users);
  users->GetList()->SetSelected(1);
  Command(L"UserBCDelete");
  Settle(*users);
  EXPECT_EQ(gNextGameState, kStateUserDelete);
  EXPECT_EQ(userDelete->GetPlayerName(), L"Olav");
  userDelete->Open();
  Settle(*userDelete);
  Command(L"UserDBCOk");
  Settle(*userDelete);
  EXPECT_EQ(gNextGameState, kStateUserMenu);
  EXPECT_TRUE(gCurrentPlayer.mName.empty());
  EXPECT_EQ(list->Count(), 1);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "Users" / "Olav.dat"));
  // Cancelling the list now makes its first player current.
  users->Open();
  Settle(*users);
  Command(L"UserBCCancel");
  Settle(*users);
  EXPECT_EQ(gCurrentPlayer.mName, L"Ada");
  EXPECT_EQ(IniName(), L"Ada");
}

TEST_F(ProfileMenus, CancellingTheListWithTheCurrentPlayerListedWritesNothing) {
  AddPlayer(L"Ada");
  gCurrentPlayer.mName = L"Ada";
  users->Open();
  Settle(*users);
  Command(L"UserBCCancel");
  Settle(*users);
  EXPECT_EQ(gNextGameState, kStateMainMenu);
  EXPECT_FALSE(std::filesystem::exists(IniPath()));
}

TEST_F(ProfileMenus, AnEmptyListLeadsToTheNameEntry) {
  gCurrentPlayer.mName = L"Gone";
  users->Open();
  Settle(*users);
  Command(L"UserBCOk");
  Settle(*users);
  EXPECT_EQ(gNextGameState, kStateUserNameNoPlayer);
  EXPECT_TRUE(gCurrentPlayer.mName.empty());
}

}  // namespace
