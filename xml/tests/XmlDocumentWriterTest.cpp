#include "xml/XmlDocumentWriter.h"

#include "common/UniqueHandle.h"
#include "xml/SaxHandler.h"
#include "xml/XmlElements.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tlv {
namespace {

using test::ComScope;
using test::FileExists;
using test::ListFolder;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using test::kXmlDeclaration;

// Collects the text of the element named "v".
class ValueReader : public SaxHandler {
public:
    std::string value;

protected:
    int OnStartElement(const char* name) override {
        inValue_ = std::string(name) == "v";
        return 0;
    }
    int OnCharacters(const char* text) override {
        if (inValue_) {
            value += text;
        }
        return 0;
    }
    int OnEndElement(const char*) override {
        inValue_ = false;
        return 0;
    }

private:
    bool inValue_ = false;
};

class XmlDocumentWriterTest : public ::testing::Test {
protected:
    static bool WriteValue(const std::string& path, const char* value) {
        return XmlDocumentWriter::Write(path.c_str(), [value](ISAXContentHandler* h) {
            WriteStartElement(h, "r");
            WriteTextElement(h, "v", value);
            WriteEndElement(h, "r");
        });
    }

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
    EXPECT_EQ(ReadBytes(path), std::string(kXmlDeclaration) +
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
    EXPECT_EQ(ReadBytes(path), std::string(kXmlDeclaration) + "<plugins/>");
}

TEST_F(XmlDocumentWriterTest, TextsReadBackUnchanged) {
    const char* values[] = {"a < b & c > d", "caf\xE9 \x80", "  two  spaces  ", "two\nlines", ""};
    const std::string path = folder_.Path("out.xml");
    for (const char* value : values) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(WriteValue(path, value));
        ValueReader reader;
        ASSERT_EQ(reader.ParseFile(path.c_str()), S_OK);
        EXPECT_EQ(reader.value, value);
    }
    // Stored as UTF-8 in the file.
    EXPECT_NE(ReadBytes(path).find("<v></v>"), std::string::npos);
    ASSERT_TRUE(WriteValue(path, "\xE9"));
    EXPECT_NE(ReadBytes(path).find("<v>\xC3\xA9</v>"), std::string::npos);
}

TEST_F(XmlDocumentWriterTest, ReplacesLongerFileWhole) {
    const std::string path = folder_.Path("out.xml");
    WriteBytes(path, std::string(100000, 'x'));
    ASSERT_TRUE(WriteValue(path, "new"));
    EXPECT_EQ(ReadBytes(path), std::string(kXmlDeclaration) + "<r>\r\n\t<v>new</v>\r\n</r>");
    EXPECT_EQ(ListFolder(folder_.Path()), "out.xml");
}

// The temporary file's name is longer than the target's: it must fit wherever the target fits.
TEST_F(XmlDocumentWriterTest, ReplacesTargetWhosePathNearlyFillsThePathLimit) {
    std::string path = folder_.Path();
    path += std::string(MAX_PATH - 6 - path.size(), 'r') + ".xml";
    ASSERT_EQ(path.size(), static_cast<size_t>(MAX_PATH - 2));
    WriteBytes(path, "old");
    ASSERT_TRUE(WriteValue(path, "new"));
    EXPECT_EQ(ReadBytes(path), std::string(kXmlDeclaration) + "<r>\r\n\t<v>new</v>\r\n</r>");
    EXPECT_EQ(ListFolder(folder_.Path()), path.substr(folder_.Path().size()));
}

TEST_F(XmlDocumentWriterTest, MissingFolderWritesNothing) {
    EXPECT_FALSE(WriteValue(folder_.Path("missing\\out.xml"), "x"));
    EXPECT_FALSE(FileExists(folder_.Path("missing")));
    EXPECT_FALSE(XmlDocumentWriter::Write(nullptr, [](ISAXContentHandler*) {}));
    EXPECT_EQ(ListFolder(folder_.Path()), "");
}

TEST_F(XmlDocumentWriterTest, TargetHeldOpenElsewhereStaysUntouched) {
    const std::string path = folder_.Path("out.xml");
    WriteBytes(path, "old");
    {
        const UniqueFile holder(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder.IsValid());
        EXPECT_FALSE(WriteValue(path, "new"));
    }
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(ListFolder(folder_.Path()), "out.xml");
}

TEST_F(XmlDocumentWriterTest, TextNoReaderTakesBackLeavesTargetIntact) {
    const std::string path = folder_.Path("out.xml");
    WriteBytes(path, "old");
    EXPECT_FALSE(WriteValue(path, "x\x01y"));
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(ListFolder(folder_.Path()), "out.xml");
}

TEST_F(XmlDocumentWriterTest, FolderInPlaceOfTargetStaysUntouched) {
    ASSERT_TRUE(::CreateDirectoryA(folder_.Path("out.xml").c_str(), nullptr));
    EXPECT_FALSE(WriteValue(folder_.Path("out.xml"), "new"));
    EXPECT_EQ(ListFolder(folder_.Path()), "out.xml");
}

TEST_F(XmlDocumentWriterTest, FailureWhileWritingElementsLeavesTargetIntact) {
    const std::string path = folder_.Path("out.xml");
    WriteBytes(path, "old");
    EXPECT_THROW(XmlDocumentWriter::Write(path.c_str(),
                                          [](ISAXContentHandler* h) {
                                              WriteStartElement(h, "r");
                                              throw std::runtime_error("out of memory");
                                          }),
                 std::runtime_error);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(ListFolder(folder_.Path()), "out.xml");
}

}  // namespace
}  // namespace tlv
