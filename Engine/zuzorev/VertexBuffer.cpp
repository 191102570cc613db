#include "Engine/zuzorev/VertexBuffer.h"

#include <atomic>

#include "Engine/zuzorev/RenderTypes.h"

namespace zuzorev {
namespace {
std::atomic<uint64_t> gNextBufferId{1};
}  // namespace

CVertexBuffer::CVertexBuffer(uint32_t bytes, uint32_t stride, uint32_t fvf)
    : mBytes(bytes, 0), mStride(stride), mFvf(fvf), mId(gNextBufferId.fetch_add(1)) {}

CVertexBuffer::CVertexBuffer(const CVertexBuffer& other)
    : mBytes(other.mBytes), mStride(other.mStride), mFvf(other.mFvf), mId(gNextBufferId.fetch_add(1)) {}

CVertexBuffer& CVertexBuffer::operator=(const CVertexBuffer& other) {
  if (this == &other) return *this;
  mBytes = other.mBytes;
  mStride = other.mStride;
  mFvf = other.mFvf;
  mLocked = false;
  ++mGeneration;
  return *this;
}

void* CVertexBuffer::Lock(uint32_t offset, uint32_t size, uint32_t) {
  if (mLocked || mBytes.empty() || offset >= mBytes.size()) return nullptr;
  if (size != 0 && size > mBytes.size() - offset) return nullptr;
  mLocked = true;
  ++mGeneration;
  return mBytes.data() + offset;
}

int32_t CVertexBuffer::Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) {
  if (!data) return kFail;
  *data = Lock(offset, size, flags);
  return *data ? kOk : kFail;
}

int32_t CVertexBuffer::Unlock() {
  if (!mLocked) return kFail;
  mLocked = false;
  return kOk;
}

void CVertexBuffer::Release(int) {
  mBytes.clear();
  mBytes.shrink_to_fit();
  mLocked = false;
  ++mGeneration;
}

}  // namespace zuzorev
