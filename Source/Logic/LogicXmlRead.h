#pragma once
// Attribute readers and error lines shared by the loaders of the logic data
// (action scripts, chapter files, the task file, item tables). Every
// complaint names the file it is about, so a broken data file is found from
// the log alone; reading always goes on.
#include <tinyxml.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "GameLog.h"

namespace logicxml {

// Complaints are logged with gamelog::Error, tagged with the file and line
// that logs them.
using gamelog::Error;

// The element's tag as a wide string.
std::wstring Tag(const TiXmlElement* element);
// True when the tag equals name, ignoring ASCII case.
bool TagIs(const TiXmlElement* element, const char* name);

// The name of the file the element was read from (LoadXmlDocument names
// its documents by their file); empty when unknown.
std::wstring FileOf(const TiXmlElement* element);

// Each reader answers whether the attribute is present (name matched
// ignoring ASCII case) and then stores its value. A number that is not a
// whole decimal number (or a finite float) in range is reported with the
// attribute, its text and the file, and reads as the library reads it (its
// leading number, else 0).
bool ReadText(const TiXmlElement* element, const char* name, std::wstring& out);
bool ReadInt(const TiXmlElement* element, const char* name, const std::wstring& file, int32_t& out);
bool ReadFloat(const TiXmlElement* element, const char* name, const std::wstring& file, float& out);

// Reports each child element whose tag is none of the known ones (ignoring
// ASCII case); the loaders skip such elements.
void ReportUnknownChildren(const TiXmlElement* element, std::initializer_list<const char*> known,
                           const std::wstring& file);

}  // namespace logicxml
