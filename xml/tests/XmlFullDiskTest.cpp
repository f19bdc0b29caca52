#include "xml/XmlDocumentWriter.h"

#include "xml/XmlElements.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

namespace tlv {
namespace {

using test::ComScope;
using test::ListFolder;
using test::ReadBytes;
using test::SmallFilesystemFolder;
using test::WriteBytes;

// Far more than the small filesystem holds.
bool WriteLargeDocument(const std::string& path) {
    return XmlDocumentWriter::Write(path.c_str(), [](ISAXContentHandler* h) {
        WriteStartElement(h, "r");
        for (int i = 0; i < 20000; ++i) {
            WriteTextElement(h, "v", "0123456789");
        }
        WriteEndElement(h, "r");
    });
}

TEST(XmlFullDisk, DocumentThatDoesNotFitLeavesTargetIntact) {
    const std::string folder = SmallFilesystemFolder();
    if (folder.empty()) {
        GTEST_SKIP() << "no small filesystem mounted (TLV_SMALL_FS)";
    }
    ComScope com;
    const std::string path = folder + "full.xml";
    WriteBytes(path, "old content");
    EXPECT_FALSE(WriteLargeDocument(path));
    EXPECT_EQ(ReadBytes(path), "old content");
    EXPECT_EQ(ListFolder(folder), "full.xml");
    ::DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace tlv
