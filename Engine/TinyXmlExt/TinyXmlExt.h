#pragma once
// Small additions over TinyXML 1 that every data loader uses: element and
// attribute lookups that ignore ASCII case, value accessors that decode
// UTF-8 into wide strings, and one way to load a document through the
// engine file system.
#include <tinyxml.h>

#include <cstdint>
#include <string>

namespace zorfile {
class CFileSystem;
}

// First child element of node whose name equals name ignoring ASCII case.
TiXmlElement* FirstChildElementUpper(TiXmlNode* node, const char* name);
const TiXmlElement* FirstChildElementUpper(const TiXmlNode* node, const char* name);
// Next such element after prev (null prev = the first).
TiXmlElement* IterateChildrenElementUpper(TiXmlNode* node, const char* name, TiXmlElement* prev);
const TiXmlElement* IterateChildrenElementUpper(const TiXmlNode* node, const char* name, const TiXmlElement* prev);
// Next child element of any name after prev (null prev = the first).
TiXmlElement* IterateChildrenElement(TiXmlNode* node, TiXmlElement* prev);
const TiXmlElement* IterateChildrenElement(const TiXmlNode* node, const TiXmlElement* prev);
// The document's root element when its name equals name ignoring ASCII
// case; null when there is none or it has another name.
const TiXmlElement* RootElementUpper(const TiXmlDocument& document, const char* name);
// Attribute by name ignoring ASCII case; null when absent.
const TiXmlAttribute* FindUpper(const TiXmlElement* element, const char* name);

// Attribute value accessors (the attribute may be null: they then answer
// the empty text or 0).
std::wstring ValueUtf8(const TiXmlAttribute* attribute);
int IntValue(const TiXmlAttribute* attribute);
float FloatValue(const TiXmlAttribute* attribute);
// Decimal or 0x-hex, as an unsigned 32-bit number (packed colours).
uint32_t DwordValue(const TiXmlAttribute* attribute);

// Reads name through the file system into memory and parses it (encoding
// detected). False when missing or not well formed; a file that exists but
// does not parse (or has no root element) is named in an error line with the
// parser's reason, and document.Error() is then set, so a caller can tell it
// from a missing file (no error set). A null file system means the engine's
// current one (zorfile::GetFileSystem()).
bool LoadXmlDocument(TiXmlDocument& document, const std::wstring& name, zorfile::CFileSystem* fs = nullptr);
// Parses a document from memory (for tests and packed data); reads no byte
// past the end of bytes, wherever they are cut. False, with document.Error()
// set, when not well formed or without a root element.
bool ParseXmlDocument(TiXmlDocument& document, const std::string& bytes);
