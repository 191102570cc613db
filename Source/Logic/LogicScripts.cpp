// The story's action scripts: the keyword tables and the reader of one
// Actions block into a map of named actions.
#include <iterator>
#include <string_view>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Logic/Logic.h"
#include "Logic/LogicXmlRead.h"
#include "Platform/Strings.h"

using logicxml::Error;
using logicxml::ReadFloat;
using logicxml::ReadInt;
using logicxml::ReadText;
using logicxml::Tag;
using logicxml::TagIs;

namespace {

const wchar_t* const kSource = L"Source/Logic/LogicScripts";

struct SKeyword {
  const wchar_t* name;
  uint32_t code;
};

// Names in scripts (objects, actions, sounds, items, files) are words,
// numbers and paths; a sign such as '#' or '%' never belongs to one.
bool IsName(const std::wstring& text) {
  for (const wchar_t c : text) {
    if (c >= 0x80 || (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) continue;
    if (std::wstring_view(L"_.-\\/ :()',+").find(c) == std::wstring_view::npos) return false;
  }
  return true;
}

// A name attribute: one that is no name is named with its file in a
// warning and reads as the empty name, which names nothing.
void ReadName(const TiXmlElement* element, const char* name, const std::wstring& file, std::wstring& out) {
  std::wstring text;
  if (!ReadText(element, name, text)) return;
  if (IsName(text)) {
    out = text;
    return;
  }
  const std::wstring attribute = Platform::Utf8ToWide(name);
  gamelog::Warning(kSource, __LINE__,
                   L"File %s: attribute %s=\"%s\" of %s is no name; it names nothing", file.c_str(),
                   attribute.c_str(), text.c_str(), Tag(element).c_str());
  out.clear();
}

template <size_t N>
uint32_t FindKeyword(const SKeyword (&table)[N], const std::wstring& name) {
  for (const SKeyword& k : table)
    if (Platform::EqualsNoCase(std::wstring_view(name), std::wstring_view(k.name))) return k.code;
  return kLogicUnknownCode;
}

constexpr SKeyword kOperations[] = {
    {L"Visible", 0},     {L"Open", 1},       {L"Add", 2},        {L"Delete", 3},         {L"Run", 4},
    {L"Start", 4},       {L"Play", 4},       {L"Cursor", 5},     {L"Update", 6},         {L"VisibleMask", 7},
    {L"Stop", 8},        {L"Close", 9},      {L"Render2D", 10},  {L"TopRender", 11},     {L"SetTextTips", 12},
    {L"OpenAlwaysPick", 13},
};

constexpr SKeyword kObjectTypes[] = {
    {L"ObjTri", 0},         {L"Obj", 1},
    {L"Sadanie_simple", 2}, {L"Sadanie_complex", 3},
    {L"MiniGame", 4},       {L"Dialog", 5},
    {L"BeginAction", 6},    {L"End", 7},
    {L"Run", 8},            {L"Predmet", 9},
    {L"Pause", 10},         {L"CameraMove", 11},
    {L"Level", 12},         {L"Action", 13},
    {L"ActionE", 14},       {L"Region", 15},
    {L"Beg", 16},           {L"Path", 17},
    {L"Particle", 18},      {L"MoveTexture", 19},
    {L"AnimModelLoop", 20}, {L"Rolik", 21},
    {L"Animation", 22},     {L"SetType", 23},
    {L"SetPredmet", 24},    {L"TopText", 25},
    {L"AmbientSound", 26},  {L"Sound", 27},
    {L"Musik", 28},         {L"VideoObj", 29},
    {L"MaxAnim", 30},       {L"GamePanel", 31},
    {L"ParticleEffect", 32}, {L"AnimationList", 33},
    {L"Page", 34},          {L"MapLevel", 35},
    {L"RandomMusic", 36},   {L"Morf", 37},
    {L"Sadanie_complex_kusok", 38}, {L"AmbientSoundGroup", 39},
    {L"TruncateAlpha", 40}, {L"FrameAnim", 41},
};

constexpr SKeyword kConditions[] = {
    {L"Visible", 0},   {L"Open", 1},    {L"Delete", 2},       {L"Exist", 3},   {L"NoVisible", 4},
    {L"NoOpen", 5},    {L"NoDelete", 6}, {L"NoExist", 7},     {L"CountRestKus", 8}, {L"Cursor", 9},
    {L"Update", 10},   {L"NoUpdate", 11}, {L"RefQual", 12},   {L"RefNoQual", 13},
};

constexpr SKeyword kConditionTypes[] = {
    {L"ObjTri", 0}, {L"Obj", 1}, {L"Sadanie_simple", 2}, {L"Sadanie_complex", 3}, {L"BeginAction", 4}, {L"Predmet", 5},
};

// Reads the attributes of an operation element into op (its Operation is
// already set); false, with an error line, when the operation is dropped.
bool ReadOperation(const TiXmlElement* element, const std::wstring& file, SLogicAction& op) {
  const TiXmlAttribute* type = FindUpper(element, "Type");
  if (!type) {
    const std::wstring tag = Tag(element);
    Error(kSource, __LINE__, L"No find Type action");
    return false;
  }
  const std::wstring typeName = ValueUtf8(type);
  op.Type = CLogic::ParseActionObjectType(typeName);
  if (op.Type == kLogicUnknownCode) {
    Error(kSource, __LINE__, L"Invalid action type = %s file %s", typeName.c_str(), file.c_str());
    return false;
  }
  ReadName(element, "par1", file, op.par1);
  ReadName(element, "par2", file, op.par2);
  ReadName(element, "par3", file, op.par3);
  ReadName(element, "par4", file, op.par4);
  ReadInt(element, "par_i1", file, op.par_i1);
  ReadInt(element, "par_i2", file, op.par_i2);
  ReadInt(element, "par_i3", file, op.par_i3);
  ReadInt(element, "par_i4", file, op.par_i4);
  ReadFloat(element, "par_f1", file, op.par_f1);
  ReadFloat(element, "par_f2", file, op.par_f2);
  ReadFloat(element, "par_f3", file, op.par_f3);
  float value = 0.0f;
  if (ReadFloat(element, "time", file, value)) op.time = value < 0.0f ? 0.0f : value;
  // time2 is written as the latest moment; the record keeps the range above
  // time (negative when the data gives time2 below time).
  if (ReadFloat(element, "time2", file, value)) op.time2 = value <= 0.0f ? 0.0f : value - op.time;
  ReadText(element, "key_tips", op.key_tips);
  return true;
}

// One "if" block: its conditions and its operations. Kept only when it has
// at least one condition.
void ReadIf(const TiXmlElement* element, const std::wstring& file, SLogicActionEntry& entry) {
  SLogicIf block;
  ReadInt(element, "Ret", file, block.Ret);
  for (const TiXmlElement* child = IterateChildrenElement(element, nullptr); child;
       child = child->NextSiblingElement()) {
    if (TagIs(child, "Actions")) {
      for (const TiXmlElement* e = IterateChildrenElement(child, nullptr); e; e = e->NextSiblingElement()) {
        SLogicAction op;
        const std::wstring tag = Tag(e);
        op.Operation = CLogic::ParseActionOperation(tag);
        if (!ReadOperation(e, file, op)) continue;
        // Kept with the unknown code, which no executor runs.
        if (op.Operation == kLogicUnknownCode)
          Error(kSource, __LINE__, L"Invalid if action name %s file %s", tag.c_str(), file.c_str());
        block.Actions.push_back(std::move(op));
      }
      continue;
    }
    SLogicCondition condition;
    const std::wstring tag = Tag(child);
    condition.Code = CLogic::ParseConditionType(tag);
    if (const TiXmlAttribute* type = FindUpper(child, "Type")) {
      const std::wstring typeName = ValueUtf8(type);
      condition.Type = CLogic::ParseConditionObjectType(typeName);
      if (condition.Type == kLogicUnknownCode) {
        Error(kSource, __LINE__, L"Invalid action if type = %s file %s", typeName.c_str(), file.c_str());
        continue;
      }
    }
    ReadName(child, "par1", file, condition.par1);
    ReadName(child, "par2", file, condition.par2);
    ReadName(child, "par3", file, condition.par3);
    ReadName(child, "par4", file, condition.par4);
    ReadInt(child, "par_i1", file, condition.par_i1);
    // Kept with the unknown code, which no condition test passes.
    if (condition.Code == kLogicUnknownCode)
      Error(kSource, __LINE__, L"Invalid action if name %s file %s", tag.c_str(), file.c_str());
    block.Conditions.push_back(std::move(condition));
  }
  if (!block.Conditions.empty()) entry.Ifs.push_back(std::move(block));
}

}  // namespace

uint32_t CLogic::ParseActionOperation(const std::wstring& name) { return FindKeyword(kOperations, name); }

uint32_t CLogic::ParseActionObjectType(const std::wstring& name) { return FindKeyword(kObjectTypes, name); }

uint32_t CLogic::ParseConditionType(const std::wstring& name) { return FindKeyword(kConditions, name); }

uint32_t CLogic::ParseConditionObjectType(const std::wstring& name) { return FindKeyword(kConditionTypes, name); }

void CLogic::LoadSadanieActions(const TiXmlElement* parent, SActionMap& actions, const std::wstring& file,
                                bool clearFirst) {
  if (!parent) return;
  if (clearFirst) actions.clear();
  const TiXmlElement* block = FirstChildElementUpper(parent, "Actions");
  if (!block) return;
  logicxml::ReportUnknownChildren(block, {"Action"}, file);
  for (const TiXmlElement* a = FirstChildElementUpper(block, "Action"); a;
       a = IterateChildrenElementUpper(block, "Action", a)) {
    SLogicActionEntry entry;
    if (!ReadText(a, "Name", entry.Name)) {
      Error(kSource, __LINE__, L"LoadSadanieActions. No find attribute Name for teg Action.");
      continue;
    }
    int32_t value = 0;
    if (ReadInt(a, "Ref", file, value)) entry.Ref = value <= 0 ? 1 : value;
    ReadInt(a, "Ret", file, entry.Ret);
    for (const TiXmlElement* child = IterateChildrenElement(a, nullptr); child; child = child->NextSiblingElement()) {
      SLogicAction op;
      const std::wstring tag = Tag(child);
      op.Operation = ParseActionOperation(tag);
      if (op.Operation != kLogicUnknownCode) {
        if (ReadOperation(child, file, op)) entry.Actions.push_back(std::move(op));
      } else if (TagIs(child, "if")) {
        ReadIf(child, file, entry);
      } else {
        Error(kSource, __LINE__, L"Invalid action name");
      }
    }
    // An action with nothing to do is kept only when it exists to answer 0.
    if (entry.Actions.empty() && entry.Ifs.empty() && entry.Ret != 0) continue;
    actions.emplace(entry.Name, std::move(entry));
  }
}
