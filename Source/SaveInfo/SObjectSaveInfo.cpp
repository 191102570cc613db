#include "SaveInfo/SObjectSaveInfo.h"

void SObjectSaveInfo::SetBit(uint32_t presence, uint32_t bit, uint32_t value) {
  mPresence |= presence;
  if (value)
    mValueBits |= bit;
  else
    mValueBits &= ~bit;
}

bool SObjectSaveInfo::GetBit(uint32_t presence, uint32_t bit, uint32_t& value) const {
  if (!(mPresence & presence)) return false;
  value = (mValueBits & bit) ? 1 : 0;
  return true;
}

void SObjectSaveInfo::ClearBit(uint32_t presence, uint32_t bits) {
  mPresence &= ~presence;
  mValueBits &= ~bits;
}

void SObjectSaveInfo::SetState(uint32_t value) {
  mPresence |= kSaveHasState;
  mValueBits = (mValueBits & ~kSaveStateMask) | (value << kSaveStateShift);
}

bool SObjectSaveInfo::GetState(uint32_t& value) const {
  if (!(mPresence & kSaveHasState)) return false;
  value = mValueBits >> kSaveStateShift;
  return true;
}

void SObjectSaveInfo::SetInt(int32_t value) {
  mPresence |= kSaveHasInt;
  mInt = value;
}

bool SObjectSaveInfo::GetInt(int32_t& value) const {
  if (!(mPresence & kSaveHasInt)) return false;
  value = mInt;
  return true;
}

void SObjectSaveInfo::ClearInt() {
  mPresence &= ~kSaveHasInt;
  mInt = 0;
}

void SObjectSaveInfo::SetFloat(float value) {
  mPresence |= kSaveHasFloat;
  mFloat = value;
}

bool SObjectSaveInfo::GetFloat(float& value) const {
  if (!(mPresence & kSaveHasFloat)) return false;
  value = mFloat;
  return true;
}

void SObjectSaveInfo::ClearFloat() {
  mPresence &= ~kSaveHasFloat;
  mFloat = 0.0f;
}

void SObjectSaveInfo::SetPosition(float x, float y, float z) {
  mPresence |= kSaveHasPosition;
  mX = x;
  mY = y;
  mZ = z;
}

bool SObjectSaveInfo::GetPosition(float& x, float& y, float& z) const {
  if (!(mPresence & kSaveHasPosition)) return false;
  x = mX;
  y = mY;
  z = mZ;
  return true;
}

void SObjectSaveInfo::ClearPosition() {
  mPresence &= ~kSaveHasPosition;
  mX = mY = mZ = 0.0f;
}
