#include "plugins/PluginListMerge.h"

#include "plugins/PluginCatalog.h"
#include "plugins/tests/PluginListFiles.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TestProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tlv {
namespace {

using test::ComScope;
using test::FileExists;
using test::ListFolder;
using test::Plugin;
using test::PluginList;
using test::Quote;
using test::ReadBytes;
using test::RunProgram;
using test::TempFolder;
using test::WriteBytes;
using test::kXmlDeclaration;

class PluginListMergeTest : public ::testing::Test {
protected:
    void SetUp() override { WriteBytes(folder_.Path("a.dll"), "library"); }

    bool Merge(const std::string& first, const std::string& second) {
        WriteBytes(FirstPath(), first);
        WriteBytes(SecondPath(), second);
        return PluginListMerge::Merge(ResultPath().c_str(), FirstPath().c_str(), SecondPath().c_str());
    }
    std::string FirstPath() const { return folder_.Path("first.xml"); }
    std::string SecondPath() const { return folder_.Path("second.xml"); }
    std::string ResultPath() const { return folder_.Path("result.xml"); }

    // Each plugin of the result as "id:name text".
    std::vector<std::string> ResultPlugins() {
        PluginCatalog result;
        EXPECT_TRUE(result.Load(ResultPath().c_str()));
        std::vector<std::string> plugins;
        for (uint32_t i = 0; i < result.Count(); ++i) {
            plugins.push_back(std::to_string(result.RecordAt(i)->Id()) + ":" + result.RecordAt(i)->Name());
        }
        return plugins;
    }

    ComScope com_;
    TempFolder folder_;
};

using Plugins = std::vector<std::string>;

TEST_F(PluginListMergeTest, TwoEmptyListsGiveAnEmptyList) {
    ASSERT_TRUE(Merge(PluginList(""), PluginList("")));
    EXPECT_EQ(ReadBytes(ResultPath()), std::string(kXmlDeclaration) + "<plugins/>");
}

TEST_F(PluginListMergeTest, LaterPluginWinsAndNumbersComeOutAsUnsigned) {
    ASSERT_TRUE(Merge(PluginList(Plugin("7", "a.dll") + Plugin("5", "a.dll", "", "first 5") +
                                 Plugin("9", "a.dll", "", "early 9") +
                                 Plugin("9", "a.dll", "", "late 9") + Plugin("-1", "a.dll")),
                      PluginList(Plugin("5", "a.dll", "", "second 5") + Plugin("3", "a.dll") +
                                 Plugin("-2", "a.dll"))));
    EXPECT_EQ(ResultPlugins(), (Plugins{"3:N3", "5:second 5", "7:N7", "9:late 9", "-2:N-2", "-1:N-1"}));
}

TEST_F(PluginListMergeTest, PluginsWithoutTheirLibraryAreLeftOut) {
    ASSERT_TRUE(Merge(PluginList(Plugin("1", "a.dll") + Plugin("2", "gone.dll")),
                      PluginList(Plugin("3", "gone.dll") + Plugin("4", "a.dll"))));
    EXPECT_EQ(ResultPlugins(), (Plugins{"1:N1", "4:N4"}));
}

TEST_F(PluginListMergeTest, ValuesPassThroughAsRead) {
    ::CreateDirectoryA(folder_.Path("bin").c_str(), nullptr);
    WriteBytes(folder_.Path("bin\\p.dll"), "library");
    ASSERT_TRUE(Merge(PluginList(Plugin("1", "bin\\p.dll", "<icon>icons\\p.ico</icon><autostart>TRUE</autostart>") +
                                 Plugin("2", "a.dll", "<internal>FALSE</internal>")),
                      PluginList("")));
    EXPECT_EQ(ReadBytes(ResultPath()), std::string(kXmlDeclaration) +
                                           "<plugins>\r\n"
                                           "\t<plugin>\r\n"
                                           "\t\t<id>1</id>\r\n"
                                           "\t\t<lib>bin\\p.dll</lib>\r\n"
                                           "\t\t<name>N1</name>\r\n"
                                           "\t\t<fullname>F1</fullname>\r\n"
                                           "\t\t<description>D1</description>\r\n"
                                           "\t\t<autostart>1</autostart>\r\n"
                                           "\t\t<icon>icons\\p.ico</icon>\r\n"
                                           "\t\t<internal>0</internal>\r\n"
                                           "\t</plugin>\r\n"
                                           "\t<plugin>\r\n"
                                           "\t\t<id>2</id>\r\n"
                                           "\t\t<lib>a.dll</lib>\r\n"
                                           "\t\t<name>N2</name>\r\n"
                                           "\t\t<fullname>F2</fullname>\r\n"
                                           "\t\t<description>D2</description>\r\n"
                                           "\t\t<autostart>0</autostart>\r\n"
                                           "\t\t<internal>0</internal>\r\n"
                                           "\t</plugin>\r\n"
                                           "</plugins>");
}

TEST_F(PluginListMergeTest, UnreadableListGivesFalseAndLeavesTheResultAlone) {
    const std::string good = PluginList(Plugin("1", "a.dll"));
    struct Case {
        const char* what;
        const char* first;   // null: the file is missing
        const char* second;
    };
    const Case cases[] = {
        {"first missing", nullptr, good.c_str()},
        {"second missing", good.c_str(), nullptr},
        {"first refused", "<Plugins/>", good.c_str()},
        {"second malformed", good.c_str(), "<plugins>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::DeleteFileA(FirstPath().c_str());
        ::DeleteFileA(SecondPath().c_str());
        if (c.first != nullptr) {
            WriteBytes(FirstPath(), c.first);
        }
        if (c.second != nullptr) {
            WriteBytes(SecondPath(), c.second);
        }
        EXPECT_FALSE(PluginListMerge::Merge(ResultPath().c_str(), FirstPath().c_str(), SecondPath().c_str()));
        EXPECT_FALSE(FileExists(ResultPath()));
    }
    WriteBytes(ResultPath(), "old result");
    EXPECT_FALSE(PluginListMerge::Merge(ResultPath().c_str(), folder_.Path("missing.xml").c_str(),
                                        SecondPath().c_str()));
    EXPECT_EQ(ReadBytes(ResultPath()), "old result");
    EXPECT_FALSE(PluginListMerge::Merge(nullptr, nullptr, nullptr));
}

TEST_F(PluginListMergeTest, UnwritableResultStillGivesTrue) {
    WriteBytes(FirstPath(), PluginList(Plugin("1", "a.dll")));
    WriteBytes(SecondPath(), PluginList(""));
    EXPECT_TRUE(PluginListMerge::Merge(folder_.Path("missing\\result.xml").c_str(), FirstPath().c_str(),
                                       SecondPath().c_str()));
    EXPECT_TRUE(PluginListMerge::Merge(nullptr, FirstPath().c_str(), SecondPath().c_str()));
    EXPECT_EQ(ListFolder(folder_.Path()), "a.dll first.xml second.xml");
}

TEST_F(PluginListMergeTest, ResultHeldOpenByAnotherProgramIsLeftWhole) {
    WriteBytes(ResultPath(), "old result");
    const HANDLE held = ::CreateFileA(ResultPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(Merge(PluginList(Plugin("1", "a.dll")), PluginList("")));
    ::CloseHandle(held);
    EXPECT_EQ(ReadBytes(ResultPath()), "old result");
    EXPECT_EQ(ListFolder(folder_.Path()), "a.dll first.xml result.xml second.xml");
}

TEST_F(PluginListMergeTest, ResultMayReplaceTheFirstList) {
    WriteBytes(FirstPath(), PluginList(Plugin("1", "a.dll") + Plugin("2", "a.dll")));
    WriteBytes(SecondPath(), PluginList(Plugin("2", "a.dll", "", "new 2")));
    ASSERT_TRUE(PluginListMerge::Merge(FirstPath().c_str(), FirstPath().c_str(), SecondPath().c_str()));
    PluginCatalog merged;
    ASSERT_TRUE(merged.Load(FirstPath().c_str()));
    ASSERT_EQ(merged.Count(), 2u);
    EXPECT_STREQ(merged.RecordAt(1)->Name(), "new 2");
    EXPECT_EQ(ListFolder(folder_.Path()), "a.dll first.xml second.xml");
}

// The export as an installer calls it, through tlvcall and the built library.
TEST_F(PluginListMergeTest, ExportMergesThroughTheLibrary) {
    WriteBytes(FirstPath(), PluginList(Plugin("4", "a.dll") + Plugin("2", "a.dll")));
    WriteBytes(SecondPath(), PluginList(Plugin("4", "a.dll", "", "second 4")));
    const test::ProcessResult merged = RunProgram(
        "tlvcall.exe", "f18 " + Quote(ResultPath()) + " " + Quote(FirstPath()) + " " + Quote(SecondPath()) +
                           " + f18 " + Quote(folder_.Path("none.xml")) + " " + Quote(folder_.Path("missing.xml")) +
                           " " + Quote(SecondPath()));
    EXPECT_EQ(merged.exitCode, 0u) << merged.errors;
    EXPECT_EQ(merged.output, "1\n0\n");
    EXPECT_EQ(ResultPlugins(), (Plugins{"2:N2", "4:second 4"}));
    EXPECT_FALSE(FileExists(folder_.Path("none.xml")));
}

}  // namespace
}  // namespace tlv
