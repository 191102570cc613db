#include <gtest/gtest.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zorfile/FileSystem.h"
#include "support/TestSupport.h"

namespace {

using testsupport::TempDir;

std::vector<std::string> Names(const std::vector<const TiXmlElement*>& elements) {
  std::vector<std::string> out;
  for (const auto* e : elements) out.push_back(std::string(e->Value()) + ":" + (e->Attribute("n") ? e->Attribute("n") : ""));
  return out;
}

TEST(TinyXmlExt, FindsElementsAndAttributesIgnoringCase) {
  TiXmlDocument doc;
  ASSERT_TRUE(ParseXmlDocument(doc, R"(<Root><alpha n="1"/><!-- note --><Beta n="2"/><ALPHA n="3"/><AlphaBeta n="4"/></Root>)"));
  const TiXmlElement* root = FirstChildElementUpper(&doc, "ROOT");
  ASSERT_NE(root, nullptr);

  struct Case {
    const char* name;  // null: every child element
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"Alpha", {"alpha:1", "ALPHA:3"}},
      {"beta", {"Beta:2"}},
      {"Gamma", {}},
      {nullptr, {"alpha:1", "Beta:2", "ALPHA:3", "AlphaBeta:4"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "(any)");
    std::vector<const TiXmlElement*> found;
    if (c.name) {
      for (auto* e = IterateChildrenElementUpper(root, c.name, nullptr); e;
           e = IterateChildrenElementUpper(root, c.name, e))
        found.push_back(e);
      const TiXmlElement* first = FirstChildElementUpper(root, c.name);
      EXPECT_EQ(first, found.empty() ? nullptr : found.front());
    } else {
      for (auto* e = IterateChildrenElement(root, nullptr); e; e = IterateChildrenElement(root, e)) found.push_back(e);
    }
    EXPECT_EQ(Names(found), c.expected);
  }

  const TiXmlElement* beta = FirstChildElementUpper(root, "BETA");
  ASSERT_NE(FindUpper(beta, "N"), nullptr);
  EXPECT_STREQ(FindUpper(beta, "N")->Value(), "2");
  EXPECT_EQ(FindUpper(beta, "Name"), nullptr);

  // Null inputs answer null or zero, so a loader on broken data goes on.
  EXPECT_EQ(FirstChildElementUpper(static_cast<const TiXmlNode*>(nullptr), "a"), nullptr);
  EXPECT_EQ(FirstChildElementUpper(root, nullptr), nullptr);
  EXPECT_EQ(IterateChildrenElement(static_cast<const TiXmlNode*>(nullptr), nullptr), nullptr);
  EXPECT_EQ(FindUpper(nullptr, "n"), nullptr);
  EXPECT_EQ(ValueUtf8(nullptr), L"");
  EXPECT_EQ(IntValue(nullptr), 0);
  EXPECT_EQ(FloatValue(nullptr), 0.0f);
  EXPECT_EQ(DwordValue(nullptr), 0u);
}

TEST(TinyXmlExt, ConvertsAttributeValues) {
  struct Case {
    std::string value;
    uint32_t dword;
    int integer;
    float real;
  };
  const std::vector<Case> cases = {
      {"123", 123u, 123, 123.0f},
      {"0x1F", 0x1Fu, 0, 0.0f},
      {"0XFF00ff80", 0xFF00FF80u, 0, 0.0f},
      {"0xFFFFFFFF", 0xFFFFFFFFu, 0, 0.0f},
      {"0x100000000", 0u, 0, 0.0f},  // more than 32 bits
      {"0x", 0u, 0, 0.0f},
      {"4294967295", 0xFFFFFFFFu, 0, 4294967295.0f},
      {"-1", 0xFFFFFFFFu, -1, -1.0f},
      {"  42abc", 42u, 42, 42.0f},
      {"2.75", 2u, 2, 2.75f},
      {"-0.5e1", 0u, 0, -5.0f},
      {"+7", 7u, 7, 7.0f},
      {"garbage", 0u, 0, 0.0f},
      {"", 0u, 0, 0.0f},
      {"1e999", 1u, 1, 0.0f},
      {"99999999999", 0u, 0, 99999999999.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    TiXmlElement e("E");
    e.SetAttribute("v", c.value.c_str());
    const TiXmlAttribute* a = FindUpper(&e, "V");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(DwordValue(a), c.dword);
    EXPECT_EQ(IntValue(a), c.integer);
    EXPECT_FLOAT_EQ(FloatValue(a), c.real);
  }
}

TEST(TinyXmlExt, DecodesUtf8Values) {
  TiXmlDocument doc;
  ASSERT_TRUE(ParseXmlDocument(doc, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                    "<T Name=\"Привет, мир\" Entity=\"&#x41F;&amp;\"/>"));
  EXPECT_EQ(ValueUtf8(FindUpper(doc.RootElement(), "name")), L"Привет, мир");
  EXPECT_EQ(ValueUtf8(FindUpper(doc.RootElement(), "entity")), L"П&");
}

TEST(TinyXmlExt, LoadsThroughTheFileSystem) {
  TempDir dir;
  dir.Write("data/xml/bom.XML", "\xEF\xBB\xBF<Root Name=\"Ключ\"><Child/></Root>");
  dir.Write("data/xml/plain.xml", "<Root Name=\"Ключ\"/>");
  zorfile::CFileSystem fs;
  fs.SetInstallFolder(dir.Path());

  TiXmlDocument doc;
  ASSERT_TRUE(LoadXmlDocument(doc, L"Data\\Xml\\Bom.xml", &fs));
  EXPECT_EQ(ValueUtf8(FindUpper(doc.RootElement(), "Name")), L"Ключ");
  EXPECT_NE(FirstChildElementUpper(doc.RootElement(), "child"), nullptr);

  // Without a byte-order mark or declaration the bytes stay UTF-8 as well.
  ASSERT_TRUE(LoadXmlDocument(doc, L"Data\\Xml\\Plain.xml", &fs));
  EXPECT_EQ(ValueUtf8(FindUpper(doc.RootElement(), "Name")), L"Ключ");

  // A null file system means the engine's current one.
  zorfile::SetFileSystem(&fs);
  EXPECT_TRUE(LoadXmlDocument(doc, L"DATA/XML/BOM.XML"));
  zorfile::SetFileSystem(nullptr);
  EXPECT_FALSE(LoadXmlDocument(doc, L"DATA/XML/BOM.XML"));
  EXPECT_FALSE(LoadXmlDocument(doc, L"Data\\Xml\\Missing.xml", &fs));
}

TEST(TinyXmlExt, RejectsBrokenDocumentsWithoutCrashing) {
  const std::vector<std::string> broken = {
      "",
      "\xEF\xBB\xBF",
      "<?xml version=\"1.0\"?>",
      "<Root><a></Root>",
      "<Root></Other>",
      "<Root attr=\"unterminated></Root>",
      "<Root>&#xFFFFFFFFFF;</Root",
      "<<<>>>",
      std::string("<Root>\0</Root>", 14),
      std::string(1000, '<'),
      "\xFF\xFE<\0R\0/\0>\0",
  };
  TempDir dir;
  zorfile::CFileSystem fs;
  fs.SetInstallFolder(dir.Path());
  for (size_t i = 0; i < broken.size(); ++i) {
    SCOPED_TRACE(i);
    TiXmlDocument doc;
    EXPECT_FALSE(ParseXmlDocument(doc, broken[i]));
    dir.Write("broken.xml", broken[i]);
    EXPECT_FALSE(LoadXmlDocument(doc, L"Broken.xml", &fs));
  }
}

}  // namespace
