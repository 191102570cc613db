#include "Objects/AnimTrackBake.h"

#include <algorithm>

namespace animfile {

namespace {

using zormath::Vec3f;

Vec3f FieldOf(const SAnimKey& key, ETrack kind) {
  switch (kind) {
    case ETrack::Alpha:
      return {key.alpha, 0, 0};
    case ETrack::Scale:
      return key.scale;
    case ETrack::OffsetU:
      return {key.offsetU, 0, 0};
    case ETrack::OffsetV:
      return {key.offsetV, 0, 0};
  }
  return {};
}

void SetField(SAnimKey& key, ETrack kind, const Vec3f& v) {
  switch (kind) {
    case ETrack::Alpha:
      key.alpha = v.x;
      break;
    case ETrack::Scale:
      key.scale = v;
      break;
    case ETrack::OffsetU:
      key.offsetU = v.x;
      break;
    case ETrack::OffsetV:
      key.offsetV = v.x;
      break;
  }
}

Vec3f ValueOf(const SAnimTrackKey& key, ETrack kind) {
  switch (kind) {
    case ETrack::Alpha:
      return {key.value, 0, 0};
    case ETrack::Scale:
      return key.scale;
    case ETrack::OffsetU:
      return {key.u, 0, 0};
    case ETrack::OffsetV:
      return {key.v, 0, 0};
  }
  return {};
}

// Source frames of the fills, step k = 0, 1, 2 ... away from the keyed
// range. first..last is the keyed range; a range of one frame repeats it.
int OscillateSource(int start, int dir, int first, int last, int k) {
  const int span = last - first;
  if (span <= 0) return first;
  // Position along a bouncing walk that starts at `start` going `dir`.
  int offset = (start - first) + (dir > 0 ? k : -k);
  const int period = 2 * span;
  offset %= period;
  if (offset < 0) offset += period;
  return first + (offset <= span ? offset : period - offset);
}

// First round `firstCount` frames from `from`, then rounds of `restCount`
// frames from `restFrom`, stepping by dir.
int RoundSource(int from, int firstCount, int restFrom, int restCount, int dir, int k) {
  if (k < firstCount) return from + dir * k;
  if (restCount <= 0) return from + dir * (firstCount - 1);
  return restFrom + dir * ((k - firstCount) % restCount);
}

}  // namespace

void BakeTrack(std::vector<SAnimKey>& keys, const std::vector<SAnimTrackKey>& track, ETrack kind) {
  const int n = static_cast<int>(keys.size());
  if (track.size() < 2 || n < 1) return;
  std::vector<Vec3f> s(static_cast<size_t>(n));
  for (int f = 0; f < n; ++f) s[f] = FieldOf(keys[f], kind);
  auto at = [&](int f) { return s[static_cast<size_t>(std::clamp(f, 0, n - 1))]; };

  for (size_t i = 0; i + 1 < track.size(); ++i) {
    const SAnimTrackKey& a = track[i];
    const SAnimTrackKey& b = track[i + 1];
    const Vec3f va = ValueOf(a, kind);
    const Vec3f vb = ValueOf(b, kind);
    for (int f = std::max(a.frame, 0); f <= b.frame && f < n; ++f) {
      // Two keys on one frame: the later one holds there.
      if (b.frame == a.frame) {
        s[f] = vb;
        continue;
      }
      const float w = static_cast<float>(f - a.frame) / static_cast<float>(b.frame - a.frame);
      s[f] = va * (1.0f - w) + vb * w;
    }
  }

  const int first = std::clamp(track.front().frame, 0, n - 1);
  const int last = std::clamp(track.back().frame, first, n - 1);
  const int span = last - first;
  const Vec3f delta = ValueOf(track.back(), kind) - ValueOf(track.front(), kind);

  // Before the first key, frames first-1 down to 0.
  const int before = track.front().modeBefore;
  for (int f = first - 1, k = 0; f >= 0; --f, ++k) {
    switch (before) {
      case kFillConstant:
        s[f] = ValueOf(track.front(), kind);
        break;
      case kFillOscillate:
        s[f] = at(OscillateSource(std::min(first + 1, last), 1, first, last, k));
        break;
      case kFillLoop:
        s[f] = at(RoundSource(last, span + 1, last - 1, span, -1, k));
        break;
      case kFillLinear:
        s[f] = at(f + 1) - (at(std::min(first + 1, last)) - at(first));
        break;
      case kFillRelativeRepeat:
        s[f] = at(RoundSource(last - 1, span, last - 2, span - 1, -1, k)) - delta;
        break;
      default:
        break;
    }
  }

  // After the last key, frames last+1 up to n-1.
  const int after = track.back().modeAfter;
  if (after == kFillConstant) s[last] = ValueOf(track.back(), kind);
  for (int f = last + 1, k = 0; f < n; ++f, ++k) {
    switch (after) {
      case kFillConstant:
        s[f] = ValueOf(track.back(), kind);
        break;
      case kFillOscillate:
        s[f] = at(OscillateSource(std::max(last - 1, first), -1, first, last, k));
        break;
      case kFillLoop:
        s[f] = at(RoundSource(first, span + 1, first + 1, span, 1, k));
        break;
      case kFillLinear:
        s[f] = at(f - 1) + (at(last) - at(std::max(last - 1, first)));
        break;
      case kFillRelativeRepeat:
        s[f] = at(RoundSource(first, span + 1, first + 1, span, 1, k)) + delta;
        break;
      default:
        break;
    }
  }

  for (int f = 0; f < n; ++f) SetField(keys[f], kind, s[f]);
}

}  // namespace animfile
