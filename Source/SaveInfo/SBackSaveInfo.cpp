#include "SaveInfo/SBackSaveInfo.h"

#include "SaveInfo/ProfileStream.h"

namespace {

// A region's name and record count: the least a region takes in the file.
constexpr size_t kRegionEntryMinBytes = kShortNameField + 4;

}  // namespace

SBaseSaveInfo& SBackSaveInfo::GetRegion(const std::wstring& region) { return mRegions[region]; }

bool SBackSaveInfo::ExistsInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName) {
  return GetRegion(region).Exists(name, secondName);
}
bool SBackSaveInfo::Exists(const wchar_t* name, const wchar_t* secondName) { return mOwn.Exists(name, secondName); }

bool SBackSaveInfo::SetRecordInRegion(const std::wstring& region, const SObjectSaveInfo& record) {
  return GetRegion(region).SetRecord(record);
}
bool SBackSaveInfo::SetRecord(const SObjectSaveInfo& record) { return mOwn.SetRecord(record); }

bool SBackSaveInfo::SetFlag1InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                     uint32_t value) {
  return GetRegion(region).SetFlag1(name, secondName, value);
}
bool SBackSaveInfo::SetFlag1(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return mOwn.SetFlag1(name, secondName, value);
}

bool SBackSaveInfo::SetStateInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                     uint32_t value) {
  return GetRegion(region).SetState(name, secondName, value);
}
bool SBackSaveInfo::SetState(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return mOwn.SetState(name, secondName, value);
}

bool SBackSaveInfo::SetFlag2InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                     uint32_t value) {
  return GetRegion(region).SetFlag2(name, secondName, value);
}
bool SBackSaveInfo::SetFlag2(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return mOwn.SetFlag2(name, secondName, value);
}

bool SBackSaveInfo::SetFlag4InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                     uint32_t value) {
  return GetRegion(region).SetFlag4(name, secondName, value);
}
bool SBackSaveInfo::SetFlag4(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return mOwn.SetFlag4(name, secondName, value);
}

bool SBackSaveInfo::SetRender2DInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                        uint32_t value) {
  return GetRegion(region).SetRender2D(name, secondName, value);
}
bool SBackSaveInfo::SetRender2D(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return mOwn.SetRender2D(name, secondName, value);
}

bool SBackSaveInfo::SetFlag16InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                      uint32_t value) {
  return GetRegion(region).SetFlag16(name, secondName, value);
}
bool SBackSaveInfo::SetFlag16(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return mOwn.SetFlag16(name, secondName, value);
}

bool SBackSaveInfo::SetFlag32InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                      uint32_t value) {
  return GetRegion(region).SetFlag32(name, secondName, value);
}
bool SBackSaveInfo::SetFlag32(const wchar_t* name, const wchar_t* secondName, uint32_t value) {
  return mOwn.SetFlag32(name, secondName, value);
}

bool SBackSaveInfo::SetIntInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                   int32_t value) {
  return GetRegion(region).SetInt(name, secondName, value);
}
bool SBackSaveInfo::SetInt(const wchar_t* name, const wchar_t* secondName, int32_t value) {
  return mOwn.SetInt(name, secondName, value);
}

bool SBackSaveInfo::SetFloatInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                     float value) {
  return GetRegion(region).SetFloat(name, secondName, value);
}
bool SBackSaveInfo::SetFloat(const wchar_t* name, const wchar_t* secondName, float value) {
  return mOwn.SetFloat(name, secondName, value);
}

bool SBackSaveInfo::SetPositionInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                        float x, float y, float z) {
  return GetRegion(region).SetPosition(name, secondName, x, y, z);
}
bool SBackSaveInfo::SetPosition(const wchar_t* name, const wchar_t* secondName, float x, float y, float z) {
  return mOwn.SetPosition(name, secondName, x, y, z);
}

bool SBackSaveInfo::GetRecordInRegion(const std::wstring& region, SObjectSaveInfo& record) {
  return GetRegion(region).GetRecord(record);
}
bool SBackSaveInfo::GetRecord(SObjectSaveInfo& record) { return mOwn.GetRecord(record); }

bool SBackSaveInfo::GetFlag1InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                     uint32_t& value) {
  return GetRegion(region).GetFlag1(name, secondName, value);
}
bool SBackSaveInfo::GetFlag1(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return mOwn.GetFlag1(name, secondName, value);
}

bool SBackSaveInfo::GetStateInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                     uint32_t& value) {
  return GetRegion(region).GetState(name, secondName, value);
}
bool SBackSaveInfo::GetState(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return mOwn.GetState(name, secondName, value);
}

bool SBackSaveInfo::GetFlag2InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                     uint32_t& value) {
  return GetRegion(region).GetFlag2(name, secondName, value);
}
bool SBackSaveInfo::GetFlag2(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return mOwn.GetFlag2(name, secondName, value);
}

bool SBackSaveInfo::GetFlag4InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                     uint32_t& value) {
  return GetRegion(region).GetFlag4(name, secondName, value);
}
bool SBackSaveInfo::GetFlag4(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return mOwn.GetFlag4(name, secondName, value);
}

bool SBackSaveInfo::GetRender2DInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                        uint32_t& value) {
  return GetRegion(region).GetRender2D(name, secondName, value);
}
bool SBackSaveInfo::GetRender2D(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return mOwn.GetRender2D(name, secondName, value);
}

bool SBackSaveInfo::GetFlag16InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                      uint32_t& value) {
  return GetRegion(region).GetFlag16(name, secondName, value);
}
bool SBackSaveInfo::GetFlag16(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return mOwn.GetFlag16(name, secondName, value);
}

bool SBackSaveInfo::GetFlag32InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                      uint32_t& value) {
  return GetRegion(region).GetFlag32(name, secondName, value);
}
bool SBackSaveInfo::GetFlag32(const wchar_t* name, const wchar_t* secondName, uint32_t& value) {
  return mOwn.GetFlag32(name, secondName, value);
}

bool SBackSaveInfo::GetIntInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                   int32_t& value) {
  return GetRegion(region).GetInt(name, secondName, value);
}
bool SBackSaveInfo::GetInt(const wchar_t* name, const wchar_t* secondName, int32_t& value) {
  return mOwn.GetInt(name, secondName, value);
}

bool SBackSaveInfo::GetFloatInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                     float& value) {
  return GetRegion(region).GetFloat(name, secondName, value);
}
bool SBackSaveInfo::GetFloat(const wchar_t* name, const wchar_t* secondName, float& value) {
  return mOwn.GetFloat(name, secondName, value);
}

bool SBackSaveInfo::GetPositionInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                        float& x, float& y, float& z) {
  return GetRegion(region).GetPosition(name, secondName, x, y, z);
}
bool SBackSaveInfo::GetPosition(const wchar_t* name, const wchar_t* secondName, float& x, float& y, float& z) {
  return mOwn.GetPosition(name, secondName, x, y, z);
}

bool SBackSaveInfo::RemoveInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName) {
  return GetRegion(region).Remove(name, secondName);
}
bool SBackSaveInfo::Remove(const wchar_t* name, const wchar_t* secondName) { return mOwn.Remove(name, secondName); }

void SBackSaveInfo::ClearFlag1InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName) {
  GetRegion(region).ClearFlag1(name, secondName);
}
void SBackSaveInfo::ClearFlag1(const wchar_t* name, const wchar_t* secondName) { mOwn.ClearFlag1(name, secondName); }

void SBackSaveInfo::ClearFlag2InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName) {
  GetRegion(region).ClearFlag2(name, secondName);
}
void SBackSaveInfo::ClearFlag2(const wchar_t* name, const wchar_t* secondName) { mOwn.ClearFlag2(name, secondName); }

void SBackSaveInfo::ClearFlag4InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName) {
  GetRegion(region).ClearFlag4(name, secondName);
}
void SBackSaveInfo::ClearFlag4(const wchar_t* name, const wchar_t* secondName) { mOwn.ClearFlag4(name, secondName); }

void SBackSaveInfo::ClearRender2DInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName) {
  GetRegion(region).ClearRender2D(name, secondName);
}
void SBackSaveInfo::ClearRender2D(const wchar_t* name, const wchar_t* secondName) {
  mOwn.ClearRender2D(name, secondName);
}

void SBackSaveInfo::ClearFlag16InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName) {
  GetRegion(region).ClearFlag16(name, secondName);
}
void SBackSaveInfo::ClearFlag16(const wchar_t* name, const wchar_t* secondName) { mOwn.ClearFlag16(name, secondName); }

void SBackSaveInfo::ClearFlag32InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName) {
  GetRegion(region).ClearFlag32(name, secondName);
}
void SBackSaveInfo::ClearFlag32(const wchar_t* name, const wchar_t* secondName) { mOwn.ClearFlag32(name, secondName); }

void SBackSaveInfo::ClearStateInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName) {
  GetRegion(region).ClearState(name, secondName);
}
void SBackSaveInfo::ClearState(const wchar_t* name, const wchar_t* secondName) { mOwn.ClearState(name, secondName); }

void SBackSaveInfo::ClearPositionInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName) {
  GetRegion(region).ClearPosition(name, secondName);
}
void SBackSaveInfo::ClearPosition(const wchar_t* name, const wchar_t* secondName) {
  mOwn.ClearPosition(name, secondName);
}

void SBackSaveInfo::ClearIntInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName) {
  GetRegion(region).ClearInt(name, secondName);
}
void SBackSaveInfo::ClearInt(const wchar_t* name, const wchar_t* secondName) { mOwn.ClearInt(name, secondName); }

void SBackSaveInfo::ClearFloatInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName) {
  GetRegion(region).ClearFloat(name, secondName);
}
void SBackSaveInfo::ClearFloat(const wchar_t* name, const wchar_t* secondName) { mOwn.ClearFloat(name, secondName); }

bool SBackSaveInfo::Write(ProfileWriter& out) const {
  if (!mOwn.Write(out) || !out.PutCount(mRegions.size())) return false;
  return ForEachInFileOrder(mRegions, [&](const std::wstring& region, const SBaseSaveInfo& records) {
    return out.PutText(region, kShortNameField) && records.Write(out);
  });
}

bool SBackSaveInfo::Read(ProfileReader& in) {
  mRegions.clear();
  size_t count = 0;
  if (!mOwn.Read(in) || !in.GetCount(count, kRegionEntryMinBytes)) return false;
  for (size_t i = 0; i < count; ++i) {
    std::wstring region;
    SBaseSaveInfo records;
    if (!in.GetText(region, kShortNameField) || !records.Read(in)) return false;
    mRegions.emplace(region, std::move(records));  // a repeated name keeps the first
  }
  return true;
}
