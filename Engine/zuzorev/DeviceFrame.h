#pragma once
// A frame's clears and draws as a device was asked for them, kept with
// their own copy of the vertices and indices, so a frame can be sent later
// and compared with another draw by draw.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Engine/zuzorev/Device.h"

namespace zuzorev {

struct SFrameCommand {
  bool clear = false;
  uint32_t color = 0;
  SViewport viewport;
  int primitive = 0;
  int vertexCount = 0;
  int indexCount = 0;
  size_t firstVertex = 0;
  size_t firstIndex = 0;
  SDrawState state;
  SGeometryKey geometry;
  bool operator==(const SFrameCommand&) const = default;
};

struct SFrame {
  std::vector<SFrameCommand> commands;
  std::vector<SVertex> vertices;
  std::vector<uint32_t> indices;
  int width = 0, height = 0;

  void Clear() {
    commands.clear();
    vertices.clear();
    indices.clear();
  }
  void AddClear(uint32_t color, const SViewport& viewport);
  void AddDraw(int primitive, const SVertex* vertices, int vertexCount, const uint32_t* indices, int indexCount,
               const SDrawState& state, const SGeometryKey& geometry);
  // Sends command i to a device.
  void Send(size_t i, IDevice& device) const;
  // Command i of this frame is command i of `other`, vertices and indices
  // alike. Both frames hold the same commands before i (or the positions of
  // their vertices would differ and the commands with them).
  bool SameCommand(size_t i, const SFrame& other) const;
  // The first command from `from` on that draws a texture (either stage);
  // the count of commands when none does.
  size_t FirstDrawing(uint32_t texture, size_t from = 0) const;
  // How many commands from the first are the same in both.
  size_t CommonStart(const SFrame& other) const;
  bool operator==(const SFrame& other) const;
};

}  // namespace zuzorev
