#include <gtest/gtest.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zorfile/FileSystem.h"
#include "Platform/Strings.h"
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


// A file cut inside a UTF-8 sequence: TinyXML steps over the whole sequence
// by its lead byte. The cut string still holds the rest of the old text past
// its terminator, so a parser that stepped over the end would find the
// closing quote and bracket there and accept the document.
TEST(TinyXmlExt, ReadsNoBytePastACutInsideACharacter) {
  // TinyXML reads UTF-8 sequences whole once a byte-order mark or the
  // declaration says UTF-8.
  const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  const std::string bom = "\xEF\xBB\xBF";
  const std::vector<std::string> whole = {
      declaration + "<T Name=\"\xF0\x9F\x98\x80\"/>",         // attribute value, four-byte character
      bom + "<T Name=\"\xE2\x82\xAC\"/>",                      // three bytes
      bom + "<T>\xF0\x9F\x98\x80</T>",                          // element text
      declaration + "<T><U>\xD0\x9F</U></T>",                    // two bytes
      bom + "<T Name=\"\xF0\x9F\x98\x80\xF0\x9F\x98\x80\"/>",  // cut at any of its bytes
  };
  for (const std::string& text : whole) {
    for (size_t cut = text.find('<') + 1; cut < text.size(); ++cut) {
      if (static_cast<unsigned char>(text[cut - 1]) < 0x80) continue;  // cut after a non-ASCII byte
      SCOPED_TRACE(testing::Message() << text << " cut at " << cut);
      std::string bytes = text;
      bytes.resize(cut);  // the old bytes stay in the buffer behind the new end
      TiXmlDocument doc;
      EXPECT_FALSE(ParseXmlDocument(doc, bytes));
      EXPECT_TRUE(doc.Error());
    }
  }
}

TEST(TinyXmlExt, NamesAFileThatDoesNotParseAndNotAMissingOne) {
  TempDir dir;
  dir.Write("cut.xml", "\xEF\xBB\xBF<Root Name=\"\xD0");
  dir.Write("empty.xml", "<?xml version=\"1.0\"?><!-- nothing -->");
  dir.Write("good.xml", "<Root/>");
  // Cut in a comment before the root, in a tag, in a value and between
  // elements: each ends before its root element is closed. Where the
  // parser names the line of the cut its own reason stands.
  dir.Write("halfcomment.xml", "<?xml version=\"1.0\"?>\n<!-- the list of");
  dir.Write("halftag.xml", "<List>\n  <Item Name=\"a\"/>\n  <It");
  dir.Write("halfvalue.xml", "<List><Item Name=\"a>b");
  dir.Write("halflist.xml", "<List>\n  <Item Name=\"a\"/>\n");
  dir.Write("halftext.xml", "<List>\n  <Item>some te");
  dir.Write("badclose.xml", "<List><Item></List>");
  zorfile::CFileSystem fs;
  fs.SetInstallFolder(dir.Path());
  testsupport::LogCapture log;
  struct Case {
    std::wstring file;
    bool loads;
    bool parseError;  // an error line "not parsed" naming the file, document.Error() set
    bool cut;         // the line says the file ends before its root element is closed
  };
  const std::vector<Case> cases = {
      {L"Cut.xml", false, true, false},
      {L"Empty.xml", false, true, false},
      {L"Missing.xml", false, false, false},
      {L"Good.xml", true, false, false},
      {L"HalfComment.xml", false, true, true},
      {L"HalfTag.xml", false, true, false},
      {L"HalfValue.xml", false, true, false},
      {L"HalfList.xml", false, true, false},
      {L"HalfText.xml", false, true, true},
      {L"BadClose.xml", false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Platform::WideToUtf8(c.file));
    log.Clear();
    TiXmlDocument doc;
    EXPECT_EQ(LoadXmlDocument(doc, c.file, &fs), c.loads);
    EXPECT_EQ(doc.Error(), c.parseError);
    const auto errors = log.Texts(zuzorev::ELogLevel::Error);
    ASSERT_EQ(errors.size(), c.parseError ? 1u : 0u);
    if (!c.parseError) continue;
    EXPECT_NE(errors[0].find(L"XML file " + c.file + L" not parsed: "), std::wstring::npos)
        << Platform::WideToUtf8(errors[0]);
    EXPECT_EQ(errors[0].find(L"the file ends before its root element is closed") != std::wstring::npos, c.cut)
        << Platform::WideToUtf8(errors[0]);
    EXPECT_EQ(errors[0].find(L"document empty") != std::wstring::npos, c.file == L"Empty.xml")
        << Platform::WideToUtf8(errors[0]);
  }
}

}  // namespace
