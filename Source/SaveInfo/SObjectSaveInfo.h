#pragma once
// The saved state of one scene object: only what play changed is recorded.
// The presence mask says which properties are recorded; six boolean
// properties and the 4-bit state share the value bits. Both words are
// stored in the profile exactly as kept here, so the bit assignments below
// are part of the file format (note that the presence bits do not follow the
// order of the value bits).
#include <cstdint>
#include <string>

// Presence bits.
constexpr uint32_t kSaveHasFlag1 = 0x001;
constexpr uint32_t kSaveHasFlag2 = 0x002;
constexpr uint32_t kSaveHasPosition = 0x004;
constexpr uint32_t kSaveHasFlag4 = 0x008;
constexpr uint32_t kSaveHasInt = 0x010;
constexpr uint32_t kSaveHasState = 0x020;
constexpr uint32_t kSaveHasFloat = 0x040;
constexpr uint32_t kSaveHasRender2D = 0x080;
constexpr uint32_t kSaveHasFlag16 = 0x100;
constexpr uint32_t kSaveHasFlag32 = 0x200;

// Value bits.
constexpr uint32_t kSaveValueFlag1 = 0x01;
constexpr uint32_t kSaveValueFlag2 = 0x02;
constexpr uint32_t kSaveValueFlag4 = 0x04;
constexpr uint32_t kSaveValueRender2D = 0x08;
constexpr uint32_t kSaveValueFlag16 = 0x10;
constexpr uint32_t kSaveValueFlag32 = 0x20;
constexpr int kSaveStateShift = 28;
constexpr uint32_t kSaveStateMask = 0xF0000000;

struct SObjectSaveInfo {
  std::wstring mName;
  uint32_t mPresence = 0;
  uint32_t mValueBits = 0;
  int32_t mInt = 0;
  float mFloat = 0.0f;
  float mX = 0.0f;
  float mY = 0.0f;
  float mZ = 0.0f;

  // Setters record the property: its presence bit and its value. A boolean
  // setter stores 1 for any non-zero argument; the state keeps its low 4 bits.
  void SetFlag1(uint32_t value) { SetBit(kSaveHasFlag1, kSaveValueFlag1, value); }
  void SetState(uint32_t value);
  void SetFlag2(uint32_t value) { SetBit(kSaveHasFlag2, kSaveValueFlag2, value); }
  void SetFlag4(uint32_t value) { SetBit(kSaveHasFlag4, kSaveValueFlag4, value); }
  void SetRender2D(uint32_t value) { SetBit(kSaveHasRender2D, kSaveValueRender2D, value); }
  void SetFlag16(uint32_t value) { SetBit(kSaveHasFlag16, kSaveValueFlag16, value); }
  void SetFlag32(uint32_t value) { SetBit(kSaveHasFlag32, kSaveValueFlag32, value); }
  void SetInt(int32_t value);
  void SetFloat(float value);
  void SetPosition(float x, float y, float z);

  // Getters answer false and leave the output alone when the property is not
  // recorded.
  bool GetFlag1(uint32_t& value) const { return GetBit(kSaveHasFlag1, kSaveValueFlag1, value); }
  bool GetState(uint32_t& value) const;
  bool GetFlag2(uint32_t& value) const { return GetBit(kSaveHasFlag2, kSaveValueFlag2, value); }
  bool GetFlag4(uint32_t& value) const { return GetBit(kSaveHasFlag4, kSaveValueFlag4, value); }
  bool GetRender2D(uint32_t& value) const { return GetBit(kSaveHasRender2D, kSaveValueRender2D, value); }
  bool GetFlag16(uint32_t& value) const { return GetBit(kSaveHasFlag16, kSaveValueFlag16, value); }
  bool GetFlag32(uint32_t& value) const { return GetBit(kSaveHasFlag32, kSaveValueFlag32, value); }
  bool GetInt(int32_t& value) const;
  bool GetFloat(float& value) const;
  bool GetPosition(float& x, float& y, float& z) const;

  // Clearers forget the property: presence bit off, value back to zero.
  void ClearFlag1() { ClearBit(kSaveHasFlag1, kSaveValueFlag1); }
  void ClearFlag2() { ClearBit(kSaveHasFlag2, kSaveValueFlag2); }
  void ClearFlag4() { ClearBit(kSaveHasFlag4, kSaveValueFlag4); }
  void ClearRender2D() { ClearBit(kSaveHasRender2D, kSaveValueRender2D); }
  void ClearFlag16() { ClearBit(kSaveHasFlag16, kSaveValueFlag16); }
  void ClearFlag32() { ClearBit(kSaveHasFlag32, kSaveValueFlag32); }
  void ClearState() { ClearBit(kSaveHasState, kSaveStateMask); }
  void ClearPosition();
  void ClearInt();
  void ClearFloat();

  bool operator==(const SObjectSaveInfo&) const = default;

 private:
  void SetBit(uint32_t presence, uint32_t bit, uint32_t value);
  bool GetBit(uint32_t presence, uint32_t bit, uint32_t& value) const;
  void ClearBit(uint32_t presence, uint32_t bits);
};
