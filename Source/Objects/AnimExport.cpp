#include "Objects/AnimExport.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <limits>
#include <optional>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zorlog/Log.h"
#include "MiniGame/MiniGameMath.h"
#include "Objects/AnimTrackBake.h"

namespace animfile {

namespace {

using zormath::Vec3f;

constexpr const wchar_t* kSource = L"Source/Objects/MaxAnim";

template <class... Args>
void Warn(int line, const wchar_t* format, Args... args) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Warning, kSource, line, format, args...);
}

template <class... Args>
bool Refuse(int line, const wchar_t* format, Args... args) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSource, line, format, args...);
  return false;
}

std::wstring Attribute(const TiXmlElement* element, const char* name) {
  const TiXmlAttribute* attribute = FindUpper(element, name);
  return attribute ? ValueUtf8(attribute) : std::wstring();
}

// The numbers of a blank-separated list; none when any word is no number.
std::optional<std::vector<float>> Numbers(const std::wstring& text) {
  std::vector<float> numbers;
  const wchar_t* p = text.c_str();
  while (true) {
    while (*p == L' ' || *p == L'\t' || *p == L'\n' || *p == L'\r') ++p;
    if (!*p) break;
    wchar_t* end = nullptr;
    const double value = std::wcstod(p, &end);
    if (end == p) return std::nullopt;
    numbers.push_back(static_cast<float>(value));
    p = end;
  }
  return numbers;
}

int32_t ModeOf(const std::wstring& text) {
  if (text == L"constant") return kFillConstant;
  if (text == L"oscillate") return kFillOscillate;
  if (text == L"loop" || text == L"cycle") return kFillLoop;
  if (text == L"linear") return kFillLinear;
  if (text == L"relativeRepeat") return kFillRelativeRepeat;
  return kFillNone;
}

std::vector<std::wstring> Words(const std::wstring& text) {
  std::vector<std::wstring> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == L' ') ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != L' ') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

enum class EKind { None, Alpha, Scale, OffsetU, OffsetV, Vertex };

EKind KindOf(const std::wstring& controllerName) {
  const std::vector<std::wstring> words = Words(controllerName);
  if (words.empty()) return EKind::None;
  const std::wstring& last = words.back();
  const std::wstring before = words.size() > 1 ? words[words.size() - 2] : std::wstring();
  if (last == L"Visibility") return EKind::Alpha;
  if (last == L"Scale") return (before == L"X" || before == L"Y" || before == L"Z") ? EKind::None : EKind::Scale;
  if (last == L"Offset" && before == L"U") return EKind::OffsetU;
  if (last == L"Offset" && before == L"V") return EKind::OffsetV;
  if (before == L"Vertex" && Numbers(last).has_value() && !last.empty()) return EKind::Vertex;
  return EKind::None;
}

const wchar_t* WarningOf(EKind kind) {
  switch (kind) {
    case EKind::Alpha:
      return L"AnimKeyAlpha out of range";
    case EKind::Scale:
      return L"AnimKeyScale out of range";
    case EKind::OffsetU:
      return L"AnimKeyU out of range";
    case EKind::OffsetV:
      return L"AnimKeyV out of range";
    default:
      return L"AnimKeyVertex out of range";
  }
}

class CExportReader {
 public:
  CExportReader(const std::wstring& file, const std::vector<Vec3f>& restPose, SAnimData& anim)
      : mFile(file), mRestPose(restPose), mAnim(anim) {}

  // Samples and controllers of the node.
  bool ReadNode(const TiXmlElement* node) {
    if (!ReadSamples(node)) return false;
    return ReadControllers(node);
  }

  bool ReadSamples(const TiXmlElement* node) {
    const TiXmlElement* samples = FirstChildElementUpper(node, "Samples");
    const TiXmlAttribute* countAttribute = samples ? FindUpper(samples, "count") : nullptr;
    const int count = countAttribute ? IntValue(countAttribute) : 0;
    if (count < 1) return Refuse(__LINE__, L"Animation %s: node without samples", mFile.c_str());
    std::vector<const TiXmlElement*> rows;
    for (const TiXmlElement* s = IterateChildrenElementUpper(samples, "S", nullptr); s;
         s = IterateChildrenElementUpper(samples, "S", s)) {
      if (!FindUpper(s, "v")) continue;
      // More samples than the count: the rest is not part of the animation.
      if (static_cast<int>(rows.size()) == count) break;
      rows.push_back(s);
    }
    if (rows.empty()) return Refuse(__LINE__, L"Animation %s: node without samples", mFile.c_str());
    if (static_cast<int>(rows.size()) < count)
      Warn(__LINE__, L"Animation %s: %d samples of %d", mFile.c_str(), static_cast<int>(rows.size()), count);
    // The keys are the samples the file holds.
    mAnim.keys.assign(rows.size(), SAnimKey());
    mAnim.length = static_cast<float>(static_cast<int>(rows.size()) - 1) / static_cast<float>(mAnim.frameRate);
    for (size_t i = 0; i < rows.size(); ++i) {
      const std::optional<std::vector<float>> t = Numbers(Attribute(rows[i], "v"));
      if (!t || t->size() != 12) return Refuse(__LINE__, L"Animation %s: sample without 12 numbers", mFile.c_str());
      const std::vector<float>& m = *t;
      SAnimKey& key = mAnim.keys[i];
      key.position = Vec3f(m[9], m[11], m[10]);
      key.direction = Vec3f(m[3], m[5], m[4]);
      key.up = Vec3f(m[6], m[8], m[7]);
    }
    return true;
  }

  bool ReadControllers(const TiXmlElement* node) {
    std::vector<SAnimTrackKey> tracks[4];
    bool present[4] = {};
    for (const TiXmlElement* c = IterateChildrenElementUpper(node, "Controller", nullptr); c;
         c = IterateChildrenElementUpper(node, "Controller", c)) {
      const EKind kind = KindOf(Attribute(c, "name"));
      if (kind == EKind::None) continue;
      std::vector<SAnimTrackKey> track;
      if (!ReadTrack(c, kind, track)) return false;
      if (kind == EKind::Vertex) {
        BakeVertexTrack(track);
        continue;
      }
      const int slot = static_cast<int>(kind) - 1;
      tracks[slot] = std::move(track);
      present[slot] = true;
    }
    const ETrack kinds[4] = {ETrack::Alpha, ETrack::Scale, ETrack::OffsetU, ETrack::OffsetV};
    for (int i = 0; i < 4; ++i)
      if (present[i]) BakeTrack(mAnim.keys, tracks[i], kinds[i]);
    return true;
  }

 private:
  bool ReadTrack(const TiXmlElement* controller, EKind kind, std::vector<SAnimTrackKey>& track) {
    const TiXmlElement* keys = FirstChildElementUpper(controller, "Keys");
    if (!keys) return true;
    const TiXmlAttribute* countAttribute = FindUpper(keys, "count");
    if (countAttribute && (kind == EKind::OffsetU || kind == EKind::OffsetV)) mAnim.textureOffset = 1;
    // The count is the track: key elements beyond it are not part of it.
    const int count = countAttribute ? std::max(IntValue(countAttribute), 0) : 0;
    const bool vectorKeys = kind == EKind::Scale || kind == EKind::Vertex;
    const char* keyName = vectorKeys ? "K" : "Key";
    const int n = static_cast<int>(mAnim.keys.size());
    for (const TiXmlElement* k = IterateChildrenElementUpper(keys, keyName, nullptr);
         k && static_cast<int>(track.size()) < count; k = IterateChildrenElementUpper(keys, keyName, k)) {
      SAnimTrackKey key;
      const TiXmlAttribute* t = FindUpper(k, "t");
      const long long ticks = t ? IntValue(t) : 0;
      long long frame = ticks / mAnim.ticksPerFrame;
      if (frame >= n || frame < 0) {
        Warn(__LINE__, WarningOf(kind));
        frame = frame < 0 ? 0 : n - 1;
      }
      key.frame = static_cast<int32_t>(frame);
      const std::optional<std::vector<float>> v = Numbers(Attribute(k, "v"));
      const size_t wanted = vectorKeys ? 3 : 1;
      if (!v || v->size() != wanted)
        return Refuse(__LINE__, L"Animation %s: key of a track without its value", mFile.c_str());
      const std::vector<float>& a = *v;
      switch (kind) {
        case EKind::Alpha:
          key.value = a[0];
          break;
        case EKind::OffsetU:
          key.u = a[0];
          break;
        case EKind::OffsetV:
          key.v = -a[0];
          break;
        default:
          key.scale = Vec3f(a[0], a[2], a[1]);
          break;
      }
      track.push_back(key);
    }
    if (static_cast<int>(track.size()) < count)
      Warn(__LINE__, L"Animation %s: %d track keys of %d", mFile.c_str(), static_cast<int>(track.size()), count);
    if (track.size() > 1 && kind != EKind::Vertex) {
      track.front().modeBefore = ModeOf(Attribute(controller, "outOfRangeBefore"));
      track.back().modeAfter = ModeOf(Attribute(controller, "outOfRangeAfter"));
    }
    return true;
  }

  // The vertices of the rest pose near the track's first key follow it:
  // vertices split from one modelled vertex move together.
  void BakeVertexTrack(const std::vector<SAnimTrackKey>& track) {
    if (track.empty()) return;
    if (mRestPose.empty()) {
      Warn(__LINE__, L"Animation %s: vertex track without a model", mFile.c_str());
      return;
    }
    if (!mAnim.vertexAnimation) {
      for (SAnimKey& key : mAnim.keys)
        if (key.vertices.empty()) key.vertices = mRestPose;
      mAnim.vertexAnimation = 1;
    }
    const Vec3f anchor = track.front().scale;
    for (size_t v = 0; v < mRestPose.size(); ++v) {
      const Vec3f d = mRestPose[v] - anchor;
      if (Vector3LengthSquared(d.x, d.y, d.z) >= 1.0f) continue;
      for (size_t i = 0; i + 1 < track.size(); ++i) {
        const SAnimTrackKey& a = track[i];
        const SAnimTrackKey& b = track[i + 1];
        for (int f = a.frame; f <= b.frame; ++f) {
          const float w = b.frame == a.frame ? 1.0f
                                             : static_cast<float>(f - a.frame) / static_cast<float>(b.frame - a.frame);
          std::vector<Vec3f>& frame = mAnim.keys[static_cast<size_t>(f)].vertices;
          if (v < frame.size()) frame[v] = a.scale * (1.0f - w) + b.scale * w;
        }
      }
    }
  }

  const std::wstring& mFile;
  const std::vector<Vec3f>& mRestPose;
  SAnimData& mAnim;
};

const TiXmlElement* FindNode(const TiXmlElement* root, const std::wstring& name) {
  for (const TiXmlElement* node = IterateChildrenElementUpper(root, "Node", nullptr); node;
       node = IterateChildrenElementUpper(root, "Node", node))
    if (Attribute(node, "name") == name) return node;
  return nullptr;
}

bool LoadDocument(TiXmlDocument& document, const std::wstring& file) {
  if (LoadXmlDocument(document, file)) return true;
  return Refuse(__LINE__, L"Animation file %s not loaded", file.c_str());
}

}  // namespace

bool ReadExport(const std::wstring& file, const std::wstring& node, const std::vector<Vec3f>& restPose,
                SAnimData& out) {
  out = SAnimData();
  TiXmlDocument document;
  if (!LoadDocument(document, file)) return false;
  const TiXmlElement* root = RootElementUpper(document, "MaxAnimation");
  if (!root) return true;
  SAnimData anim;
  if (const TiXmlElement* info = FirstChildElementUpper(root, "SceneInfo")) {
    if (const TiXmlAttribute* a = FindUpper(info, "frameRate")) anim.frameRate = IntValue(a);
    if (const TiXmlAttribute* a = FindUpper(info, "ticksPerFrame")) anim.ticksPerFrame = IntValue(a);
  }
  if (anim.frameRate <= 0 || anim.ticksPerFrame <= 0)
    return Refuse(__LINE__, L"Animation %s: no frame rate", file.c_str());
  const TiXmlElement* animated = FindNode(root, node);
  if (!animated) return true;
  CExportReader reader(file, restPose, anim);
  if (!reader.ReadNode(animated)) return false;
  const std::wstring parent = Attribute(animated, "parentNode");
  if (parent.size() >= 2 && parent != L"Scene Root") {
    // The parent's tracks are read from a second parse of the file.
    out = anim;
    TiXmlDocument second;
    if (!LoadDocument(second, file)) return false;
    const TiXmlElement* secondRoot = RootElementUpper(second, "MaxAnimation");
    const TiXmlElement* parentNode = secondRoot ? FindNode(secondRoot, parent) : nullptr;
    if (parentNode && !reader.ReadControllers(parentNode)) return false;
  }
  out = std::move(anim);
  return true;
}

}  // namespace animfile
