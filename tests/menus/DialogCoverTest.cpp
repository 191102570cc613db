// The boxes shown over the title screen hide what lies under them: their
// window is opaque, and whatever of the title's panel it overlaps lies
// wholly under it (no word of the title stands half out of a box's edge).
#include <gtest/gtest.h>
#include <tinyxml.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

struct SRect {
  std::string name;
  float x = 0, y = 0, w = 0, h = 0;
  bool Overlaps(const SRect& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
  bool Holds(const SRect& o) const { return o.x >= x && o.x + o.w <= x + w && o.y >= y && o.y + o.h <= y + h; }
};

SRect RectOf(const TiXmlElement* e) {
  SRect r;
  r.name = e->Attribute("Name") ? e->Attribute("Name") : "";
  e->QueryFloatAttribute("X", &r.x);
  e->QueryFloatAttribute("Y", &r.y);
  e->QueryFloatAttribute("Width", &r.w);
  e->QueryFloatAttribute("Height", &r.h);
  return r;
}

bool LoadForm(const char* file, TiXmlDocument& doc) {
  const std::string path = (testsupport::GameDir() / "Data" / "Interface" / file).string();
  return doc.LoadFile(path.c_str());
}

TEST(DialogCover, BoxesOverTheTitleHideItsPanel) {
  TiXmlDocument title;
  ASSERT_TRUE(LoadForm("MainMenu.xml", title));
  // Where the title's words and buttons come to rest: laid out 250 lower
  // (the Extras button 295) and risen into place by the fly-in; the
  // greeting stands where it is.
  std::vector<SRect> under;
  for (const TiXmlElement* e = title.RootElement()->FirstChildElement(); e; e = e->NextSiblingElement()) {
    const std::string tag = e->Value();
    if (tag != "Label" && tag != "Button") continue;
    SRect r = RectOf(e);
    r.y -= r.name == "Privet" ? 0.0f : r.name == "B_extras" ? 295.0f : 250.0f;
    under.push_back(r);
  }
  for (const char* file : {"WinMenu.xml", "PlayMenu.xml", "UserMenu.xml", "UserNameMenu.xml", "UserDeleteMenu.xml",
                           "UserExistMenu.xml", "UserNameMenuMnogo.xml", "UserDestroyMenu.xml", "ExitMenu.xml",
                           "OptionsMenu.xml", "CreditsMenu.xml", "SaveOptionsMenu.xml", "SelectDifficultyMenu.xml",
                           "BonusDisable.xml", "WarningMenu.xml", "BadWindowMode.xml", "WallpaperOkMenu.xml"}) {
    SCOPED_TRACE(file);
    TiXmlDocument doc;
    ASSERT_TRUE(LoadForm(file, doc));
    const TiXmlElement* window = nullptr;
    for (const TiXmlElement* e = doc.RootElement()->FirstChildElement("Background"); e;
         e = e->NextSiblingElement("Background"))
      if (e->Attribute("Name") && std::string(e->Attribute("Name")) == "Window") window = e;
    ASSERT_NE(window, nullptr);
    const std::string fill = window->Attribute("Fill") ? window->Attribute("Fill") : "";
    EXPECT_EQ(fill.substr(0, 4), "0xFF") << "the window is opaque: " << fill;
    const SRect box = RectOf(window);
    for (const SRect& r : under)
      if (box.Overlaps(r)) EXPECT_TRUE(box.Holds(r)) << r.name << " stands half out of the box";
  }
}

}  // namespace
