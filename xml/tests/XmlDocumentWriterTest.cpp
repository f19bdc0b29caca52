#include "xml/XmlDocumentWriter.h"

#include "xml/XmlElements.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

namespace tlv {
namespace {

using test::ComScope;
using test::FileExists;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

class XmlDocumentWriterTest : public ::testing::Test {
protected:
    ComScope com_;
    TempFolder folder_;
};

TEST_F(XmlDocumentWriterTest, WritesIndentedDocumentWithValuesOnOneLine) {
    const std::string path = folder_.Path("out.xml");
    ASSERT_TRUE(XmlDocumentWriter::Write(path.c_str(), [](ISAXContentHandler* h) {
        WriteStartElement(h, "plugins");
        WriteStartElement(h, "plugin");
        WriteTextElement(h, "id", "3");
        WriteTextElement(h, "empty", "");
        WriteTextElement(h, "none", nullptr);
        WriteStartElement(h, "group");
        WriteTextElement(h, "deep", "x");
        WriteEndElement(h, "group");
        WriteEndElement(h, "plugin");
        WriteEndElement(h, "plugins");
    }));
    EXPECT_EQ(ReadBytes(path), std::string(kDeclaration) +
                                   "<plugins>\r\n"
                                   "\t<plugin>\r\n"
                                   "\t\t<id>3</id>\r\n"
                                   "\t\t<empty></empty>\r\n"
                                   "\t\t<none/>\r\n"
                                   "\t\t<group>\r\n"
                                   "\t\t\t<deep>x</deep>\r\n"
                                   "\t\t</group>\r\n"
                                   "\t</plugin>\r\n"
                                   "</plugins>");
}

TEST_F(XmlDocumentWriterTest, EmptyRootIsSelfClosing) {
    const std::string path = folder_.Path("out.xml");
    ASSERT_TRUE(XmlDocumentWriter::Write(path.c_str(), [](ISAXContentHandler* h) {
        WriteStartElement(h, "plugins");
        WriteEndElement(h, "plugins");
    }));
    EXPECT_EQ(ReadBytes(path), std::string(kDeclaration) + "<plugins/>");
}

}  // namespace
}  // namespace tlv
