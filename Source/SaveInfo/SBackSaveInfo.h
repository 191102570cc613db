#pragma once
// The saved state of one back (scene): the records of its own objects, and
// one record set per region (close-up view) opened inside it, by region name.
//
// Every operation of SBaseSaveInfo comes in two forms: the own form works on
// the back's own objects; the region form takes the region name first and
// works on that region's records. A region form, queries and clearers
// included, leaves an entry for the region behind (possibly empty), and that
// entry is stored in the profile like any other.
#include <cstdint>
#include <map>
#include <string>

#include "SaveInfo/SBaseSaveInfo.h"

class SBackSaveInfo {
 public:
  SBackSaveInfo() = default;
  SBackSaveInfo(const SBackSaveInfo&) = default;
  SBackSaveInfo& operator=(const SBackSaveInfo&) = default;
  virtual ~SBackSaveInfo() = default;

  // The region's record set, made empty when the back has none for it yet.
  SBaseSaveInfo& GetRegion(const std::wstring& region);

  virtual bool ExistsInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName);
  virtual bool Exists(const wchar_t* name, const wchar_t* secondName);
  virtual bool SetRecordInRegion(const std::wstring& region, const SObjectSaveInfo& record);
  virtual bool SetRecord(const SObjectSaveInfo& record);

  virtual bool SetFlag1InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                uint32_t value);
  virtual bool SetFlag1(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetStateInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                uint32_t value);
  virtual bool SetState(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetFlag2InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                uint32_t value);
  virtual bool SetFlag2(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetFlag4InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                uint32_t value);
  virtual bool SetFlag4(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetRender2DInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                   uint32_t value);
  virtual bool SetRender2D(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetFlag16InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                 uint32_t value);
  virtual bool SetFlag16(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetFlag32InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                 uint32_t value);
  virtual bool SetFlag32(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetIntInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                              int32_t value);
  virtual bool SetInt(const wchar_t* name, const wchar_t* secondName, int32_t value);
  virtual bool SetFloatInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                float value);
  virtual bool SetFloat(const wchar_t* name, const wchar_t* secondName, float value);
  virtual bool SetPositionInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName, float x,
                                   float y, float z);
  virtual bool SetPosition(const wchar_t* name, const wchar_t* secondName, float x, float y, float z);

  virtual bool GetRecordInRegion(const std::wstring& region, SObjectSaveInfo& record);
  virtual bool GetRecord(SObjectSaveInfo& record);

  virtual bool GetFlag1InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                uint32_t& value);
  virtual bool GetFlag1(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetStateInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                uint32_t& value);
  virtual bool GetState(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetFlag2InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                uint32_t& value);
  virtual bool GetFlag2(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetFlag4InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                uint32_t& value);
  virtual bool GetFlag4(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetRender2DInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                   uint32_t& value);
  virtual bool GetRender2D(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetFlag16InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                 uint32_t& value);
  virtual bool GetFlag16(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetFlag32InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                 uint32_t& value);
  virtual bool GetFlag32(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetIntInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                              int32_t& value);
  virtual bool GetInt(const wchar_t* name, const wchar_t* secondName, int32_t& value);
  virtual bool GetFloatInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName,
                                float& value);
  virtual bool GetFloat(const wchar_t* name, const wchar_t* secondName, float& value);
  virtual bool GetPositionInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName, float& x,
                                   float& y, float& z);
  virtual bool GetPosition(const wchar_t* name, const wchar_t* secondName, float& x, float& y, float& z);

  virtual bool RemoveInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName);
  virtual bool Remove(const wchar_t* name, const wchar_t* secondName);

  virtual void ClearFlag1InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag1(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag2InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag2(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag4InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag4(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearRender2DInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName);
  virtual void ClearRender2D(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag16InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag16(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag32InRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag32(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearStateInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName);
  virtual void ClearState(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearPositionInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName);
  virtual void ClearPosition(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearIntInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName);
  virtual void ClearInt(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFloatInRegion(const std::wstring& region, const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFloat(const wchar_t* name, const wchar_t* secondName);

  // The scene block of the profile file: the own object block, then a count
  // of regions and per region its name and object block.
  bool Write(ProfileWriter& out) const;
  bool Read(ProfileReader& in);

  std::map<std::wstring, SBaseSaveInfo> mRegions;
  SBaseSaveInfo mOwn;

  bool operator==(const SBackSaveInfo&) const = default;
};
