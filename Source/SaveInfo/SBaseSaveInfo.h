#pragma once
// The saved state of the objects of one back (scene) or of one region inside
// a back: one record per object that has anything recorded, in the order
// they were first recorded. The scene applies them when it is entered.
//
// Objects are named by two null-terminated names, either of which may be
// null: the entry's name and its second name. A record made under either is
// found again by a call that passes the same one. Names match exactly.
#include <cstdint>
#include <string>
#include <vector>

#include "SaveInfo/SObjectSaveInfo.h"

class ProfileReader;
class ProfileWriter;

class SBaseSaveInfo {
 public:
  SBaseSaveInfo() = default;
  SBaseSaveInfo(const SBaseSaveInfo&) = default;
  SBaseSaveInfo& operator=(const SBaseSaveInfo&) = default;
  virtual ~SBaseSaveInfo() = default;

  // The first record whose name equals the name, or else the second name.
  // With create set, a missing record is appended under the name (or, when
  // that is null or empty, the second name); two unusable names create
  // nothing and answer false.
  virtual bool Find(const wchar_t* name, const wchar_t* secondName, size_t& position, bool create);
  virtual bool Exists(const wchar_t* name, const wchar_t* secondName);
  // Overwrites the record of the same name and answers true, or appends a
  // copy and answers false.
  virtual bool SetRecord(const SObjectSaveInfo& record);

  // Setters create the record when needed; false only when it cannot be made.
  virtual bool SetFlag1(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetState(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetFlag2(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetFlag4(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetRender2D(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetFlag16(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetFlag32(const wchar_t* name, const wchar_t* secondName, uint32_t value);
  virtual bool SetInt(const wchar_t* name, const wchar_t* secondName, int32_t value);
  virtual bool SetFloat(const wchar_t* name, const wchar_t* secondName, float value);
  virtual bool SetPosition(const wchar_t* name, const wchar_t* secondName, float x, float y, float z);

  // Fills the record from the one of the same name; false when there is none.
  virtual bool GetRecord(SObjectSaveInfo& record);

  // Getters answer true when the object has a record; the output is written
  // only when the property is recorded and otherwise keeps what the caller
  // put there.
  virtual bool GetFlag1(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetState(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetFlag2(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetFlag4(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetRender2D(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetFlag16(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetFlag32(const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  virtual bool GetInt(const wchar_t* name, const wchar_t* secondName, int32_t& value);
  virtual bool GetFloat(const wchar_t* name, const wchar_t* secondName, float& value);
  virtual bool GetPosition(const wchar_t* name, const wchar_t* secondName, float& x, float& y, float& z);

  virtual bool Remove(const wchar_t* name, const wchar_t* secondName);

  // Clearers forget one property; a record left with nothing recorded is
  // erased.
  virtual void ClearFlag1(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag2(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag4(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearRender2D(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag16(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFlag32(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearState(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearPosition(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearInt(const wchar_t* name, const wchar_t* secondName);
  virtual void ClearFloat(const wchar_t* name, const wchar_t* secondName);

  // The object block of the profile file: a count, then 128 bytes a record.
  virtual bool Write(ProfileWriter& out) const;
  virtual bool Read(ProfileReader& in);

  const std::vector<SObjectSaveInfo>& Records() const { return mRecords; }

  bool operator==(const SBaseSaveInfo&) const = default;

 private:
  template <class Apply>
  bool SetProperty(const wchar_t* name, const wchar_t* secondName, Apply apply);
  template <class Apply>
  bool GetProperty(const wchar_t* name, const wchar_t* secondName, Apply apply);
  template <class Apply>
  void ClearProperty(const wchar_t* name, const wchar_t* secondName, Apply apply);

  std::vector<SObjectSaveInfo> mRecords;
};
