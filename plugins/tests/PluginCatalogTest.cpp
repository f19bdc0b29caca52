#include "plugins/PluginCatalog.h"

#include "common/UniqueHandle.h"
#include "plugins/tests/PluginListFiles.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tlv {
namespace {

using test::ComScope;
using test::Plugin;
using test::PluginList;
using test::TempFolder;
using test::WriteBytes;

class PluginCatalogTest : public ::testing::Test {
protected:
    void SetUp() override { WriteBytes(folder_.Path("a.dll"), "library"); }

    // Writes the list as plugins.xml in the temp folder and loads it.
    bool LoadList(const std::string& list) {
        WriteBytes(ListPath(), list);
        return catalog_.Load(ListPath().c_str());
    }
    std::string ListPath() const { return folder_.Path("plugins.xml"); }

    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (uint32_t i = 0; i < catalog_.Count(); ++i) {
            ids.push_back(catalog_.RecordAt(i)->Id());
        }
        return ids;
    }

    ComScope com_;
    TempFolder folder_;
    PluginCatalog catalog_;
};

TEST_F(PluginCatalogTest, EmptyPluginsElementLoadsWithoutRecords) {
    EXPECT_TRUE(LoadList(PluginList("")));
    EXPECT_EQ(catalog_.Count(), 0u);
    EXPECT_EQ(catalog_.RecordAt(0), nullptr);
}

TEST_F(PluginCatalogTest, ReadsEveryValueOfAPlugin) {
    WriteBytes(folder_.Path("p.ico"), test::IconFileBytes());
    ASSERT_TRUE(LoadList(PluginList(
        "<plugin><description>Draws</description><icon>p.ico</icon><name>Charts</name><internal>1</internal>"
        "<fullname>Charts Pro</fullname><autostart>true</autostart><lib>a.dll</lib><id>42</id></plugin>")));
    ASSERT_EQ(catalog_.Count(), 1u);
    const IPluginRecord& record = *catalog_.RecordAt(0);
    EXPECT_EQ(record.Id(), 42);
    EXPECT_STREQ(record.Lib(), "a.dll");
    EXPECT_EQ(record.LibraryPath(), folder_.Path("a.dll"));
    EXPECT_STREQ(record.Name(), "Charts");
    EXPECT_STREQ(record.FullName(), "Charts Pro");
    EXPECT_STREQ(record.Description(), "Draws");
    EXPECT_STREQ(record.Icon(), "p.ico");
    EXPECT_NE(record.IconHandle(), nullptr);
    EXPECT_EQ(record.IsInternal(), 1);
    EXPECT_EQ(record.IsAutostart(), 1);
}

TEST_F(PluginCatalogTest, MissingOptionalValuesGiveNoIconAndFalseFlags) {
    ASSERT_TRUE(LoadList(PluginList(Plugin("1", "a.dll"))));
    ASSERT_EQ(catalog_.Count(), 1u);
    const IPluginRecord& record = *catalog_.RecordAt(0);
    EXPECT_STREQ(record.Icon(), "");
    EXPECT_EQ(record.IconHandle(), nullptr);
    EXPECT_EQ(record.IsInternal(), 0);
    EXPECT_EQ(record.IsAutostart(), 0);
}

TEST_F(PluginCatalogTest, IconThatCannotBeLoadedLeavesANullHandle) {
    WriteBytes(folder_.Path("good.ico"), test::IconFileBytes());
    WriteBytes(folder_.Path("broken.ico"), "this is no icon");
    ASSERT_TRUE(LoadList(PluginList(Plugin("1", "a.dll", "<icon>good.ico</icon>") +
                                    Plugin("2", "a.dll", "<icon>broken.ico</icon>") +
                                    Plugin("3", "a.dll", "<icon>missing.ico</icon>") +
                                    Plugin("4", "a.dll", "<icon>" + folder_.Path("good.ico") + "</icon>"))));
    ASSERT_EQ(catalog_.Count(), 4u);
    EXPECT_NE(catalog_.RecordAt(0)->IconHandle(), nullptr);
    EXPECT_EQ(catalog_.RecordAt(1)->IconHandle(), nullptr);
    EXPECT_EQ(catalog_.RecordAt(2)->IconHandle(), nullptr);
    EXPECT_STREQ(catalog_.RecordAt(2)->Icon(), "missing.ico");
    EXPECT_NE(catalog_.RecordAt(3)->IconHandle(), nullptr);
}

TEST_F(PluginCatalogTest, FlagTexts) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {{"False", 0}, {"FALSE", 0}, {"false", 0}, {"0", 0},   {"", 0},
                          {"1", 1},     {"true", 1},  {"yes", 1},   {"no", 1},  {" 0", 1},
                          {"false ", 1}, {"00", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("flag text '") + c.text + "'");
        const std::string flags = std::string("<internal>") + c.text + "</internal><autostart>" + c.text +
                                  "</autostart>";
        ASSERT_TRUE(LoadList(PluginList(Plugin("1", "a.dll", flags))));
        ASSERT_EQ(catalog_.Count(), 1u);
        EXPECT_EQ(catalog_.RecordAt(0)->IsInternal(), c.expected);
        EXPECT_EQ(catalog_.RecordAt(0)->IsAutostart(), c.expected);
    }
}

TEST_F(PluginCatalogTest, EmptyFlagMayBeGivenAgain) {
    ASSERT_TRUE(LoadList(PluginList(
        Plugin("1", "a.dll", "<internal></internal><internal>1</internal><autostart/><autostart>1</autostart>"))));
    ASSERT_EQ(catalog_.Count(), 1u);
    EXPECT_EQ(catalog_.RecordAt(0)->IsInternal(), 1);
    EXPECT_EQ(catalog_.RecordAt(0)->IsAutostart(), 1);
}

TEST_F(PluginCatalogTest, IdTextsAreReadAsLeadingDecimalNumber) {
    ASSERT_TRUE(LoadList(PluginList(Plugin("5", "a.dll") + Plugin("abc", "a.dll") + Plugin("0", "a.dll") +
                                    Plugin("12abc", "a.dll") + Plugin("-3", "a.dll") + Plugin(" +8", "a.dll") +
                                    Plugin("99999999999", "a.dll"))));
    EXPECT_EQ(Ids(), (std::vector<int>{5, 12, -3, 8, 2147483647}));
}

TEST_F(PluginCatalogTest, PluginMissingANeededValueIsDroppedAlone) {
    const char* const needed[] = {"id", "lib", "name", "fullname", "description"};
    for (const char* name : needed) {
        SCOPED_TRACE(name);
        std::string partial = Plugin("2", "a.dll");
        const std::string element = std::string("<") + name + ">";
        const size_t start = partial.find(element);
        partial.erase(start, partial.find('<', start + 1) - start + element.size() + 1);
        ASSERT_TRUE(LoadList(PluginList(Plugin("1", "a.dll") + partial + Plugin("3", "a.dll"))));
        EXPECT_EQ(Ids(), (std::vector<int>{1, 3}));
    }
}

TEST_F(PluginCatalogTest, FaultsRefuseTheWholeDocument) {
    const std::string good = Plugin("1", "a.dll");
    struct Case {
        const char* what;
        std::string list;
    };
    const Case cases[] = {
        {"root Plugins", "<Plugins>" + good + "</Plugins>"},
        {"other child of plugins", PluginList(good + "<plug/>")},
        {"other child of plugin", PluginList(Plugin("2", "a.dll", "<version>1</version>"))},
        {"element inside a value", PluginList(Plugin("2", "a.dll", "<icon><b>x</b></icon>"))},
        {"empty id", PluginList(good + "<plugin><id></id></plugin>")},
        {"empty lib", PluginList(good + "<plugin><lib/></plugin>")},
        {"empty name", PluginList(good + "<plugin><name></name></plugin>")},
        {"empty fullname", PluginList(good + "<plugin><fullname></fullname></plugin>")},
        {"empty description", PluginList(good + "<plugin><description></description></plugin>")},
        {"empty icon", PluginList(Plugin("2", "a.dll", "<icon></icon>"))},
        {"name twice", PluginList(Plugin("2", "a.dll", "<name>again</name>"))},
        {"internal twice", PluginList(Plugin("2", "a.dll", "<internal>1</internal><internal>0</internal>"))},
        {"malformed", PluginList(good + "<plugin><id>2</plugin>")},
        {"cut short", PluginList(good).substr(0, PluginList(good).size() - 4)},
        {"not XML", "plugins"},
        {"empty file", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(LoadList(c.list));
        EXPECT_EQ(catalog_.Count(), 0u);
    }
}

// Entities that expand to a huge text, and a document nested far deeper than a plugin list goes.
TEST_F(PluginCatalogTest, HostileDocumentsEndPromptly) {
    std::string entities = "<!DOCTYPE plugins [<!ENTITY e0 \"AAAAAAAAAA\">";
    for (int level = 1; level < 10; ++level) {
        const std::string previous = "&e" + std::to_string(level - 1) + ";";
        std::string expansion;
        for (int copy = 0; copy < 10; ++copy) {
            expansion += previous;
        }
        entities += "<!ENTITY e" + std::to_string(level) + " \"" + expansion + "\">";
    }
    entities += "]>";
    std::string deep;
    for (int level = 0; level < 100000; ++level) {
        deep += "<plugins>";
    }
    const std::string documents[] = {
        entities + PluginList(Plugin("1", "a.dll", "", "&e9;")),
        deep,
    };
    for (const std::string& document : documents) {
        SCOPED_TRACE(document.substr(0, 40));
        EXPECT_FALSE(LoadList(document));
        EXPECT_EQ(catalog_.Count(), 0u);
    }
}

TEST_F(PluginCatalogTest, MissingEmptyOrFolderPathIsUnreadable) {
    ASSERT_TRUE(::CreateDirectoryA(folder_.Path("list.xml").c_str(), nullptr));
    const std::string paths[] = {folder_.Path("missing.xml"), folder_.Path("list.xml"), folder_.Path("nowhere\\x.xml"),
                                 ""};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(catalog_.Load(path.c_str()));
    }
    EXPECT_FALSE(catalog_.Load(nullptr));
}

TEST_F(PluginCatalogTest, FailedLoadEmptiesACatalogueThatHeldRecords) {
    ASSERT_TRUE(LoadList(PluginList(Plugin("1", "a.dll") + Plugin("2", "a.dll"))));
    ASSERT_EQ(catalog_.Count(), 2u);
    EXPECT_FALSE(catalog_.Load(folder_.Path("missing.xml").c_str()));
    EXPECT_EQ(catalog_.Count(), 0u);
    ASSERT_TRUE(LoadList(PluginList(Plugin("3", "a.dll"))));
    EXPECT_EQ(Ids(), (std::vector<int>{3}));
}

TEST_F(PluginCatalogTest, SameNumberTwiceKeepsBothInFileOrder) {
    ASSERT_TRUE(LoadList(PluginList(Plugin("4", "a.dll", "<icon>first</icon>") +
                                    Plugin("4", "a.dll", "<icon>second</icon>"))));
    ASSERT_EQ(catalog_.Count(), 2u);
    EXPECT_STREQ(catalog_.RecordAt(0)->Icon(), "first");
    EXPECT_STREQ(catalog_.RecordAt(1)->Icon(), "second");
}

TEST_F(PluginCatalogTest, ValueInSeveralPiecesIsJoinedAsItStands) {
    ASSERT_TRUE(LoadList(PluginList(
        "<plugin><id>1</id><lib>a.dll</lib><name>A&amp;B</name><fullname>x<!-- note -->y</fullname>"
        "<description>  two\r\n lines  </description></plugin>")));
    ASSERT_EQ(catalog_.Count(), 1u);
    EXPECT_STREQ(catalog_.RecordAt(0)->Name(), "A&B");
    EXPECT_STREQ(catalog_.RecordAt(0)->FullName(), "xy");
    EXPECT_STREQ(catalog_.RecordAt(0)->Description(), "  two\n lines  ");
}

TEST_F(PluginCatalogTest, AttributesAndTextBetweenElementsAreIgnored) {
    ASSERT_TRUE(LoadList(PluginList("stray<plugin kind=\"x\">text<id base=\"16\">10</id><lib>a.dll</lib>"
                                    "<name>n</name>more<fullname>f</fullname><description>d</description>"
                                    "</plugin>")));
    EXPECT_EQ(Ids(), (std::vector<int>{10}));
}

TEST_F(PluginCatalogTest, LibraryThatIsMissingOrAFolderDropsThePlugin) {
    ASSERT_TRUE(::CreateDirectoryA(folder_.Path("folder.dll").c_str(), nullptr));
    ASSERT_TRUE(LoadList(PluginList(Plugin("1", "missing.dll") + Plugin("2", "folder.dll") + Plugin("3", "*.exe") +
                                    Plugin("4", "folder.dl?") + Plugin("5", "a.dll"))));
    EXPECT_EQ(Ids(), (std::vector<int>{5}));
}

// A character outside the code page reaches the catalogue as "?", and the search still finds the file.
TEST_F(PluginCatalogTest, LibraryNamedOutsideTheCodePageIsFound) {
    const std::string folder = folder_.Path();
    const std::wstring library = std::wstring(folder.begin(), folder.end()) + L"lib\x4E2D.dll";
    const UniqueFile file(::CreateFileW(library.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file.IsValid());
    ASSERT_TRUE(LoadList(PluginList(Plugin("1", "lib\xE4\xB8\xAD.dll") + Plugin("2", "a.dl?"))));
    EXPECT_EQ(Ids(), (std::vector<int>{1, 2}));
}

TEST_F(PluginCatalogTest, LibrariesResolveAgainstTheListFolder) {
    TempFolder elsewhere;
    WriteBytes(elsewhere.Path("abs.dll"), "library");
    ASSERT_TRUE(::CreateDirectoryA(folder_.Path("bin").c_str(), nullptr));
    WriteBytes(folder_.Path("bin\\x.dll"), "library");
    ASSERT_TRUE(LoadList(PluginList(Plugin("1", "bin\\x.dll") + Plugin("2", elsewhere.Path("abs.dll")))));
    ASSERT_EQ(catalog_.Count(), 2u);
    EXPECT_EQ(catalog_.RecordAt(0)->LibraryPath(), folder_.Path("bin\\x.dll"));
    EXPECT_STREQ(catalog_.RecordAt(0)->Lib(), "bin\\x.dll");
    EXPECT_EQ(catalog_.RecordAt(1)->LibraryPath(), elsewhere.Path("abs.dll"));
}

TEST(PluginCatalogPaths, ResolvePath) {
    struct Case {
        const char* listPath;
        const char* value;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Data\\plugins.xml", "bin\\x.dll", "C:\\Data\\bin\\x.dll"},
        {"C:\\Data\\plugins.xml", "D:\\x.dll", "D:\\x.dll"},
        {"C:\\Data\\plugins.xml", "D:x.dll", "D:x.dll"},
        {"C:\\Data\\plugins.xml", "\\\\server\\share\\x.dll", "C:\\Data\\\\\\server\\share\\x.dll"},
        {"C:\\Data\\plugins.xml", "D:", "C:\\Data\\D:"},
        {"C:/Data/plugins.xml", "x.dll", "C:/Data/x.dll"},
        {"plugins.xml", "x.dll", "x.dll"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.listPath) + " + " + c.value);
        EXPECT_EQ(PluginCatalog::ResolvePath(c.listPath, c.value), c.expected);
    }
}

// Folders and files under a base folder at paths longer than the 8-bit file functions take, made and
// removed through the UTF-16 functions.
class LongPathTree {
public:
    explicit LongPathTree(std::string base) : path_(std::move(base)) {}
    LongPathTree(const LongPathTree&) = delete;
    LongPathTree& operator=(const LongPathTree&) = delete;
    ~LongPathTree() {
        for (auto item = created_.rbegin(); item != created_.rend(); ++item) {
            const std::wstring wide = Wide(item->first);
            item->second ? ::RemoveDirectoryW(wide.c_str()) : ::DeleteFileW(wide.c_str());
        }
    }

    // Adds folders below the last one until its path is at least length characters; returns the path
    // relative to the base, ending in a backslash.
    std::string Deepen(size_t length) {
        const size_t start = path_.size();
        while (path_.size() < length) {
            path_ += std::string(60, 'd') + "\\";
            EXPECT_TRUE(::CreateDirectoryW(Wide(path_).c_str(), nullptr)) << path_.size();
            created_.emplace_back(path_, true);
        }
        return path_.substr(start);
    }
    const std::string& Folder() const { return path_; }
    void WriteFile(const std::string& name, const std::string& bytes) {
        const std::string path = path_ + name;
        const HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path.size();
        created_.emplace_back(path, false);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
    }

private:
    static std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

    std::string path_;
    std::vector<std::pair<std::string, bool>> created_;  // path, is a folder
};

// Long paths are read whole or the list is unreadable: never cut into another path, and never a
// plugin dropped only because its library's path is too long to check.
TEST_F(PluginCatalogTest, LongListPathIsReadWholeOrUnreadable) {
    LongPathTree tree(folder_.Path());
    tree.Deepen(400);
    tree.WriteFile("plugins.xml", PluginList(Plugin("1", "a.dll")));
    tree.WriteFile("a.dll", "library");
    const std::string listPath = tree.Folder() + "plugins.xml";
    if (catalog_.Load(listPath.c_str())) {
        ASSERT_EQ(catalog_.Count(), 1u);
        EXPECT_EQ(catalog_.RecordAt(0)->LibraryPath(), tree.Folder() + "a.dll");
    } else {
        EXPECT_EQ(catalog_.Count(), 0u);
    }
}

TEST_F(PluginCatalogTest, LongLibraryPathIsReadWholeOrTheListIsUnreadable) {
    LongPathTree tree(folder_.Path());
    const std::string lib = tree.Deepen(600) + "x.dll";
    tree.WriteFile("x.dll", "library");
    if (LoadList(PluginList(Plugin("1", "a.dll") + Plugin("2", lib)))) {
        EXPECT_EQ(Ids(), (std::vector<int>{1, 2}));
        EXPECT_EQ(catalog_.RecordAt(1)->LibraryPath(), folder_.Path(lib));
    } else {
        EXPECT_EQ(catalog_.Count(), 0u);
    }
}

}  // namespace
}  // namespace tlv
