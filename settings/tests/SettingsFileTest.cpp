#include "settings/SettingsStore.h"

#include "common/UniqueHandle.h"
#include "settings/tests/SettingsDump.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tlv {
namespace {

using test::ComScope;
using test::Dump;
using test::FileExists;
using test::ListFolder;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using test::kXmlDeclaration;

struct FileForm {
    const char* name;
    int32_t asXml;
    const char* emptyStoreFile;  // what an empty store is saved as
};

void PrintTo(const FileForm& form, std::ostream* out) { *out << form.name; }

class SettingsFileTest : public ::testing::TestWithParam<FileForm> {
protected:
    int32_t AsXml() const { return GetParam().asXml; }

    int32_t SaveTo(SettingsStore& store, const std::string& path) {
        store.SetPath(path.c_str());
        store.SetFormat(AsXml());
        return store.Save();
    }

    std::string Reload(const std::string& path) {
        SettingsStore store;
        store.Load(path.c_str(), AsXml());
        return Dump(store);
    }

    ComScope com_;
    TempFolder folder_;
};

TEST_P(SettingsFileTest, StoreRoundTripsWithNamesOrderAndValues) {
    SettingsStore store;
    store.SetString("common", "id", "42");
    store.SetString("My Group", "1st", "a < b & c > d");
    store.SetString("My Group", "two words", "line one\nline two");
    store.SetString("caf\xE9", "\xE9t\xE9", "\xE0 la carte");
    store.SetString("COMMON", "Name", "Talvesta");
    const std::string path = folder_.Path("settings.dat");
    ASSERT_EQ(SaveTo(store, path), 1);
    EXPECT_EQ(Reload(path), "common: id=42, Name=Talvesta; "
                            "My Group: 1st=a < b & c > d, two words=line one\nline two; "
                            "caf\xE9: \xE9t\xE9=\xE0 la carte");
}

TEST_P(SettingsFileTest, EmptyStoreWritesAnEmptyDocument) {
    SettingsStore store;
    const std::string path = folder_.Path("empty.dat");
    ASSERT_EQ(SaveTo(store, path), 1);
    EXPECT_EQ(ReadBytes(path), GetParam().emptyStoreFile);
    EXPECT_EQ(Reload(path), "");
}

TEST_P(SettingsFileTest, FailedSaveLeavesTheOldFileAndNoStrayFiles) {
    const std::string path = folder_.Path("settings.dat");
    WriteBytes(path, "old content");
    SettingsStore store;
    store.SetString("g", "k", "v");
    {
        // Another program holds the file open without sharing: it cannot be replaced.
        const UniqueFile held(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.IsValid());
        EXPECT_EQ(SaveTo(store, path), 0);
    }
    EXPECT_EQ(ReadBytes(path), "old content");
    EXPECT_EQ(ListFolder(folder_.Path()), "settings.dat");
}

TEST_P(SettingsFileTest, SaveIntoMissingFolderFailsAndCreatesNothing) {
    SettingsStore store;
    store.SetString("g", "k", "v");
    EXPECT_EQ(SaveTo(store, folder_.Path("missing\\settings.dat")), 0);
    EXPECT_EQ(ListFolder(folder_.Path()), "");
}

TEST_P(SettingsFileTest, SaveReplacesALongerFile) {
    const std::string path = folder_.Path("settings.dat");
    WriteBytes(path, std::string(100000, 'x'));
    SettingsStore store;
    store.SetString("g", "k", "v");
    ASSERT_EQ(SaveTo(store, path), 1);
    EXPECT_LT(ReadBytes(path).size(), 200u);
    EXPECT_EQ(Reload(path), "g: k=v");
}

TEST_P(SettingsFileTest, UnreadableSourcesLeaveTheStoreEmptyButLoaded) {
    const std::string names[] = {folder_.Path("missing.dat"), folder_.Path()};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        SettingsStore store;
        store.Load(name.c_str(), AsXml());
        EXPECT_EQ(store.GroupCount(), 0u);
        EXPECT_EQ(store.IsUnloaded(), 0);
        EXPECT_STREQ(store.GetString("common", "name", "default"), "default");
    }
}

TEST_P(SettingsFileTest, LoadingAnotherFileDiscardsEverythingOfTheFirst) {
    SettingsStore first;
    first.SetString("a", "k", "1");
    first.SetString("b", "k", "2");
    ASSERT_EQ(SaveTo(first, folder_.Path("first.dat")), 1);
    SettingsStore second;
    second.SetString("b", "other", "3");
    ASSERT_EQ(SaveTo(second, folder_.Path("second.dat")), 1);

    SettingsStore store;
    store.Load(folder_.Path("first.dat").c_str(), AsXml());
    store.Load(folder_.Path("second.dat").c_str(), AsXml());
    EXPECT_EQ(Dump(store), "b: other=3");
    EXPECT_EQ(store.Path(), folder_.Path("second.dat"));
}

INSTANTIATE_TEST_SUITE_P(Forms, SettingsFileTest,
                         ::testing::Values(FileForm{"Xml", 1, "<?xml version=\"1.0\" encoding=\"UTF-8\" "
                                                                  "standalone=\"yes\"?>\r\n<settings/>"},
                                           FileForm{"Text", 0, ""}),
                         [](const ::testing::TestParamInfo<FileForm>& info) { return info.param.name; });

class SettingsXmlFileTest : public ::testing::Test {
protected:
    std::string Read(const std::string& document) {
        const std::string path = folder_.Path("settings.xml");
        WriteBytes(path, document);
        SettingsStore store;
        store.Load(path.c_str(), 1);
        return Dump(store);
    }

    ComScope com_;
    TempFolder folder_;
};

TEST_F(SettingsXmlFileTest, ReaderTakesGroupsAndEntriesAndKeepsWhatCameBeforeAFault) {
    struct Case {
        const char* title;
        const char* document;
        const char* stored;
    };
    const Case cases[] = {
        {"encoded names", "<settings><My_20Group><_31st>1</_31st><a_5fb>2</a_5fb></My_20Group></settings>",
         "My Group: 1st=1, a_b=2"},
        {"white space kept", "<settings><g><k>  two  words \t</k></g></settings>", "g: k=  two  words \t"},
        {"empty entry", "<settings><g><k/><m></m></g></settings>", "g: k=, m="},
        {"groups differing in case", "<settings><Grp><a>1</a></Grp><GRP><b>2</b><a>3</a></GRP></settings>",
         "Grp: a=3, b=2"},
        {"escaped text in pieces", "<settings><g><k>a &amp; b &lt;c&gt; &#233;</k></g></settings>",
         "g: k=a & b <c> \xE9"},
        {"text outside entries and attributes ignored",
         "<settings x=\"1\">top<g y=\"2\">mid<k z=\"3\">v</k>tail</g></settings>", "g: k=v"},
        {"empty group", "<settings><g/><h><k>1</k></h></settings>", "h: k=1"},
        {"wrong root", "<config><g><k>1</k></g></config>", ""},
        {"root in another case", "<Settings><g><k>1</k></g></Settings>", ""},
        {"element inside an entry",
         "<settings><a><k>1</k></a><b><k1>2</k1><k2>x<deep>y</deep>z</k2><k3>3</k3></b><c><k>4</k></c></settings>",
         "a: k=1; b: k1=2"},
        {"document cut short", "<settings><a><k>1</k></a><b><k>2</k><m>3", "a: k=1; b: k=2"},
        {"not XML", "[common]\r\nname=x\r\n", ""},
        {"empty file", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(Read(c.document), c.stored);
    }
}

TEST_F(SettingsXmlFileTest, WriterEncodesNamesAndIndents) {
    SettingsStore store;
    store.SetString("My Group", "1st", "x");
    store.SetString("My Group", "empty", "");
    store.SetString("common", "a_b", " padded ");
    const std::string path = folder_.Path("out.xml");
    store.SetPath(path.c_str());
    ASSERT_EQ(store.Save(), 1);
    EXPECT_EQ(ReadBytes(path), std::string(kXmlDeclaration) +
                                   "<settings>\r\n"
                                   "\t<My_20Group>\r\n"
                                   "\t\t<_31st>x</_31st>\r\n"
                                   "\t\t<empty></empty>\r\n"
                                   "\t</My_20Group>\r\n"
                                   "\t<common>\r\n"
                                   "\t\t<a_5Fb> padded </a_5Fb>\r\n"
                                   "\t</common>\r\n"
                                   "</settings>");
}

TEST_F(SettingsXmlFileTest, NamesWithoutElementNameAreLeftOutOfTheDocument) {
    SettingsStore store;
    store.SetString("", "k", "lost");
    store.SetString("g", "", "lost");
    store.SetString("g", "k", "kept");
    store.SetString("h", "k", "kept too");
    const std::string path = folder_.Path("out.xml");
    store.SetPath(path.c_str());
    ASSERT_EQ(store.Save(), 1);
    SettingsStore reread;
    reread.Load(path.c_str(), 1);
    EXPECT_EQ(Dump(reread), "g: k=kept; h: k=kept too");
}

TEST_F(SettingsXmlFileTest, LongNamesAndValuesRoundTrip) {
    const std::string name(3000, '#');
    const std::string value(100000, 'v');
    SettingsStore store;
    store.SetString(name.c_str(), name.c_str(), value.c_str());
    const std::string path = folder_.Path("out.xml");
    store.SetPath(path.c_str());
    ASSERT_EQ(store.Save(), 1);
    SettingsStore reread;
    reread.Load(path.c_str(), 1);
    EXPECT_EQ(std::string(reread.GetString(name.c_str(), name.c_str(), "")), value);
}

class SettingsTextFileTest : public ::testing::Test {
protected:
    std::string Read(const std::string& text) {
        const std::string path = folder_.Path("settings.txt");
        WriteBytes(path, text);
        SettingsStore store;
        store.Load(path.c_str(), 0);
        return Dump(store);
    }

    TempFolder folder_;
};

TEST_F(SettingsTextFileTest, ReaderFollowsTheLineRules) {
    struct Case {
        const char* title;
        const char* text;
        const char* stored;
    };
    const Case cases[] = {
        {"entries before the first group", "k=1\r\n[g]\r\nk=2\r\n", "g: k=2"},
        {"empty group line", "[g]\r\na=1\r\n[]\r\nb=2\r\n[h]\r\nc=3\r\n", "g: a=1; h: c=3"},
        {"only the first = splits", "[g]\r\nk = a=b\r\n", "g: k=a=b"},
        {"empty key or value", "[g]\r\n=v\r\nk=\r\n  =  \r\nok=1\r\n", "g: ok=1"},
        {"no =", "[g]\r\njust text\r\nk=1\r\n", "g: k=1"},
        {"repeated group and key", "[g]\r\na=1\r\nb=2\r\n[h]\r\nc=3\r\n[G]\r\na=4\r\n", "g: a=4, b=2; h: c=3"},
        {"LF endings", "[g]\na=1\nb=2\n", "g: a=1, b=2"},
        {"no final line end", "[g]\r\na=1", "g: a=1"},
        {"white space trimmed", "  [g]\t\r\n\t key \t=  v a l  \r\n", "g: key=v a l"},
        {"group name kept as written", "[ My Group ]\r\nk=1\r\n", " My Group : k=1"},
        {"escaped line breaks", "[g]\r\nk=a\\nb\\r\\nc\\t\r\n", "g: k=a\nb\r\nc\\t"},
        {"brackets inside a value", "[g]\r\nk=[x]\r\n", "g: k=[x]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(Read(c.text), c.stored);
    }
}

TEST_F(SettingsTextFileTest, LongLineIsReadInPiecesOf4095Characters) {
    // One physical line of 5000 characters: "k=" and 4093 a, then "x=" and 903 b.
    const std::string line = "k=" + std::string(4093, 'a') + "x=" + std::string(903, 'b');
    ASSERT_EQ(line.size(), 5000u);
    EXPECT_EQ(Read("[g]\r\n" + line + "\r\n"),
              "g: k=" + std::string(4093, 'a') + ", x=" + std::string(903, 'b'));
}

TEST_F(SettingsTextFileTest, WriterEscapesLineBreaksAndWritesEmptyValues) {
    SettingsStore store;
    store.SetString("g", "k", "v");
    store.SetString("g", "empty", "");
    store.SetString("g", "multi", "a\nb\r\nc");
    store.SetString("h", "path", "C:\\new\\root");
    const std::string path = folder_.Path("out.txt");
    store.SetPath(path.c_str());
    store.SetFormat(0);
    ASSERT_EQ(store.Save(), 1);
    EXPECT_EQ(ReadBytes(path), "[g]\r\nk=v\r\nempty=\r\nmulti=a\\nb\\r\\nc\r\n\r\n"
                               "[h]\r\npath=C:\\new\\root\r\n\r\n");
    // The empty value is not read back, and a backslash-n written as text comes back as a line break.
    EXPECT_EQ(Read(ReadBytes(path)), "g: k=v, multi=a\nb\r\nc; h: path=C:\new\root");
}

}  // namespace
}  // namespace tlv
