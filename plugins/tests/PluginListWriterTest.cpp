#include "plugins/PluginListWriter.h"

#include "plugins/PluginCatalog.h"
#include "plugins/PluginRecord.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

namespace tlv {
namespace {

using test::ComScope;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using test::kXmlDeclaration;

PluginRecord MakeRecord(int32_t id, const char* lib, const char* icon, bool internal, bool autostart) {
    PluginRecord::Values values;
    values.id = id;
    values.internal = internal;
    values.autostart = autostart;
    values.name = "Name <" + std::to_string(id) + ">";
    values.fullName = "Full & " + std::to_string(id);
    values.description = "D\xE9j\xE0 " + std::to_string(id);  // beyond ASCII in code page 1252
    values.libraryPath = std::string("C:\\resolved\\") + lib;
    values.icon = icon;
    values.lib = lib;
    return PluginRecord(std::move(values));
}

class PluginListWriterTest : public ::testing::Test {
protected:
    ComScope com_;
    TempFolder folder_;
};

TEST_F(PluginListWriterTest, WritesValuesInListOrderAndReadsBack) {
    const PluginRecord first = MakeRecord(-3, "bin\\a.dll", "", true, false);
    const PluginRecord second = MakeRecord(12, "b.dll", "icons\\b.ico", false, true);
    const IPluginRecord* records[] = {&first, &second};
    const std::string path = folder_.Path("plugins.xml");
    ASSERT_TRUE(PluginListWriter::Write(path.c_str(), records, 2));
    EXPECT_EQ(ReadBytes(path), std::string(kXmlDeclaration) +
                                   "<plugins>\r\n"
                                   "\t<plugin>\r\n"
                                   "\t\t<id>-3</id>\r\n"
                                   "\t\t<lib>bin\\a.dll</lib>\r\n"
                                   "\t\t<name>Name &lt;-3&gt;</name>\r\n"
                                   "\t\t<fullname>Full &amp; -3</fullname>\r\n"
                                   "\t\t<description>D\xC3\xA9j\xC3\xA0 -3</description>\r\n"
                                   "\t\t<autostart>0</autostart>\r\n"
                                   "\t\t<internal>1</internal>\r\n"
                                   "\t</plugin>\r\n"
                                   "\t<plugin>\r\n"
                                   "\t\t<id>12</id>\r\n"
                                   "\t\t<lib>b.dll</lib>\r\n"
                                   "\t\t<name>Name &lt;12&gt;</name>\r\n"
                                   "\t\t<fullname>Full &amp; 12</fullname>\r\n"
                                   "\t\t<description>D\xC3\xA9j\xC3\xA0 12</description>\r\n"
                                   "\t\t<autostart>1</autostart>\r\n"
                                   "\t\t<icon>icons\\b.ico</icon>\r\n"
                                   "\t\t<internal>0</internal>\r\n"
                                   "\t</plugin>\r\n"
                                   "</plugins>");

    WriteBytes(folder_.Path("b.dll"), "library");
    ::CreateDirectoryA(folder_.Path("bin").c_str(), nullptr);
    WriteBytes(folder_.Path("bin\\a.dll"), "library");
    PluginCatalog catalog;
    ASSERT_TRUE(catalog.Load(path.c_str()));
    ASSERT_EQ(catalog.Count(), 2u);
    for (uint32_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const IPluginRecord& read = *catalog.RecordAt(i);
        const IPluginRecord& written = *records[i];
        EXPECT_EQ(read.Id(), written.Id());
        EXPECT_STREQ(read.Lib(), written.Lib());
        EXPECT_STREQ(read.Name(), written.Name());
        EXPECT_STREQ(read.FullName(), written.FullName());
        EXPECT_STREQ(read.Description(), written.Description());
        EXPECT_STREQ(read.Icon(), written.Icon());
        EXPECT_EQ(read.IsInternal(), written.IsInternal());
        EXPECT_EQ(read.IsAutostart(), written.IsAutostart());
    }
}

TEST_F(PluginListWriterTest, NoRecordsWriteAnEmptyList) {
    const std::string path = folder_.Path("plugins.xml");
    for (int count : {0, -1}) {
        SCOPED_TRACE(count);
        ASSERT_TRUE(PluginListWriter::Write(path.c_str(), nullptr, count));
        EXPECT_EQ(ReadBytes(path), std::string(kXmlDeclaration) + "<plugins/>");
    }
}

TEST_F(PluginListWriterTest, UnwritablePathFailsAndCreatesNothing) {
    const PluginRecord record = MakeRecord(1, "a.dll", "", false, false);
    const IPluginRecord* records[] = {&record};
    EXPECT_FALSE(PluginListWriter::Write(folder_.Path("missing\\plugins.xml").c_str(), records, 1));
    EXPECT_FALSE(PluginListWriter::Write(nullptr, records, 1));
    EXPECT_EQ(test::ListFolder(folder_.Path()), "");
}

}  // namespace
}  // namespace tlv
