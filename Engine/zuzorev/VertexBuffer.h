#pragma once
// A vertex buffer: a block of vertices in memory that the owner locks,
// writes and unlocks; draws read it as it stands. The manager keeps the
// reservations the game announces and counts the buffers made.
#include <cstdint>
#include <string>
#include <vector>

namespace zuzorev {

class CVertexBuffer {
 public:
  CVertexBuffer(uint32_t bytes, uint32_t stride, uint32_t fvf);
  // A copy is another buffer: its own id.
  CVertexBuffer(const CVertexBuffer& other);
  CVertexBuffer& operator=(const CVertexBuffer& other);

  // Pointer to the vertices from offset (size 0 = to the end); null when
  // already locked or out of range. The second form hands the pointer out
  // through `data` and answers kOk or kFail.
  void* Lock(uint32_t offset = 0, uint32_t size = 0, uint32_t flags = 0);
  int32_t Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags);
  int32_t Unlock();
  // Frees the memory; the buffer is empty afterwards.
  void Release(int flags = 0);

  bool IsLocked() const { return mLocked; }
  uint32_t GetSize() const { return static_cast<uint32_t>(mBytes.size()); }
  uint32_t GetStride() const { return mStride; }
  uint32_t GetFVF() const { return mFvf; }
  uint32_t GetVertexCount() const { return mStride ? GetSize() / mStride : 0; }
  const uint8_t* Bytes() const { return mBytes.data(); }
  uint8_t* MutableBytes() {
    ++mGeneration;
    return mBytes.data();
  }

  // Who the vertices are (unique for the run) and how often they may have
  // been written: a device keeps a copy of them until the generation moves.
  uint64_t GetId() const { return mId; }
  uint64_t GetGeneration() const { return mGeneration; }

 private:
  std::vector<uint8_t> mBytes;
  uint32_t mStride;
  uint32_t mFvf;
  bool mLocked = false;
  uint64_t mId;
  uint64_t mGeneration = 1;
};

class CVertexBufferManager {
 public:
  struct SReservation {
    int stream = 0;
    uint32_t fvf = 0;
    uint32_t bytes = 0;
    int pool = 0;
  };

  void SetSaveDirectory(const std::wstring& folder) { mSaveDirectory = folder; }
  const std::wstring& GetSaveDirectory() const { return mSaveDirectory; }
  void AddReservation(const SReservation& r) { mReservations.push_back(r); }
  const std::vector<SReservation>& Reservations() const { return mReservations; }
  void CountCreated(uint32_t bytes) {
    ++mCreated;
    mCreatedBytes += bytes;
  }
  int CreatedCount() const { return mCreated; }
  unsigned long long CreatedBytes() const { return mCreatedBytes; }

 private:
  std::wstring mSaveDirectory;
  std::vector<SReservation> mReservations;
  int mCreated = 0;
  unsigned long long mCreatedBytes = 0;
};

}  // namespace zuzorev
