#include "SaveInfo/SBaseSaveInfo.h"

#include <cstddef>

#include "SaveInfo/ProfileStream.h"

namespace {

constexpr size_t kObjectRecordBytes = 128;

bool IsUsable(const wchar_t* name) { return name && name[0] != L'\0'; }

}  // namespace

bool SBaseSaveInfo::Find(const wchar_t* name, const wchar_t* secondName, size_t& position, bool create) {
  for (size_t i = 0; i < mRecords.size(); ++i) {
    const std::wstring& recordName = mRecords[i].mName;
    if ((name && recordName == name) || (secondName && recordName == secondName)) {
      position = i;
      return true;
    }
  }
  if (!create) return false;
  const wchar_t* newName = IsUsable(name) ? name : IsUsable(secondName) ? secondName : nullptr;
  if (!newName) return false;
  SObjectSaveInfo record;
  record.mName = newName;
  mRecords.push_back(record);
  position = mRecords.size() - 1;
  return true;
}

bool SBaseSaveInfo::Exists(const wchar_t* name, const wchar_t* secondName) {
  size_t position = 0;
  return Find(name, secondName, position, false);
}

bool SBaseSaveInfo::SetRecord(const SObjectSaveInfo& record) {
  for (SObjectSaveInfo& stored : mRecords) {
    if (stored.mName == record.mName) {
      stored = record;
      return true;
    }
  }
  mRecords.push_back(record);
  return false;
}

bool SBaseSaveInfo::GetRecord(SObjectSaveInfo& record) {
  for (const SObjectSaveInfo& stored : mRecords) {
    if (stored.mName == record.mName) {
      record = stored;
      return true;
    }
  }
  return false;
}

template <class Apply>
bool SBaseSaveInfo::SetProperty(const wchar_t* name, const wchar_t* secondName, Apply apply) {
  size_t position = 0;
  if (!Find(name, secondName, position, true)) return false;
  apply(mRecords[position]);
  return true;
}

template <class Apply>
bool SBaseSaveInfo::GetProperty(const wchar_t* name, const wchar_t* secondName, Apply apply) {
  size_t position = 0;
  if (!Find(name, secondName, position, false)) return false;
  apply(mRecords[position]);
  return true;
}

template <class Apply>
void SBaseSaveInfo::ClearProperty(const wchar_t* name, const wchar_t* secondName, Apply apply) {
  size_t position = 0;
  if (!Find(name, secondName, position, false)) return;
  apply(mRecords[position]);
  if (mRecords[position].mPresence == 0) mRecords.erase(mRecords.begin() + static_cast<std::ptrdiff_t>(position));
}

bool SBaseSaveInfo::SetFlag1(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return SetProperty(name, secondName, [&](SObjectSaveInfo& r) { r.SetFlag1(value); });
}
bool SBaseSaveInfo::SetState(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return SetProperty(name, secondName, [&](SObjectSaveInfo& r) { r.SetState(value); });
}
bool SBaseSaveInfo::SetFlag2(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return SetProperty(name, secondName, [&](SObjectSaveInfo& r) { r.SetFlag2(value); });
}
bool SBaseSaveInfo::SetFlag4(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return SetProperty(name, secondName, [&](SObjectSaveInfo& r) { r.SetFlag4(value); });
}
bool SBaseSaveInfo::SetRender2D(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return SetProperty(name, secondName, [&](SObjectSaveInfo& r) { r.SetRender2D(value); });
}
bool SBaseSaveInfo::SetFlag16(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return SetProperty(name, secondName, [&](SObjectSaveInfo& r) { r.SetFlag16(value); });
}
bool SBaseSaveInfo::SetFlag32(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return SetProperty(name, secondName, [&](SObjectSaveInfo& r) { r.SetFlag32(value); });
}
bool SBaseSaveInfo::SetInt(const wchar_t* name, const wchar_t* secondName, int32_t value) {
  return SetProperty(name, secondName, [&](SObjectSaveInfo& r) { r.SetInt(value); });
}
bool SBaseSaveInfo::SetFloat(const wchar_t* name, const wchar_t* secondName, float value) {
  return SetProperty(name, secondName, [&](SObjectSaveInfo& r) { r.SetFloat(value); });
}
bool SBaseSaveInfo::SetPosition(const wchar_t* name, const wchar_t* secondName, float x, float y, float z) {
  return SetProperty(name, secondName, [&](SObjectSaveInfo& r) { r.SetPosition(x, y, z); });
}

bool SBaseSaveInfo::GetFlag1(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return GetProperty(name, secondName, [&](const SObjectSaveInfo& r) { r.GetFlag1(value); });
}
bool SBaseSaveInfo::GetState(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return GetProperty(name, secondName, [&](const SObjectSaveInfo& r) { r.GetState(value); });
}
bool SBaseSaveInfo::GetFlag2(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return GetProperty(name, secondName, [&](const SObjectSaveInfo& r) { r.GetFlag2(value); });
}
bool SBaseSaveInfo::GetFlag4(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return GetProperty(name, secondName, [&](const SObjectSaveInfo& r) { r.GetFlag4(value); });
}
bool SBaseSaveInfo::GetRender2D(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return GetProperty(name, secondName, [&](const SObjectSaveInfo& r) { r.GetRender2D(value); });
}
bool SBaseSaveInfo::GetFlag16(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return GetProperty(name, secondName, [&](const SObjectSaveInfo& r) { r.GetFlag16(value); });
}
bool SBaseSaveInfo::GetFlag32(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return GetProperty(name, secondName, [&](const SObjectSaveInfo& r) { r.GetFlag32(value); });
}
bool SBaseSaveInfo::GetInt(const wchar_t* name, const wchar_t* secondName, int32_t& value) {
  return GetProperty(name, secondName, [&](const SObjectSaveInfo& r) { r.GetInt(value); });
}
bool SBaseSaveInfo::GetFloat(const wchar_t* name, const wchar_t* secondName, float& value) {
  return GetProperty(name, secondName, [&](const SObjectSaveInfo& r) { r.GetFloat(value); });
}
bool SBaseSaveInfo::GetPosition(const wchar_t* name, const wchar_t* secondName, float& x, float& y, float& z) {
  return GetProperty(name, secondName, [&](const SObjectSaveInfo& r) { r.GetPosition(x, y, z); });
}

bool SBaseSaveInfo::Remove(const wchar_t* name, const wchar_t* secondName) {
  size_t position = 0;
  if (!Find(name, secondName, position, false)) return false;
  mRecords.erase(mRecords.begin() + static_cast<std::ptrdiff_t>(position));
  return true;
}

void SBaseSaveInfo::ClearFlag1(const wchar_t* name, const wchar_t* secondName) {
  ClearProperty(name, secondName, [](SObjectSaveInfo& r) { r.ClearFlag1(); });
}
void SBaseSaveInfo::ClearFlag2(const wchar_t* name, const wchar_t* secondName) {
  ClearProperty(name, secondName, [](SObjectSaveInfo& r) { r.ClearFlag2(); });
}
void SBaseSaveInfo::ClearFlag4(const wchar_t* name, const wchar_t* secondName) {
  ClearProperty(name, secondName, [](SObjectSaveInfo& r) { r.ClearFlag4(); });
}
void SBaseSaveInfo::ClearRender2D(const wchar_t* name, const wchar_t* secondName) {
  ClearProperty(name, secondName, [](SObjectSaveInfo& r) { r.ClearRender2D(); });
}
void SBaseSaveInfo::ClearFlag16(const wchar_t* name, const wchar_t* secondName) {
  ClearProperty(name, secondName, [](SObjectSaveInfo& r) { r.ClearFlag16(); });
}
void SBaseSaveInfo::ClearFlag32(const wchar_t* name, const wchar_t* secondName) {
  ClearProperty(name, secondName, [](SObjectSaveInfo& r) { r.ClearFlag32(); });
}
void SBaseSaveInfo::ClearState(const wchar_t* name, const wchar_t* secondName) {
  ClearProperty(name, secondName, [](SObjectSaveInfo& r) { r.ClearState(); });
}
void SBaseSaveInfo::ClearPosition(const wchar_t* name, const wchar_t* secondName) {
  ClearProperty(name, secondName, [](SObjectSaveInfo& r) { r.ClearPosition(); });
}
void SBaseSaveInfo::ClearInt(const wchar_t* name, const wchar_t* secondName) {
  ClearProperty(name, secondName, [](SObjectSaveInfo& r) { r.ClearInt(); });
}
void SBaseSaveInfo::ClearFloat(const wchar_t* name, const wchar_t* secondName) {
  ClearProperty(name, secondName, [](SObjectSaveInfo& r) { r.ClearFloat(); });
}

bool SBaseSaveInfo::Write(ProfileWriter& out) const {
  if (!out.PutCount(mRecords.size())) return false;
  for (const SObjectSaveInfo& r : mRecords) {
    if (!out.PutText(r.mName, kLongNameField) || !out.PutU32(r.mPresence) || !out.PutU32(r.mValueBits) ||
        !out.PutI32(r.mInt) || !out.PutF32(r.mFloat) || !out.PutF32(r.mX) || !out.PutF32(r.mY) || !out.PutF32(r.mZ))
      return false;
  }
  return true;
}

bool SBaseSaveInfo::Read(ProfileReader& in) {
  mRecords.clear();
  size_t count = 0;
  if (!in.GetCount(count, kObjectRecordBytes)) return false;
  mRecords.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    SObjectSaveInfo r;
    if (!in.GetText(r.mName, kLongNameField) || !in.GetU32(r.mPresence) || !in.GetU32(r.mValueBits) ||
        !in.GetI32(r.mInt) || !in.GetF32(r.mFloat) || !in.GetF32(r.mX) || !in.GetF32(r.mY) || !in.GetF32(r.mZ))
      return false;
    mRecords.push_back(r);
  }
  return true;
}
