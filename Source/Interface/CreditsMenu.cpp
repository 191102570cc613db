#include "Interface/CreditsMenu.h"

#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "GameState.h"

namespace {
void OnOk() {
  if (gCreditsMenu) gCreditsMenu->Close();
  gPendingGameState = gOptionsReturnState == kStatePauseMenu ? kStatePauseMenu : kStateMainMenu;
}

SMenuLayout CreditsLayout() {
  SMenuLayout l;
  l.openAt = {616.0f, 450.0f, 0.0f};
  l.entry = {636.0f, 420.0f, 0.0f};
  l.exit = {150.0f, 320.0f, 0.0f};
  l.closingScale = 0.8f;
  return l;
}

struct SKindName {
  const char* tag;
  int kind;
};
const SKindName kKinds[] = {{"Title", CCreditsMenu::kTitle},         {"Text", CCreditsMenu::kText},
                            {"TextLeft", CCreditsMenu::kTextLeft},   {"TextRight", CCreditsMenu::kTextRight},
                            {"Logo", CCreditsMenu::kLogo},           {"TextLogo", CCreditsMenu::kTextLogo},
                            {"EmptyLine", CCreditsMenu::kEmptyLine}, {"Disiners", CCreditsMenu::kDisiners}};

int KindOf(const std::string& tag) {
  for (const SKindName& k : kKinds)
    if (tag.size() == std::string(k.tag).size() &&
        std::equal(tag.begin(), tag.end(), k.tag, [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
      return k.kind;
  return -1;
}

float Round(float v) { return std::nearbyint(v); }

void SetRect(CCreditsMenu::SLine& line, float left, float top, float right, float bottom) {
  line.left = Round(left);
  line.top = Round(top);
  line.right = Round(right);
  line.bottom = Round(bottom);
  line.width = line.right - line.left;
  line.height = line.bottom - line.top;
  line.scaleX = line.scaleY = 1.0f;
}

zuzorev::SRect ToRect(const CCreditsMenu::SLine& line) {
  zuzorev::SRect r;
  r.left = static_cast<int32_t>(line.left);
  r.top = static_cast<int32_t>(line.top);
  r.right = static_cast<int32_t>(line.right);
  r.bottom = static_cast<int32_t>(line.bottom);
  return r;
}
}  // namespace

CCreditsMenu::CCreditsMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, CreditsLayout()) {
  AddCommand(L"CreditsBCOk", OnOk);
}

void CCreditsMenu::Cancel() { OnOk(); }

void CCreditsMenu::LoadFontDesc(const TiXmlElement* element, rovovoz::SInitInfoFont& desc) {
  const rovovoz::SInitInfoFont& def = rovovoz::GetDefInitFont();
  auto text = [&](const char* name, std::wstring& field, const std::wstring& fallback) {
    const TiXmlAttribute* a = FindUpper(element, name);
    field = a ? ValueUtf8(a).substr(0, rovovoz::SInitInfoFont::kMaxName) : fallback;
  };
  auto number = [&](const char* name, auto& field, auto fallback) {
    const TiXmlAttribute* a = FindUpper(element, name);
    using T = std::decay_t<decltype(field)>;
    if (!a)
      field = fallback;
    else if constexpr (std::is_same_v<T, float>)
      field = FloatValue(a);
    else if constexpr (std::is_same_v<T, uint32_t>)
      field = DwordValue(a);
    else
      field = IntValue(a);
  };
  text("Name", desc.Name, L"");
  text("RenderName", desc.RenderName, def.RenderName);
  text("RenderNameShadow", desc.RenderNameShadow, def.RenderNameShadow);
  text("RenderNameEffect", desc.RenderNameEffect, def.RenderNameEffect);
  number("ScaleX", desc.ScaleX, def.ScaleX);
  number("ScaleY", desc.ScaleY, def.ScaleY);
  number("IntervalX", desc.IntervalX, def.IntervalX);
  number("IntervalY", desc.IntervalY, def.IntervalY);
  number("Width", desc.Width, 0);
  number("Height", desc.Height, 0);
  number("Bold", desc.Bold, def.Bold);
  number("MaxChar", desc.MaxChar, def.MaxChar);
  number("Dynamic", desc.Dynamic, def.Dynamic);
  number("Resource", desc.Resource, def.Resource);
  number("ScaleRaster", desc.ScaleRaster, def.ScaleRaster);
}

void CCreditsMenu::LoadFont(zuzorev::CFont& font, const TiXmlElement* element) {
  if (!element) return;
  rovovoz::SInitInfoFont desc;
  LoadFontDesc(element, desc);
  zuzorev::CRenderSystem* render = GetCore() ? GetCore()->GetRender() : nullptr;
  if (!render || desc.Name.empty()) return;
  if (render->CreateFontW(font, desc.Name, desc.Height, desc.Bold, desc.Dynamic, desc.Resource, desc.MaxChar) < 0)
    return;
  font.SetRenderSetingID(render->GetRenderSetingID(desc.RenderName));
  font.SetShadowRenderSetingID(render->GetRenderSetingID(desc.RenderNameShadow));
  font.SetEffectRenderSetingID(render->GetRenderSetingID(desc.RenderNameEffect));
  font.SetScaleX(desc.ScaleX);
  font.SetScaleY(desc.ScaleY);
  font.SetIntervalX(desc.IntervalX);
  font.SetIntervalY(desc.IntervalY);
  font.SetScaleRaster(desc.ScaleRaster);
}

int32_t CCreditsMenu::LoadProperty(const TiXmlElement* element, int index, uint32_t flags) {
  const int32_t result = CMenuFrame::LoadProperty(element, index, flags);
  mPages.clear();
  if (const TiXmlElement* pages = element ? FirstChildElementUpper(element, "Pages") : nullptr) {
    if (const TiXmlAttribute* a = FindUpper(pages, "dy_text")) mTextStep = FloatValue(a);
    if (const TiXmlAttribute* a = FindUpper(pages, "dy_empty_line")) mEmptyLineStep = FloatValue(a);
    LoadFont(mTitleFont, FirstChildElementUpper(pages, "FontTitle"));
    LoadFont(mTextFont, FirstChildElementUpper(pages, "FontText"));
    for (const TiXmlElement* page = IterateChildrenElementUpper(pages, "Page", nullptr); page;
         page = IterateChildrenElementUpper(pages, "Page", page)) {
      std::vector<SLine> lines;
      for (const TiXmlElement* e = IterateChildrenElement(page, nullptr); e; e = IterateChildrenElement(page, e)) {
        SLine line;
        line.kind = KindOf(e->ValueStr());
        if (line.kind < 0) continue;
        const TiXmlAttribute* key = FindUpper(e, "NameText");
        const TiXmlAttribute* name = FindUpper(e, "Name");
        if (line.kind == kLogo || line.kind == kTextLogo) {
          if (!name) continue;
          line.object = GetChild(ValueUtf8(name));
          if (line.kind == kTextLogo && key) line.text = LookUpText(ValueUtf8(key));
          if (line.object) {
            line.object->SetVisible(0);
            if (line.kind == kTextLogo) line.object->SetText(line.text);
          }
        } else if (line.kind != kEmptyLine) {
          if (!key) continue;
          line.text = LookUpText(ValueUtf8(key));
        }
        lines.push_back(std::move(line));
      }
      if (!lines.empty()) mPages.push_back(std::move(lines));
    }
  }
  LayoutPage();
  mPage = 0;
  mShowState = 0;
  mNextButton = GetChild(L"BPlus");
  mPrevButton = GetChild(L"BMinus");
  return result;
}

void CCreditsMenu::LayoutPage() {
  rovovoz::CGUIBaseObject* markers[4] = {GetChild(L"TextRect"), GetChild(L"TextRectLeft"), GetChild(L"TextRectRight"),
                                         GetChild(L"Disiners")};
  for (rovovoz::CGUIBaseObject* m : markers)
    if (!m) return;
  const float kw = rovovoz::GetKW(), kh = rovovoz::GetKH();
  zuzorev::SRect centre, left, right, names;
  markers[0]->GetBoxRect(centre);
  markers[1]->GetBoxRect(left);
  markers[2]->GetBoxRect(right);
  markers[3]->GetBoxRect(names);
  const float shift = 100.0f * kw;
  left.left -= static_cast<int32_t>(shift);
  left.right -= static_cast<int32_t>(shift);
  right.left += static_cast<int32_t>(shift);
  right.right += static_cast<int32_t>(shift);
  const float namesTop = names.top - 168.0f * kh, namesBottom = names.bottom - 168.0f * kh;
  const float ht = static_cast<float>(mTitleFont.GetMaxHChar());
  const float hx = static_cast<float>(mTextFont.GetMaxHChar());
  const float titleStep = ht - 7.0f * kh, textStep = hx + kh * mTextStep, emptyStep = kh * mEmptyLineStep;
  for (std::vector<SLine>& page : mPages) {
    float hc = 0, hl = 0, hr = 0;
    bool logo = false;
    for (const SLine& l : page) {
      switch (l.kind) {
        case kTitle: hc += titleStep; break;
        case kText: hc += textStep; break;
        case kTextLeft: hl += textStep; break;
        case kTextRight: hr += textStep; break;
        case kEmptyLine:
        case kDisiners: hc += emptyStep; break;
        default: logo = true; break;
      }
    }
    if (logo) continue;
    float yc = (centre.top + centre.bottom) / 2.0f - hc / 2.0f - 70.0f;
    float yl = left.top + (left.bottom - left.top) / 2.0f - hl / 2.0f;
    float yr = right.top + (right.bottom - right.top) / 2.0f - hr / 2.0f;
    for (SLine& l : page) {
      switch (l.kind) {
        case kTitle:
          SetRect(l, centre.left, yc, centre.right, yc + ht);
          yc += titleStep;
          break;
        case kText:
          SetRect(l, centre.left, yc, centre.right, yc + hx);
          yc += textStep;
          break;
        case kTextLeft:
          SetRect(l, left.left, yl, left.right, yl + hx);
          yl += textStep;
          break;
        case kTextRight:
          SetRect(l, right.left, yr, right.right, yr + hx);
          yr += textStep;
          break;
        case kDisiners: SetRect(l, names.left, namesTop, names.right, namesBottom); break;
        case kEmptyLine: yc += emptyStep; break;
        default: break;
      }
    }
  }
}

void CCreditsMenu::ShowPage(int from, int to) {
  auto show = [&](int page, int visible) {
    if (page < 0 || page >= static_cast<int>(mPages.size())) return;
    for (SLine& l : mPages[static_cast<size_t>(page)])
      if ((l.kind == kLogo || l.kind == kTextLogo) && l.object) l.object->SetVisible(visible);
  };
  show(from, 0);
  show(to, 1);
}

void CCreditsMenu::NextPage() {
  if (mPages.empty()) return;
  const int old = mPage;
  mPage = mPage + 1 >= static_cast<int>(mPages.size()) ? 0 : mPage + 1;
  ShowPage(old, mPage);
}

void CCreditsMenu::PrevPage() {
  if (mPages.empty()) return;
  const int old = mPage;
  mPage = mPage - 1 < 0 ? static_cast<int>(mPages.size()) - 1 : mPage - 1;
  ShowPage(old, mPage);
}

int CCreditsMenu::Open() {
  CMenuFrame::Open();
  ShowPage(mPage, 0);
  mPage = 0;
  return 1;
}

int32_t CCreditsMenu::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mShowState != 0) {
    UpdateShowAnimation(dt);
    return 0;
  }
  const int32_t result = rovovoz::CGUIBaseObject::Update(dt, cursor);
  if (mNextButton && (mNextButton->GetEvent() & 0x02)) NextPage();
  if (mPrevButton && (mPrevButton->GetEvent() & 0x02)) PrevPage();
  if (IsEscDown()) Cancel();
  return result;
}

int32_t CCreditsMenu::Render() {
  if (!GetVisible()) return 0;
  rovovoz::CGUIBaseObject::Render();
  zuzorev::CRenderSystem* render = GetCore() ? GetCore()->GetRender() : nullptr;
  if (!render || mPage < 0 || mPage >= static_cast<int>(mPages.size())) return 0;
  render->SetTransform2DWorld2D(GetWorldMatrix2D());
  for (const SLine& l : mPages[static_cast<size_t>(mPage)]) {
    switch (l.kind) {
      case kTitle:
      case kDisiners:
        if (mTitleFont.IsReady())
          render->DrawTextW(mTitleFont, l.text, ToRect(l), 0, 0xFFFFFFFF, 2, 0xFFFFFFFF, 5, GetDrawAlpha());
        break;
      case kText:
        if (mTextFont.IsReady())
          render->DrawTextW(mTextFont, l.text, ToRect(l), 0, 0xFFFFFFFF, 2, 0xFFFFFFFF, 5, GetDrawAlpha());
        break;
      case kTextLeft:
      case kTextRight:
        if (mTextFont.IsReady()) render->DrawTextW(mTextFont, l.text, ToRect(l), 0, 0xFFFFFFFF, 4);
        break;
      default: break;
    }
  }
  render->SetTransform2DWorld2D(zormath::Mat4f::Identity());
  return 0;
}

int32_t CCreditsMenu::ReInit() {
  const int32_t result = CMenuFrame::ReInit();
  LayoutPage();
  return result;
}

int32_t CCreditsMenu::Release(uint32_t flags) {
  mTitleFont.Release();
  mTextFont.Release();
  mPages.clear();
  mNextButton = mPrevButton = nullptr;
  return CMenuFrame::Release(flags);
}
