#pragma once
// The game's texts by group and key, read from our text files (UTF-8 XML;
// see docs/formats.md, "Text files"), and the text and font defaults the
// configuration hands to the engine.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class TiXmlElement;

namespace rovovoz {

class CTextManager {
 public:
  // Forgets every text and every group root.
  void Release();
  // Makes the groups nested in <Root Name="name"> of the files loaded from
  // now on visible. Groups directly under the document are always read.
  void AddGroupRoot(const std::wstring& name);
  // Adds the groups of one text file (resolved through the file system).
  // False when the file is missing or malformed; nothing is added then.
  bool Load(const std::wstring& file);
  // The text of key in the first loaded group that has it; empty if none.
  std::wstring GetText(const std::wstring& key) const;
  // The text of key in the group; empty when the group or key is missing.
  std::wstring GetText(const std::wstring& group, const std::wstring& key) const;

 private:
  struct Group {
    std::wstring name;
    std::map<std::wstring, std::wstring> texts;
  };
  std::vector<std::wstring> mRoots;
  std::vector<Group> mGroups;  // in load order; a name may repeat
};

// Font defaults for fonts that do not set their own.
struct SInitInfoFont {
  std::wstring Name;  // at most kMaxName characters, as all four names
  std::wstring RenderName = L"RS_FONTRENDER";
  std::wstring RenderNameShadow = L"RS_FONTRENDER";
  std::wstring RenderNameEffect = L"RS_FONTRENDER";
  float ScaleX = 1.0f;
  float ScaleY = 1.0f;
  int IntervalX = 1;
  int IntervalY = 1;
  int Width = 0;
  int Height = 0;
  int Bold = 1;
  uint32_t MaxChar = 100;
  int Dynamic = 0;
  int Resource = 0;
  int ScaleRaster = 1;

  static constexpr size_t kMaxName = 100;
};

// Text defaults: the group that holds the engine's own default texts.
struct SInitInfoText {
  std::wstring Group;
};

// Take the configuration's <DefaultInit> element whole (null: defaults).
// Attributes are matched ignoring case; missing ones keep their default.
void LoadDefaultInitFont(const TiXmlElement* element);
void LoadDefaultInitText(const TiXmlElement* element);
const SInitInfoFont& GetDefInitFont();
const SInitInfoText& GetDefInitText();

}  // namespace rovovoz
