#include "resources/ResourceMerge.h"

#include "resources/ResourceCatalog.h"
#include "resources/tests/ResourceLists.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tlv {
namespace {

using test::ComScope;
using test::FileExists;
using test::ListFolder;
using test::ListItem;
using test::ListXml;
using test::ReadBytes;
using test::SmallFilesystemFolder;
using test::TempFolder;
using test::WriteBytes;
using test::kXmlDeclaration;

// What a catalogue holds, one "id location settings" line per entry.
std::string Describe(const std::string& listPath) {
    ResourceCatalog catalog;
    catalog.Load(listPath.c_str());
    std::string text;
    for (int i = 0; i < catalog.Count(); ++i) {
        const IResourceEntry* entry = catalog.EntryAt(i);
        text += std::to_string(entry->Id()) + " " + entry->Location() + " " + entry->Settings() + "\n";
    }
    return text;
}

class ResourceMergeTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::vector<ListItem>& items) {
        const std::string path = folder_.Path(name);
        WriteBytes(path, ListXml(items));
        return path;
    }

    ComScope com_;
    TempFolder folder_;
    const std::string result_ = folder_.Path("result.xml");
};

TEST_F(ResourceMergeTest, SaveWritesThreeChildrenPerEntryAlsoForEmptySettings) {
    const std::string list = Write("list.xml", {{"-5", "A &amp; B", ""}, {"12", "Voices\\x", "rate=2"}});
    ResourceCatalog catalog;
    catalog.Load(list.c_str());
    ASSERT_EQ(catalog.Save(result_.c_str()), 1);
    EXPECT_EQ(ReadBytes(result_), std::string(kXmlDeclaration) +
                                      "<resources>\r\n"
                                      "\t<resource>\r\n"
                                      "\t\t<id>-5</id>\r\n"
                                      "\t\t<location>A &amp; B</location>\r\n"
                                      "\t\t<settings></settings>\r\n"
                                      "\t</resource>\r\n"
                                      "\t<resource>\r\n"
                                      "\t\t<id>12</id>\r\n"
                                      "\t\t<location>Voices\\x</location>\r\n"
                                      "\t\t<settings>rate=2</settings>\r\n"
                                      "\t</resource>\r\n"
                                      "</resources>");
    EXPECT_EQ(Describe(result_), Describe(list));
}

TEST_F(ResourceMergeTest, SaveOfEmptyCatalogueWritesEmptyRoot) {
    ResourceCatalog catalog;
    catalog.Load(folder_.Path("absent.xml").c_str());
    ASSERT_EQ(catalog.Save(result_.c_str()), 1);
    EXPECT_EQ(ReadBytes(result_), std::string(kXmlDeclaration) + "<resources/>");
}

TEST_F(ResourceMergeTest, SecondListElsewhereLeavesFirstUnchanged) {
    for (const char* name : {"Lists", "ListsOld", "Other"}) {
        ASSERT_TRUE(::CreateDirectoryA(folder_.Path(name).c_str(), nullptr));
    }
    const std::string first = Write("Lists\\first.xml", {{"1", "a", "x"}, {"2", "b", ""}});
    // A folder whose name begins with the first list's folder name is still outside it.
    for (const char* second : {"ListsOld\\second.xml", "Other\\second.xml"}) {
        SCOPED_TRACE(second);
        const std::string path = Write(second, {{"1", "a", "new"}, {"3", "c", ""}});
        ASSERT_TRUE(MergeResourceLists(result_.c_str(), first.c_str(), path.c_str()));
        EXPECT_EQ(Describe(result_), "1 a x\n2 b \n");
    }
}

TEST_F(ResourceMergeTest, MissingFirstListTakesSecondEntriesInsideItsFolder) {
    ASSERT_TRUE(::CreateDirectoryA(folder_.Path("sub").c_str(), nullptr));
    const std::string second = Write("sub\\second.xml", {{"4", "A", "s"}, {"5", "B", ""}});
    ASSERT_TRUE(MergeResourceLists(result_.c_str(), folder_.Path("absent.xml").c_str(), second.c_str()));
    EXPECT_EQ(Describe(result_), "4 sub\\A s\n5 sub\\B \n");
}

TEST_F(ResourceMergeTest, MissingSecondListWritesFirstAgain) {
    const std::string first = Write("first.xml", {{"1", "a", "x"}, {"-2", "b", ""}});
    ASSERT_TRUE(MergeResourceLists(result_.c_str(), first.c_str(), folder_.Path("absent.xml").c_str()));
    EXPECT_EQ(Describe(result_), "1 a x\n-2 b \n");
}

TEST_F(ResourceMergeTest, SecondListReplacesSamePathInOtherCaseAndMovesItLast) {
    const std::string first = Write("first.xml", {{"1", "Voices\\A", "old"}, {"2", "b", ""}, {"3", "c", ""}});
    const std::string second = Write("second.xml", {{"9", "VOICES\\a", "new"}, {"4", "d", "e"}, {"4", "D", "f"}});
    ASSERT_TRUE(MergeResourceLists(result_.c_str(), first.c_str(), second.c_str()));
    // The second list's later entry for one path wins too.
    EXPECT_EQ(Describe(result_), "2 b \n3 c \n9 VOICES\\a new\n4 D f\n");
    EXPECT_EQ(Describe(first), "1 Voices\\A old\n2 b \n3 c \n");
}

TEST_F(ResourceMergeTest, SecondListWinsOverEveryFirstListEntryForItsPath) {
    const std::string first = Write("first.xml", {{"1", "A", "old1"}, {"2", "a", "old2"}, {"3", "b", ""}});
    const std::string second = Write("second.xml", {{"9", "A", "new"}});
    ASSERT_TRUE(MergeResourceLists(result_.c_str(), first.c_str(), second.c_str()));
    EXPECT_EQ(Describe(result_), "3 b \n9 A new\n");
}

TEST_F(ResourceMergeTest, UnwritableResultLeavesNothing) {
    const std::string first = Write("first.xml", {{"1", "a", ""}});
    EXPECT_FALSE(MergeResourceLists(folder_.Path("no\\result.xml").c_str(), first.c_str(), first.c_str()));
    EXPECT_FALSE(MergeResourceLists(nullptr, first.c_str(), first.c_str()));
    EXPECT_EQ(ListFolder(folder_.Path()), "first.xml");
}

TEST_F(ResourceMergeTest, FullDiskLeavesTheOldResultAsItWas) {
    const std::string smallFolder = SmallFilesystemFolder();
    if (smallFolder.empty()) {
        GTEST_SKIP() << "no small filesystem (TLV_SMALL_FS) to fill";
    }
    const std::string result = smallFolder + "resources.xml";
    WriteBytes(result, "old");
    std::vector<ListItem> many;
    for (int i = 0; i < 2000; ++i) {
        many.push_back({std::to_string(i), "Voices\\Set" + std::to_string(i) + "\\voice.dat", "rate=1"});
    }
    const std::string first = Write("first.xml", many);
    EXPECT_FALSE(MergeResourceLists(result.c_str(), first.c_str(), folder_.Path("absent.xml").c_str()));
    EXPECT_EQ(ReadBytes(result), "old");
    ::DeleteFileA(result.c_str());
    EXPECT_EQ(ListFolder(smallFolder), "");  // no temporary file left
}

TEST_F(ResourceMergeTest, ResultMayReplaceTheFirstList) {
    const std::string first = Write("first.xml", {{"1", "a", ""}});
    const std::string second = Write("second.xml", {{"2", "b", ""}});
    ASSERT_TRUE(MergeResourceLists(first.c_str(), first.c_str(), second.c_str()));
    EXPECT_EQ(Describe(first), "1 a \n2 b \n");
    EXPECT_EQ(ListFolder(folder_.Path()), "first.xml second.xml");
}

class ResourceFolderCheckTest : public ResourceMergeTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(::CreateDirectoryA(folder_.Path("Voices").c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA(folder_.Path("Voices\\English").c_str(), nullptr));
        WriteBytes(folder_.Path("file.dat"), "x");
    }
};

TEST_F(ResourceFolderCheckTest, PassesOnlyWhenEveryLocationIsAFolder) {
    const struct {
        const char* name;
        std::vector<ListItem> items;
        bool passes;
    } cases[] = {
        {"all folders", {{"1", "Voices", ""}, {"2", "voices\\English", ""}}, true},
        {"one file", {{"1", "Voices", ""}, {"2", "file.dat", ""}}, false},
        {"one missing", {{"1", "Gone", ""}, {"2", "Voices", ""}}, false},
        {"trailing backslash", {{"1", "Voices\\", ""}}, false},
        {"wildcard matching a folder", {{"1", "Voi*", ""}}, true},
        {"wildcard matching a file first", {{"1", "file.*", ""}}, false},
        {"empty list", {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ResourceFoldersExist(Write("list.xml", c.items).c_str()), c.passes);
    }
    EXPECT_TRUE(ResourceFoldersExist(folder_.Path("absent.xml").c_str()));
    EXPECT_TRUE(ResourceFoldersExist(nullptr));
}

}  // namespace
}  // namespace tlv
