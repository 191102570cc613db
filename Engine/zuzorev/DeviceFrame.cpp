#include "Engine/zuzorev/DeviceFrame.h"

#include <algorithm>
#include <cstring>

namespace zuzorev {

void SFrame::AddClear(uint32_t color, const SViewport& viewport) {
  SFrameCommand c;
  c.clear = true;
  c.color = color;
  c.viewport = viewport;
  commands.push_back(c);
}

void SFrame::AddDraw(int primitive, const SVertex* v, int vertexCount, const uint32_t* i, int indexCount,
                     const SDrawState& state, const SGeometryKey& geometry) {
  if (!v || vertexCount <= 0) return;
  SFrameCommand c;
  c.primitive = primitive;
  c.vertexCount = vertexCount;
  c.indexCount = i && indexCount > 0 ? indexCount : 0;
  c.firstVertex = vertices.size();
  c.firstIndex = indices.size();
  c.state = state;
  c.geometry = geometry;
  vertices.insert(vertices.end(), v, v + vertexCount);
  if (c.indexCount > 0) indices.insert(indices.end(), i, i + c.indexCount);
  commands.push_back(c);
}

void SFrame::Send(size_t i, IDevice& device) const {
  const SFrameCommand& c = commands[i];
  if (c.clear) {
    device.Clear(c.color, c.viewport);
    return;
  }
  device.Draw(c.primitive, vertices.data() + c.firstVertex, c.vertexCount,
              c.indexCount > 0 ? indices.data() + c.firstIndex : nullptr, c.indexCount, c.state, c.geometry);
}

bool SFrame::SameCommand(size_t i, const SFrame& other) const {
  if (i >= commands.size() || i >= other.commands.size()) return false;
  const SFrameCommand& c = commands[i];
  if (!(c == other.commands[i])) return false;
  if (c.clear) return true;
  return std::memcmp(vertices.data() + c.firstVertex, other.vertices.data() + c.firstVertex,
                     static_cast<size_t>(c.vertexCount) * sizeof(SVertex)) == 0 &&
         std::equal(indices.begin() + static_cast<std::ptrdiff_t>(c.firstIndex),
                    indices.begin() + static_cast<std::ptrdiff_t>(c.firstIndex + c.indexCount),
                    other.indices.begin() + static_cast<std::ptrdiff_t>(c.firstIndex));
}

size_t SFrame::FirstDrawing(uint32_t texture, size_t from) const {
  for (size_t i = from; i < commands.size(); ++i) {
    const SFrameCommand& c = commands[i];
    if (!c.clear && texture != 0 && (c.state.texture0 == texture || c.state.texture1 == texture)) return i;
  }
  return commands.size();
}

size_t SFrame::CommonStart(const SFrame& other) const {
  size_t n = 0;
  while (SameCommand(n, other)) ++n;
  return n;
}

bool SFrame::operator==(const SFrame& other) const {
  return width == other.width && height == other.height && commands == other.commands &&
         vertices.size() == other.vertices.size() && indices == other.indices &&
         (vertices.empty() || std::memcmp(vertices.data(), other.vertices.data(), vertices.size() * sizeof(SVertex)) == 0);
}

}  // namespace zuzorev
