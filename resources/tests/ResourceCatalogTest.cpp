#include "resources/ResourceCatalog.h"

#include "resources/tests/ResourceLists.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>

namespace tlv {
namespace {

using test::ComScope;
using test::ListItem;
using test::ListXml;
using test::TempFolder;
using test::WithoutTrailingBackslash;
using test::WriteBytes;

class ResourceCatalogTest : public ::testing::Test {
protected:
    // Reads a list file holding xml; the catalogue's folder is the temporary folder.
    ResourceCatalog& Read(const std::string& xml) {
        const std::string path = folder_.Path("list.xml");
        WriteBytes(path, xml);
        EXPECT_EQ(catalog_.Load(path.c_str()), 1);
        return catalog_;
    }

    std::string Folder() const { return WithoutTrailingBackslash(folder_.Path()); }

    ComScope com_;
    TempFolder folder_;
    ResourceCatalog catalog_;
};

TEST_F(ResourceCatalogTest, RootSpelledWithCapitalGivesEmptyCatalogue) {
    Read("<Resources><resource><id>1</id><location>A</location></resource></Resources>");
    EXPECT_EQ(catalog_.Count(), 0);
    EXPECT_EQ(catalog_.Folder(), Folder());
}

TEST_F(ResourceCatalogTest, ReadsEntryWithoutSettings) {
    Read("<resources><resource><id>7</id><location>Robot</location></resource></resources>");
    ASSERT_EQ(catalog_.Count(), 1);
    IResourceEntry* entry = catalog_.EntryAt(0);
    EXPECT_EQ(entry->Id(), 7);
    EXPECT_STREQ(entry->Location(), "Robot");
    EXPECT_STREQ(entry->Settings(), "");
    EXPECT_EQ(std::string(entry->FullPath()), Folder() + "\\Robot");
    EXPECT_EQ(catalog_.ReferenceCount(), 1u);  // the reader has let go
}

TEST_F(ResourceCatalogTest, TakesChildrenInAnyOrderAndTextsVerbatim) {
    Read("<resources><resource><settings> a &amp; b </settings><location> Robot</location><id>2</id>"
         "</resource></resources>");
    ASSERT_EQ(catalog_.Count(), 1);
    EXPECT_STREQ(catalog_.EntryAt(0)->Settings(), " a & b ");
    EXPECT_STREQ(catalog_.EntryAt(0)->Location(), " Robot");
    EXPECT_EQ(std::string(catalog_.EntryAt(0)->FullPath()), Folder() + "\\ Robot");
}

TEST_F(ResourceCatalogTest, ReadsIdTextsAsDecimal) {
    Read(ListXml({{"12abc", "a", ""}, {" 7", "b", ""}, {"-3", "c", ""}, {"letters", "d", ""}}));
    ASSERT_EQ(catalog_.Count(), 4);
    const int expected[] = {12, 7, -3, 0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(catalog_.EntryAt(i)->Id(), expected[i]) << i;
    }
}

TEST_F(ResourceCatalogTest, EmptyIdMayBeGivenAgain) {
    Read("<resources><resource><id></id><location>a</location><id>5</id></resource></resources>");
    ASSERT_EQ(catalog_.Count(), 1);
    EXPECT_EQ(catalog_.EntryAt(0)->Id(), 5);
}

// Each document holds a good entry, then a fault, then another good entry: reading stops at the fault.
TEST_F(ResourceCatalogTest, FaultStopsReadingAndKeepsEarlierEntries) {
    const std::string good = "<resource><id>1</id><location>first</location></resource>";
    const std::string after = "<resource><id>3</id><location>after</location></resource>";
    const struct {
        const char* name;
        std::string fault;
    } cases[] = {
        {"second non-empty id", "<resource><id>2</id><location>b</location><id>4</id></resource>"},
        {"unknown child", "<resource><id>2</id><name>b</name><location>b</location></resource>"},
        {"empty location", "<resource><id>2</id><location></location></resource>"},
        {"missing id", "<resource><location>b</location></resource>"},
        {"other element in the list", "<plugin><id>2</id><location>b</location></plugin>"},
        {"broken document", "<resource><id>2</id><location>b</location></resourc>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Read("<resources>" + good + c.fault + after + "</resources>");
        ASSERT_EQ(catalog_.Count(), 1);
        EXPECT_STREQ(catalog_.EntryAt(0)->Location(), "first");
    }
}

TEST_F(ResourceCatalogTest, IgnoresElementsNestedInChildren) {
    // A child's text is what follows the last element nested in it.
    Read("<resources><resource><id><x>9</x>1</id><location>x<b>y</b>Robot</location></resource></resources>");
    ASSERT_EQ(catalog_.Count(), 1);
    EXPECT_EQ(catalog_.EntryAt(0)->Id(), 1);
    EXPECT_STREQ(catalog_.EntryAt(0)->Location(), "Robot");
}

TEST_F(ResourceCatalogTest, MissingFileGivesEmptyCatalogueWithItsFolder) {
    EXPECT_EQ(catalog_.Load(folder_.Path("absent.xml").c_str()), 1);
    EXPECT_EQ(catalog_.Count(), 0);
    EXPECT_EQ(catalog_.Folder(), Folder());
}

TEST_F(ResourceCatalogTest, LoadAfterARefusedEntryStartsAfresh) {
    Read("<resources><resource><id>1</id><location>a</location><bad/></resource></resources>");
    EXPECT_EQ(catalog_.Count(), 0);
    Read(ListXml({{"2", "b", ""}}));
    EXPECT_EQ(catalog_.Count(), 1);
}

TEST_F(ResourceCatalogTest, LoadReplacesEarlierEntries) {
    Read(ListXml({{"1", "a", ""}, {"2", "b", ""}}));
    Read(ListXml({{"3", "c", ""}}));
    ASSERT_EQ(catalog_.Count(), 1);
    EXPECT_EQ(catalog_.CountWithId(1), 0);
    EXPECT_EQ(catalog_.Find("a"), nullptr);
}

TEST_F(ResourceCatalogTest, KeepsEntriesWithOneIdInGroups) {
    Read(ListXml({{"4", "a", ""}, {"5", "b", ""}, {"4", "c", ""}}));
    EXPECT_EQ(catalog_.CountWithId(4), 2);
    EXPECT_STREQ(catalog_.EntryWithId(4, 1)->Location(), "c");
    catalog_.Remove(catalog_.EntryWithId(4, 0));
    EXPECT_EQ(catalog_.CountWithId(4), 1);
    EXPECT_STREQ(catalog_.EntryWithId(4, 0)->Location(), "c");
    EXPECT_EQ(catalog_.EntryWithId(4, 1), nullptr);
    EXPECT_EQ(catalog_.CountWithId(6), 0);
    EXPECT_EQ(catalog_.EntryWithId(6, 0), nullptr);
    EXPECT_EQ(catalog_.Count(), 2);
}

TEST_F(ResourceCatalogTest, FindsByLocationThenByFullPathInAnyCase) {
    Read(ListXml({{"1", "robot", ""}, {"2", "Other", ""}}));
    EXPECT_EQ(catalog_.Find("ROBOT"), catalog_.EntryAt(0));
    std::string fullPath = catalog_.EntryAt(1)->FullPath();
    for (char& c : fullPath) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    EXPECT_EQ(catalog_.Find(fullPath.c_str()), catalog_.EntryAt(1));
    EXPECT_EQ(catalog_.Find("Robo"), nullptr);
    EXPECT_EQ(catalog_.Find(nullptr), nullptr);
}

TEST_F(ResourceCatalogTest, FindPrefersAnyLocationMatchToAFullPathMatch) {
    // The first entry's full path equals the second entry's location.
    const std::string first = Folder() + "\\x";
    Read(ListXml({{"1", "x", ""}, {"2", first, ""}}));
    EXPECT_EQ(catalog_.Find(first.c_str()), catalog_.EntryAt(1));
}

// Many entries sharing an id and a location: removals anywhere keep the order of what remains.
TEST_F(ResourceCatalogTest, RemovalsKeepOrderAndFirstMatch) {
    std::vector<ListItem> items;
    for (int i = 0; i < 30; ++i) {
        items.push_back({"9", "same", std::to_string(i)});
    }
    Read(ListXml(items));
    for (int i = 0; i < 30; i += 3) {
        catalog_.Remove(catalog_.EntryAt(i - i / 3));
    }
    ASSERT_EQ(catalog_.Count(), 20);
    ASSERT_EQ(catalog_.CountWithId(9), 20);
    int expected = 1;
    for (int i = 0; i < 20; ++i, ++expected) {
        if (expected % 3 == 0) {
            ++expected;
        }
        EXPECT_EQ(std::string(catalog_.EntryAt(i)->Settings()), std::to_string(expected));
        EXPECT_EQ(catalog_.EntryWithId(9, i), catalog_.EntryAt(i));
    }
    EXPECT_EQ(catalog_.Find("SAME"), catalog_.EntryAt(0));
    catalog_.Remove(catalog_.EntryAt(0));
    EXPECT_EQ(catalog_.Find("SAME"), catalog_.EntryAt(0));
}

// The indexes against a plain list walked in order, through many adds, finds and removals of paths
// that repeat in other letter cases.
TEST_F(ResourceCatalogTest, IndexesAgreeWithAPlainWalk) {
    struct Plain {
        int id;
        std::string location;
        std::string fullPath;
    };
    const auto same = [](const std::string& a, const std::string& b) {
        return a.size() == b.size() && ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(),
                                                        static_cast<int>(a.size()), b.data(),
                                                        static_cast<int>(b.size())) == CSTR_EQUAL;
    };
    const char* const names[] = {"a", "A", "Voices\\b", "VOICES\\B", "c.dat", "C.Dat", "d", "e"};
    unsigned seed = 12345;
    const auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    // Only a list read in can name one path twice: Add returns the entry present.
    std::vector<ListItem> items;
    std::vector<Plain> plain;
    for (int i = 0; i < 60; ++i) {
        const int id = static_cast<int>(next(4));
        const std::string name = names[next(8)];
        items.push_back({std::to_string(id), name, ""});
        plain.push_back({id, name, Folder() + "\\" + name});
    }
    Read(ListXml(items));
    for (int step = 0; step < 3000; ++step) {
        std::string text = names[next(8)];
        if (next(2) == 0) {
            text = Folder() + "\\" + text;
        }
        const auto byLocation = std::find_if(plain.begin(), plain.end(), [&](const Plain& p) { return same(p.location, text); });
        const auto found = byLocation != plain.end()
                               ? byLocation
                               : std::find_if(plain.begin(), plain.end(), [&](const Plain& p) { return same(p.fullPath, text); });
        IResourceEntry* entry = catalog_.Find(text.c_str());
        ASSERT_EQ(entry == nullptr, found == plain.end()) << step;
        if (entry == nullptr) {
            const int id = static_cast<int>(next(4));
            ASSERT_NE(catalog_.Add(id, text.c_str(), ""), nullptr);
            const std::string fullPath = text.size() > 2 && text[1] == ':' ? text : Folder() + "\\" + text;
            plain.push_back({id, fullPath.substr(Folder().size() + 1), fullPath});
            continue;
        }
        ASSERT_EQ(std::string(entry->FullPath()), found->fullPath) << step;
        if (next(3) != 0) {
            catalog_.Remove(entry);
            plain.erase(found);
        }
        ASSERT_EQ(catalog_.Count(), static_cast<int>(plain.size()));
        for (size_t i = 0; i < plain.size(); ++i) {
            ASSERT_EQ(std::string(catalog_.EntryAt(static_cast<int>(i))->FullPath()), plain[i].fullPath);
        }
        const int id = static_cast<int>(next(4));
        const auto withId = std::count_if(plain.begin(), plain.end(), [id](const Plain& p) { return p.id == id; });
        ASSERT_EQ(catalog_.CountWithId(id), withId);
    }
}

TEST_F(ResourceCatalogTest, RemoveLeavesEntriesOfOtherCataloguesAlone) {
    Read(ListXml({{"1", "a", ""}}));
    ResourceCatalog other;
    other.Load(folder_.Path("list.xml").c_str());
    catalog_.Remove(other.EntryAt(0));
    catalog_.Remove(nullptr);
    EXPECT_EQ(catalog_.Count(), 1);
    ASSERT_EQ(other.Count(), 1);
    EXPECT_STREQ(other.EntryAt(0)->Location(), "a");
}

class ResourceCatalogAddTest : public ::testing::Test {
protected:
    void SetUp() override { catalog_.Load("D:\\Lists\\list.xml"); }  // no such file: an empty list

    ComScope com_;
    ResourceCatalog catalog_;
};

TEST_F(ResourceCatalogAddTest, AddsPathsInsideTheFolder) {
    IResourceEntry* relative = catalog_.Add(3, "Voices\\A", "s");
    ASSERT_NE(relative, nullptr);
    EXPECT_EQ(relative->Id(), 3);
    EXPECT_STREQ(relative->Location(), "Voices\\A");
    EXPECT_STREQ(relative->FullPath(), "D:\\Lists\\Voices\\A");
    EXPECT_STREQ(relative->Settings(), "s");

    IResourceEntry* absolute = catalog_.Add(-4, "d:\\lists\\B", nullptr);
    ASSERT_NE(absolute, nullptr);
    EXPECT_STREQ(absolute->Location(), "B");
    EXPECT_STREQ(absolute->FullPath(), "d:\\lists\\B");
    EXPECT_EQ(absolute->Id(), -4);
    EXPECT_EQ(catalog_.Count(), 2);
}

TEST_F(ResourceCatalogAddTest, ReturnsThePresentEntryUnchanged) {
    IResourceEntry* first = catalog_.Add(3, "Voices\\A", "old");
    EXPECT_EQ(catalog_.Add(8, "D:\\LISTS\\voices\\a", "new"), first);
    EXPECT_EQ(catalog_.Add(8, "VOICES\\A", "new"), first);
    EXPECT_EQ(first->Id(), 3);
    EXPECT_STREQ(first->Settings(), "old");
    EXPECT_EQ(catalog_.Count(), 1);
}

TEST_F(ResourceCatalogAddTest, RefusesPathsOutsideTheFolder) {
    for (const char* path : {"E:\\Other\\A", "D:\\ListsOld\\A", "D:\\Lists", "D:\\Lists\\", "", "D:\\List"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(catalog_.Add(1, path, ""), nullptr);
    }
    EXPECT_EQ(catalog_.Add(1, nullptr, ""), nullptr);
    EXPECT_EQ(catalog_.Count(), 0);
}

// A path that starts with a backslash names its own place: joined to the folder it would name a path
// inside it that does not exist.
TEST_F(ResourceCatalogAddTest, PathsStartingWithABackslashAreNotJoinedToTheFolder) {
    for (const char* path : {"\\\\server\\share\\Lists\\A", "\\Lists\\A", "\\\\?\\D:\\Lists\\A"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(catalog_.Add(1, path, ""), nullptr);
    }
    ResourceCatalog network;
    network.Load("\\\\server\\share\\Lists\\list.xml");
    IResourceEntry* entry = network.Add(1, "\\\\SERVER\\share\\Lists\\A", "");
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->Location(), "A");
    EXPECT_STREQ(entry->FullPath(), "\\\\SERVER\\share\\Lists\\A");
}

TEST_F(ResourceCatalogAddTest, HandlesPathsLongerThanTheWindowsLimit) {
    const std::string name(300, 'n');
    IResourceEntry* entry = catalog_.Add(1, (name + "\\" + name).c_str(), "");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(std::string(entry->Location()), name + "\\" + name);
    EXPECT_EQ(std::string(entry->FileName()), name);

    ResourceCatalog deep;
    const std::string folder = "C:\\" + name;
    deep.Load((folder + "\\list.xml").c_str());
    EXPECT_EQ(deep.Folder(), folder);
    ASSERT_NE(deep.Add(2, "x", ""), nullptr);
    EXPECT_EQ(std::string(deep.EntryAt(0)->FullPath()), folder + "\\x");
}

// Sets an environment variable for one test, and restores it afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        char old[32768];
        const DWORD length = ::GetEnvironmentVariableA(name, old, sizeof(old));
        if (length > 0 && length < sizeof(old)) {
            old_ = std::string(old, length);
        }
        ::SetEnvironmentVariableA(name, value);
    }
    ~ScopedEnvironment() { ::SetEnvironmentVariableA(name_.c_str(), old_ ? old_->c_str() : nullptr); }

private:
    std::string name_;
    std::optional<std::string> old_;
};

TEST_F(ResourceCatalogAddTest, AddsUserResourcesUnderThePerUserFolder) {
    ScopedEnvironment appData("APPDATA", "C:\\Users\\u\\AppData\\Roaming");
    IResourceEntry* entry = catalog_.AddUserResource(6, "Sets\\Voice.dat", "s");
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->FullPath(), "C:\\Users\\u\\AppData\\Roaming\\Orbenk\\TLV7\\Voices\\Voice.dat");
    EXPECT_STREQ(entry->Location(), "Voice.dat");
    EXPECT_EQ(catalog_.AddUserResource(7, "voices\\VOICE.DAT", ""), entry);
    EXPECT_EQ(catalog_.AddUserResource(7, entry->FullPath(), ""), entry);
    EXPECT_EQ(catalog_.AddUserResource(7, "Sets\\", ""), nullptr);
    EXPECT_EQ(catalog_.Count(), 1);
}

TEST_F(ResourceCatalogAddTest, AddUserResourceNeedsAppData) {
    for (const char* value : {static_cast<const char*>(nullptr), ""}) {
        ScopedEnvironment appData("APPDATA", value);
        EXPECT_EQ(catalog_.AddUserResource(6, "Voice.dat", ""), nullptr);
    }
    EXPECT_EQ(catalog_.Count(), 0);
}

TEST(ResourceCatalogProgramFolderTest, BareListNameIsReadFromTheProgramFolder) {
    ComScope com;
    const std::string name = "resources-" + std::to_string(::GetCurrentProcessId()) + ".xml";
    const std::string programFolder = test::ProgramFolder();
    WriteBytes(programFolder + name, ListXml({{"1", "a", ""}}));
    ResourceCatalog catalog;
    EXPECT_EQ(catalog.Load(name.c_str()), 1);
    ::DeleteFileA((programFolder + name).c_str());
    EXPECT_EQ(catalog.Folder(), WithoutTrailingBackslash(programFolder));
    ASSERT_EQ(catalog.Count(), 1);
    IResourceEntry* added = catalog.Add(2, "b", "");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(std::string(added->FullPath()), programFolder + "b");
}

TEST(ResourceCatalogOpenTest, OpenGivesACatalogueEvenForAMissingList) {
    ComScope com;
    const UniqueResourceCatalog catalog(OpenResourceCatalog("Z:\\no\\such\\list.xml"));
    ASSERT_NE(catalog, nullptr);
    EXPECT_EQ(catalog->Count(), 0);
    EXPECT_NE(catalog->Add(1, "x", ""), nullptr);
}

}  // namespace
}  // namespace tlv
