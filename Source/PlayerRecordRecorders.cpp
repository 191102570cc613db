// The recorders through which scenes keep their objects' states in the
// player's record, by back (or owner back and region) and object names.
#include "PlayerRecord.h"

SBackSaveInfo* PlayerRecord::FindBackSave(const std::wstring& back) {
  const auto found = mBackSaves.find(back);
  return found == mBackSaves.end() ? nullptr : &found->second;
}

SBackSaveInfo& PlayerRecord::AddBackSave(const std::wstring& back) { return mBackSaves[back]; }

SBaseSaveInfo& PlayerRecord::GetBackSave(const std::wstring& back, const std::wstring& region) {
  return AddBackSave(back).GetRegion(region);
}

void PlayerRecord::EraseBackSave(const std::wstring& back) { mBackSaves.erase(back); }

void PlayerRecord::EraseRegionSave(const std::wstring& back, const std::wstring& region) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->mRegions.erase(region);
}

bool PlayerRecord::HasBackSave(const std::wstring& back) const { return mBackSaves.count(back) != 0; }

bool PlayerRecord::HasRegionSave(const std::wstring& back, const std::wstring& region) const {
  const auto found = mBackSaves.find(back);
  return found != mBackSaves.end() && found->second.mRegions.count(region) != 0;
}

// Queries and clearers of a back's own objects: nothing is created.

bool PlayerRecord::BackObjectExists(const std::wstring& back, const wchar_t* name, const wchar_t* secondName) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->Exists(name, secondName);
}

bool PlayerRecord::GetBackObjectRecord(const std::wstring& back, SObjectSaveInfo& record) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetRecord(record);
}

bool PlayerRecord::GetBackObjectFlag1(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                      uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetFlag1(name, secondName, value);
}
bool PlayerRecord::GetBackObjectState(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                      uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetState(name, secondName, value);
}
bool PlayerRecord::GetBackObjectPosition(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                         float& x, float& y, float& z) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetPosition(name, secondName, x, y, z);
}
bool PlayerRecord::GetBackObjectFlag2(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                      uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetFlag2(name, secondName, value);
}
bool PlayerRecord::GetBackObjectFlag4(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                      uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetFlag4(name, secondName, value);
}
bool PlayerRecord::GetBackObjectRender2D(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                         uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetRender2D(name, secondName, value);
}
bool PlayerRecord::GetBackObjectFlag16(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                       uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetFlag16(name, secondName, value);
}
bool PlayerRecord::GetBackObjectFlag32(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                       uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetFlag32(name, secondName, value);
}
bool PlayerRecord::GetBackObjectInt(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                    int32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetInt(name, secondName, value);
}
bool PlayerRecord::GetBackObjectFloat(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                      float& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetFloat(name, secondName, value);
}
void PlayerRecord::ClearBackObjectFlag1(const std::wstring& back, const wchar_t* name, const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearFlag1(name, secondName);
}
void PlayerRecord::ClearBackObjectState(const std::wstring& back, const wchar_t* name, const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearState(name, secondName);
}
void PlayerRecord::ClearBackObjectPosition(const std::wstring& back, const wchar_t* name, const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearPosition(name, secondName);
}
void PlayerRecord::ClearBackObjectFlag2(const std::wstring& back, const wchar_t* name, const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearFlag2(name, secondName);
}
void PlayerRecord::ClearBackObjectFlag4(const std::wstring& back, const wchar_t* name, const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearFlag4(name, secondName);
}
void PlayerRecord::ClearBackObjectRender2D(const std::wstring& back, const wchar_t* name, const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearRender2D(name, secondName);
}
void PlayerRecord::ClearBackObjectFlag16(const std::wstring& back, const wchar_t* name, const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearFlag16(name, secondName);
}
void PlayerRecord::ClearBackObjectFlag32(const std::wstring& back, const wchar_t* name, const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearFlag32(name, secondName);
}
void PlayerRecord::ClearBackObjectInt(const std::wstring& back, const wchar_t* name, const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearInt(name, secondName);
}
void PlayerRecord::ClearBackObjectFloat(const std::wstring& back, const wchar_t* name, const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearFloat(name, secondName);
}

// Queries and clearers of a region's objects: nothing is created for a back
// without an entry; for one with an entry the region's entry appears.

bool PlayerRecord::RegionObjectExists(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                      const wchar_t* secondName) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->ExistsInRegion(region, name, secondName);
}

bool PlayerRecord::GetRegionObjectRecord(const std::wstring& back, const std::wstring& region,
                                         SObjectSaveInfo& record) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetRecordInRegion(region, record);
}

bool PlayerRecord::GetRegionObjectFlag1(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                        const wchar_t* secondName, uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetFlag1InRegion(region, name, secondName, value);
}
bool PlayerRecord::GetRegionObjectState(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                        const wchar_t* secondName, uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetStateInRegion(region, name, secondName, value);
}
bool PlayerRecord::GetRegionObjectPosition(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                           const wchar_t* secondName, float& x, float& y, float& z) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetPositionInRegion(region, name, secondName, x, y, z);
}
bool PlayerRecord::GetRegionObjectFlag2(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                        const wchar_t* secondName, uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetFlag2InRegion(region, name, secondName, value);
}
bool PlayerRecord::GetRegionObjectFlag4(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                        const wchar_t* secondName, uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetFlag4InRegion(region, name, secondName, value);
}
bool PlayerRecord::GetRegionObjectRender2D(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                           const wchar_t* secondName, uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetRender2DInRegion(region, name, secondName, value);
}
bool PlayerRecord::GetRegionObjectFlag16(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                         const wchar_t* secondName, uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetFlag16InRegion(region, name, secondName, value);
}
bool PlayerRecord::GetRegionObjectFlag32(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                         const wchar_t* secondName, uint32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetFlag32InRegion(region, name, secondName, value);
}
bool PlayerRecord::GetRegionObjectInt(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                      const wchar_t* secondName, int32_t& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetIntInRegion(region, name, secondName, value);
}
bool PlayerRecord::GetRegionObjectFloat(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                        const wchar_t* secondName, float& value) {
  SBackSaveInfo* save = FindBackSave(back);
  return save && save->GetFloatInRegion(region, name, secondName, value);
}
void PlayerRecord::ClearRegionObjectFlag1(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                          const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearFlag1InRegion(region, name, secondName);
}
void PlayerRecord::ClearRegionObjectState(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                          const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearStateInRegion(region, name, secondName);
}
void PlayerRecord::ClearRegionObjectPosition(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                             const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearPositionInRegion(region, name, secondName);
}
void PlayerRecord::ClearRegionObjectFlag2(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                          const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearFlag2InRegion(region, name, secondName);
}
void PlayerRecord::ClearRegionObjectFlag4(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                          const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearFlag4InRegion(region, name, secondName);
}
void PlayerRecord::ClearRegionObjectRender2D(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                             const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearRender2DInRegion(region, name, secondName);
}
void PlayerRecord::ClearRegionObjectFlag16(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                           const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearFlag16InRegion(region, name, secondName);
}
void PlayerRecord::ClearRegionObjectFlag32(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                           const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearFlag32InRegion(region, name, secondName);
}
void PlayerRecord::ClearRegionObjectInt(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                        const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearIntInRegion(region, name, secondName);
}
void PlayerRecord::ClearRegionObjectFloat(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                          const wchar_t* secondName) {
  if (SBackSaveInfo* save = FindBackSave(back)) save->ClearFloatInRegion(region, name, secondName);
}

// Setters and removes: the back's entry is made when missing.

bool PlayerRecord::SetBackObjectRecord(const std::wstring& back, const SObjectSaveInfo& record) {
  return AddBackSave(back).SetRecord(record);
}

bool PlayerRecord::SetBackObjectFlag1(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                      uint32_t value) {
  return AddBackSave(back).SetFlag1(name, secondName, value);
}
bool PlayerRecord::SetBackObjectState(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                      uint32_t value) {
  return AddBackSave(back).SetState(name, secondName, value);
}
bool PlayerRecord::SetBackObjectPosition(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                         float x, float y, float z) {
  return AddBackSave(back).SetPosition(name, secondName, x, y, z);
}
bool PlayerRecord::SetBackObjectFlag2(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                      uint32_t value) {
  return AddBackSave(back).SetFlag2(name, secondName, value);
}
bool PlayerRecord::SetBackObjectFlag4(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                      uint32_t value) {
  return AddBackSave(back).SetFlag4(name, secondName, value);
}
bool PlayerRecord::SetBackObjectRender2D(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                         uint32_t value) {
  return AddBackSave(back).SetRender2D(name, secondName, value);
}
bool PlayerRecord::SetBackObjectFlag16(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                       uint32_t value) {
  return AddBackSave(back).SetFlag16(name, secondName, value);
}
bool PlayerRecord::SetBackObjectFlag32(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                       uint32_t value) {
  return AddBackSave(back).SetFlag32(name, secondName, value);
}
bool PlayerRecord::SetBackObjectInt(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                    int32_t value) {
  return AddBackSave(back).SetInt(name, secondName, value);
}
bool PlayerRecord::SetBackObjectFloat(const std::wstring& back, const wchar_t* name, const wchar_t* secondName,
                                      float value) {
  return AddBackSave(back).SetFloat(name, secondName, value);
}
bool PlayerRecord::RemoveBackObject(const std::wstring& back, const wchar_t* name, const wchar_t* secondName) {
  return AddBackSave(back).Remove(name, secondName);
}

bool PlayerRecord::SetRegionObjectRecord(const std::wstring& back, const std::wstring& region,
                                         const SObjectSaveInfo& record) {
  return AddBackSave(back).SetRecordInRegion(region, record);
}

bool PlayerRecord::SetRegionObjectFlag1(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                        const wchar_t* secondName, uint32_t value) {
  return AddBackSave(back).SetFlag1InRegion(region, name, secondName, value);
}
bool PlayerRecord::SetRegionObjectState(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                        const wchar_t* secondName, uint32_t value) {
  return AddBackSave(back).SetStateInRegion(region, name, secondName, value);
}
bool PlayerRecord::SetRegionObjectPosition(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                           const wchar_t* secondName, float x, float y, float z) {
  return AddBackSave(back).SetPositionInRegion(region, name, secondName, x, y, z);
}
bool PlayerRecord::SetRegionObjectFlag2(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                        const wchar_t* secondName, uint32_t value) {
  return AddBackSave(back).SetFlag2InRegion(region, name, secondName, value);
}
bool PlayerRecord::SetRegionObjectFlag4(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                        const wchar_t* secondName, uint32_t value) {
  return AddBackSave(back).SetFlag4InRegion(region, name, secondName, value);
}
bool PlayerRecord::SetRegionObjectRender2D(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                           const wchar_t* secondName, uint32_t value) {
  return AddBackSave(back).SetRender2DInRegion(region, name, secondName, value);
}
bool PlayerRecord::SetRegionObjectFlag16(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                         const wchar_t* secondName, uint32_t value) {
  return AddBackSave(back).SetFlag16InRegion(region, name, secondName, value);
}
bool PlayerRecord::SetRegionObjectFlag32(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                         const wchar_t* secondName, uint32_t value) {
  return AddBackSave(back).SetFlag32InRegion(region, name, secondName, value);
}
bool PlayerRecord::SetRegionObjectInt(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                      const wchar_t* secondName, int32_t value) {
  return AddBackSave(back).SetIntInRegion(region, name, secondName, value);
}
bool PlayerRecord::SetRegionObjectFloat(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                        const wchar_t* secondName, float value) {
  return AddBackSave(back).SetFloatInRegion(region, name, secondName, value);
}
bool PlayerRecord::RemoveRegionObject(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                      const wchar_t* secondName) {
  return AddBackSave(back).RemoveInRegion(region, name, secondName);
}
