#include "Engine/zuzorev/EventScriptFile.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "Platform/Strings.h"

namespace zuzorev {
namespace {

constexpr const char* kMagic = "lht-input";
constexpr int kVersion = 1;
// A replay longer than this (over three years at 60 frames a second) is
// surely a damaged number.
constexpr long kMaxFrame = INT_MAX;
// Replays are small; anything bigger is not one.
constexpr std::streamsize kMaxFileSize = 64L << 20;

struct SKindName {
  EInputEvent kind;
  const char* name;
};
constexpr SKindName kKinds[] = {
    {EInputEvent::MouseMove, "move"},
    {EInputEvent::MouseDown, "down"},
    {EInputEvent::MouseUp, "up"},
    {EInputEvent::MouseWheel, "wheel"},
    {EInputEvent::KeyDown, "key-down"},
    {EInputEvent::KeyUp, "key-up"},
    {EInputEvent::Text, "text"},
    {EInputEvent::Quit, "quit"},
    {EInputEvent::Close, "close"},
    {EInputEvent::FocusGained, "focus-gained"},
    {EInputEvent::FocusLost, "focus-lost"},
    {EInputEvent::Minimized, "minimized"},
    {EInputEvent::Restored, "restored"},
    {EInputEvent::Exposed, "exposed"},
    {EInputEvent::MouseEnter, "mouse-enter"},
    {EInputEvent::MouseLeave, "mouse-leave"},
    {EInputEvent::DisplayChanged, "display-changed"},
};

const char* KindName(EInputEvent kind) {
  for (const auto& k : kKinds)
    if (k.kind == kind) return k.name;
  return "?";
}

bool KindOf(const std::string& name, EInputEvent& kind) {
  for (const auto& k : kKinds)
    if (name == k.name) {
      kind = k.kind;
      return true;
    }
  return false;
}

// A whole decimal int within [low, high]; nothing else on the word.
bool ReadInt(const std::string& word, long low, long high, long& value) {
  if (word.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(word.c_str(), &end, 10);
  if (errno != 0 || end != word.c_str() + word.size() || v < low || v > high) return false;
  value = v;
  return true;
}

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// Number of numbers each kind carries after its name.
size_t ArgumentCount(EInputEvent kind) {
  switch (kind) {
    case EInputEvent::MouseMove: return 2;
    case EInputEvent::MouseDown:
    case EInputEvent::MouseUp: return 3;
    case EInputEvent::MouseWheel:
    case EInputEvent::KeyUp: return 1;
    default: return 0;
  }
}

std::wstring LineError(int line, const char* what) {
  return L"line " + std::to_wstring(line) + L": " + Platform::Utf8ToWide(what);
}

}  // namespace

std::string FormatEventLine(int frame, const SInputEvent& e) {
  std::string line = std::to_string(frame) + " " + KindName(e.kind);
  auto add = [&line](long v) { line += " " + std::to_string(v); };
  switch (e.kind) {
    case EInputEvent::MouseMove:
      add(e.x);
      add(e.y);
      break;
    case EInputEvent::MouseDown:
    case EInputEvent::MouseUp:
      add(e.button);
      add(e.x);
      add(e.y);
      break;
    case EInputEvent::MouseWheel: add(e.wheel); break;
    case EInputEvent::KeyDown:
      add(e.key);
      if (e.repeat) line += " repeat";
      break;
    case EInputEvent::KeyUp: add(e.key); break;
    case EInputEvent::Text: {
      // One line per event: a line break inside the text cannot be kept.
      std::string text = Platform::WideToUtf8(e.text);
      for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
      line += " " + text;
      break;
    }
    default: break;
  }
  return line;
}

std::string FormatEventScriptHeader(float frameTime, uint32_t seed) {
  char time[32];
  std::snprintf(time, sizeof time, "%.9g", static_cast<double>(frameTime));
  return std::string(kMagic) + " " + std::to_string(kVersion) + "\nframe-time " + time + "\nseed " +
         std::to_string(seed) + "\n";
}

std::unique_ptr<CEventScript> ParseEventScript(const std::string& text, std::wstring& error) {
  error.clear();
  std::istringstream in(text);
  std::string line;
  int number = 0;
  bool haveMagic = false, haveTime = false;
  float frameTime = 0.0f;
  std::optional<uint32_t> seed;
  struct SPending {
    long frame;
    SInputEvent e;
  };
  std::vector<SPending> events;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> words = Words(line);
    if (words.empty() || words[0][0] == '#') continue;
    if (!haveMagic) {
      long version = 0;
      if (words.size() != 2 || words[0] != kMagic || !ReadInt(words[1], kVersion, kVersion, version)) {
        error = LineError(number, "not an input replay (\"lht-input 1\" expected)");
        return nullptr;
      }
      haveMagic = true;
      continue;
    }
    if (words[0] == "frame-time") {
      char* end = nullptr;
      const float t = words.size() == 2 ? std::strtof(words[1].c_str(), &end) : 0.0f;
      if (words.size() != 2 || end != words[1].c_str() + words[1].size() || !std::isfinite(t) || t <= 0.0f ||
          t > 1.0f) {
        error = LineError(number, "frame-time must be a number of seconds above 0 and at most 1");
        return nullptr;
      }
      frameTime = t;
      haveTime = true;
      continue;
    }
    if (words[0] == "seed") {
      long v = 0;
      if (words.size() != 2 || !ReadInt(words[1], 0, UINT32_MAX, v)) {
        error = LineError(number, "seed must be a whole number from 0 to 4294967295");
        return nullptr;
      }
      seed = static_cast<uint32_t>(v);
      continue;
    }
    long frame = 0;
    if (!ReadInt(words[0], 0, kMaxFrame, frame)) {
      error = LineError(number, "a frame number (0 or more) or a header keyword expected");
      return nullptr;
    }
    EInputEvent kind{};
    if (words.size() < 2 || !KindOf(words[1], kind)) {
      error = LineError(number, "unknown event");
      return nullptr;
    }
    SInputEvent e = SInputEvent::Of(kind);
    if (kind == EInputEvent::Text) {
      // The text is the rest of the line after the event's name, spaces kept.
      const size_t at = line.find("text");
      e.text = Platform::Utf8ToWide(at + 5 <= line.size() ? line.substr(at + 5) : std::string());
    } else if (kind == EInputEvent::KeyDown) {
      long key = 0;
      const bool repeat = words.size() == 4 && words[3] == "repeat";
      if ((words.size() != 3 && !repeat) || !ReadInt(words[2], 0, INT_MAX, key)) {
        error = LineError(number, "key-down takes a key number and an optional \"repeat\"");
        return nullptr;
      }
      e.key = static_cast<int>(key);
      e.repeat = repeat;
    } else {
      const size_t count = ArgumentCount(kind);
      if (words.size() != count + 2) {
        error = LineError(number, "wrong number of values for the event");
        return nullptr;
      }
      long v[3] = {0, 0, 0};
      for (size_t i = 0; i < count; ++i) {
        const bool isButton = (kind == EInputEvent::MouseDown || kind == EInputEvent::MouseUp) && i == 0;
        if (!ReadInt(words[i + 2], isButton ? 0 : INT_MIN, isButton ? 4 : INT_MAX, v[i])) {
          error = LineError(number, isButton ? "a mouse button is 0 to 4" : "a value is not a whole number");
          return nullptr;
        }
      }
      switch (kind) {
        case EInputEvent::MouseMove:
          e.x = static_cast<int>(v[0]);
          e.y = static_cast<int>(v[1]);
          break;
        case EInputEvent::MouseDown:
        case EInputEvent::MouseUp:
          e.button = static_cast<int>(v[0]);
          e.x = static_cast<int>(v[1]);
          e.y = static_cast<int>(v[2]);
          break;
        case EInputEvent::MouseWheel: e.wheel = static_cast<int>(v[0]); break;
        case EInputEvent::KeyUp: e.key = static_cast<int>(v[0]); break;
        default: break;
      }
    }
    events.push_back({frame, std::move(e)});
  }
  if (!haveMagic) {
    error = L"empty: not an input replay";
    return nullptr;
  }
  if (!haveTime) {
    error = L"no frame-time line: a replay needs its fixed frame time";
    return nullptr;
  }
  auto script = std::make_unique<CEventScript>(frameTime, seed);
  for (auto& p : events) script->Add(static_cast<int>(p.frame), std::move(p.e));
  return script;
}

std::unique_ptr<CEventScript> LoadEventScript(const std::string& path, std::wstring& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = L"cannot open " + Platform::Utf8ToWide(path);
    return nullptr;
  }
  std::string text;
  char buffer[4096];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    text.append(buffer, static_cast<size_t>(file.gcount()));
    if (static_cast<std::streamsize>(text.size()) > kMaxFileSize) {
      error = Platform::Utf8ToWide(path) + L": too big for an input replay";
      return nullptr;
    }
  }
  return ParseEventScript(text, error);
}

}  // namespace zuzorev
