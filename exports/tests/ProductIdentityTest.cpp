#include "exports/ProductIdentity.h"

#include "testsupport/TestFiles.h"
#include "testsupport/TestProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace tlv {
namespace {

using test::ComScope;
using test::ProgramFolder;
using test::Quote;
using test::RunProgram;
using test::TempFolder;
using test::WriteBytes;

class ProductIdentityTest : public ::testing::Test {
protected:
    // A settings file whose group "common" holds the given entry elements.
    std::string SettingsFile(const std::string& entries, const std::string& name = "product.xml") {
        const std::string path = folder_.Path(name);
        WriteBytes(path, "<settings><common>" + entries + "</common></settings>");
        return path;
    }

    ComScope com_;
    TempFolder folder_;
    SettingsStore settings_;
    DisplayTitleBuffer title_;
};

TEST_F(ProductIdentityTest, MissingFileGivesZeroAndEmptyTexts) {
    const std::string path = folder_.Path("missing.xml");
    EXPECT_EQ(ProductIdentity::Id(settings_, path.c_str()), 0);
    EXPECT_STREQ(ProductIdentity::ShortName(settings_, path.c_str()), "");
    EXPECT_STREQ(ProductIdentity::Version(settings_, path.c_str()), "");
    EXPECT_STREQ(ProductIdentity::FullName(settings_, path.c_str()), "");
    EXPECT_STREQ(ProductIdentity::FullNameWithoutBrand(settings_, path.c_str()), "");
    EXPECT_STREQ(ProductIdentity::DisplayTitle(settings_, title_, path.c_str()), "Talvesta 7.0 ");
}

TEST_F(ProductIdentityTest, IdReadsAsAnInteger) {
    EXPECT_EQ(ProductIdentity::Id(settings_, SettingsFile("<id>42</id>").c_str()), 42);
    EXPECT_EQ(ProductIdentity::Id(settings_, SettingsFile("<id>abc</id>").c_str()), 0);
    EXPECT_EQ(ProductIdentity::Id(settings_, SettingsFile("<ID> -3x</ID>").c_str()), -3);
}

TEST_F(ProductIdentityTest, TextsComeFromGroupCommon) {
    const std::string path = SettingsFile("<name>Talvesta</name><version>7.0.2</version>"
                                          "<namefull>OB Talvesta Studio</namefull>");
    EXPECT_STREQ(ProductIdentity::ShortName(settings_, path.c_str()), "Talvesta");
    EXPECT_STREQ(ProductIdentity::Version(settings_, path.c_str()), "7.0.2");
    EXPECT_STREQ(ProductIdentity::FullName(settings_, path.c_str()), "OB Talvesta Studio");
}

TEST_F(ProductIdentityTest, BrandPrefixIsDroppedInAnyLetterCase) {
    struct Case {
        const char* fullName;
        const char* withoutBrand;
    };
    const Case cases[] = {
        {"OB Talvesta", "Talvesta"}, {"ob Talvesta", "Talvesta"}, {"Ob Talvesta", "Talvesta"},
        {"OBTalvesta", "OBTalvesta"}, {"OB", "OB"}, {"OB ", ""}, {"O", "O"}, {"", ""},
        {"Talvesta OB ", "Talvesta OB "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fullName);
        const std::string path = SettingsFile(std::string("<namefull>") + c.fullName + "</namefull>");
        EXPECT_STREQ(ProductIdentity::FullNameWithoutBrand(settings_, path.c_str()), c.withoutBrand);
    }
}

TEST_F(ProductIdentityTest, DisplayTitleDependsOnTheName) {
    struct Case {
        const char* entries;
        const char* title;
    };
    const Case cases[] = {
        {"<name>Glimmer Shaper</name><edition>Pro</edition>", "Glimmer Shaper 2.0 Pro"},
        {"<name>Zentrik</name><edition>Pro</edition>", "Zentrik 7.0"},
        {"<name>glimmer</name><edition>Pro</edition>", "Talvesta 7.0 Pro"},
        {"<name>Zentrik with Glimmer</name><edition>Home</edition>", "Glimmer Shaper 2.0 Home"},
        {"<name>Talvesta</name>", "Talvesta 7.0 "},
        {"<name>My Glimmer</name><edition>100% %s</edition>", "Glimmer Shaper 2.0 100% %s"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entries);
        EXPECT_STREQ(ProductIdentity::DisplayTitle(settings_, title_, SettingsFile(c.entries).c_str()), c.title);
    }
}

TEST_F(ProductIdentityTest, LongEditionIsNeitherCutNorOverflowing) {
    const std::string edition(5000, 'E');
    const char* title =
        ProductIdentity::DisplayTitle(settings_, title_, SettingsFile("<edition>" + edition + "</edition>").c_str());
    EXPECT_EQ(std::string(title), "Talvesta 7.0 " + edition);
}

// The exports as an installer calls them: several calls in one process through tlvcall.
TEST_F(ProductIdentityTest, ExportsAnswerFromTheFileOfTheLatestCall) {
    const std::string first = SettingsFile("<id>42</id><name>Glimmer Shaper</name><version>2.0</version>"
                                           "<namefull>OB Glimmer Shaper</namefull><edition>Pro</edition>",
                                           "first.xml");
    const std::string second = SettingsFile("<id>7</id><name>Zentrik</name>", "second.xml");
    const std::string missing = Quote(folder_.Path("missing.xml"));
    const auto run = RunProgram("tlvcall.exe", "f10 " + Quote(first) + " + f11 " + Quote(first) + " + f12 " +
                                                   Quote(first) + " + f13 " + Quote(first) + " + f14 " +
                                                   Quote(first) + " + f21 " + Quote(first) + " + f10 " +
                                                   Quote(second) + " + f21 " + Quote(second) + " + f11 " +
                                                   Quote(second) + " + f10 " + missing + " + f13 " + missing +
                                                   " + f21 " + missing);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "42\nGlimmer Shaper\n2.0\nOB Glimmer Shaper\nGlimmer Shaper\nGlimmer Shaper 2.0 Pro\n"
                          "7\nZentrik 7.0\nZentrik\n"
                          "0\n\nTalvesta 7.0 \n");
}

// Null texts from the installer read as empty names, and the library can be loaded and unloaded again.
TEST_F(ProductIdentityTest, ExportsTakeNullPathsAcrossLoadAndUnload) {
    using TextQuery = const char*(WINAPI*)(const char*);
    using IdQuery = LONG(WINAPI*)(const char*);
    using Merge = WORD(WINAPI*)(const char*, const char*, const char*);
    for (int load = 0; load < 2; ++load) {
        const HMODULE library = ::LoadLibraryA((ProgramFolder() + "TlvSetup.dll").c_str());
        ASSERT_NE(library, nullptr);
        const auto f10 = reinterpret_cast<IdQuery>(reinterpret_cast<void*>(::GetProcAddress(library, "f10")));
        const auto f21 = reinterpret_cast<TextQuery>(reinterpret_cast<void*>(::GetProcAddress(library, "f21")));
        const auto f24 = reinterpret_cast<Merge>(reinterpret_cast<void*>(::GetProcAddress(library, "f24")));
        ASSERT_NE(f10, nullptr);
        ASSERT_NE(f21, nullptr);
        ASSERT_NE(f24, nullptr);
        EXPECT_EQ(f10(nullptr), 0);
        EXPECT_STREQ(f21(nullptr), "Talvesta 7.0 ");
        EXPECT_STREQ(f21(SettingsFile("<name>Zentrik</name>").c_str()), "Zentrik 7.0");
        EXPECT_EQ(f24(nullptr, nullptr, nullptr), 0);
        ::FreeLibrary(library);
    }
}

}  // namespace
}  // namespace tlv
