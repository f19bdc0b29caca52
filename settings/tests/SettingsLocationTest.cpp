#include "settings/SettingsStore.h"

#include "settings/tests/AppDataScope.h"
#include "settings/tests/SettingsDump.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace tlv {
namespace {

using test::AppDataScope;
using test::ComScope;
using test::Dump;
using test::FileExists;
using test::ListFolder;
using test::TempFolder;
using test::WriteBytes;

TEST(SettingsLocation, DrivePathsStandAndOtherNamesGoBelowThePerUserFolder) {
    const AppDataScope appData(std::string("C:\\Users\\me\\AppData\\Roaming"));
    const std::string folder = "C:\\Users\\me\\AppData\\Roaming\\Orbenk\\TLV7\\";
    struct Case {
        const char* name;
        std::string path;
    };
    const Case cases[] = {
        {"D:\\Data\\product.xml", "D:\\Data\\product.xml"},
        {"d:relative.xml", "d:relative.xml"},
        {"product.xml", folder + "product.xml"},
        {"sub\\product.xml", folder + "sub\\product.xml"},
        {"", folder},
        {"\\\\server\\share\\product.xml", folder + "\\\\server\\share\\product.xml"},
        {"x", folder + "x"},
    };
    SettingsStore store;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store.SetPath(c.name);
        EXPECT_EQ(store.Path(), c.path);
    }
    store.SetPath(nullptr);
    EXPECT_EQ(store.Path(), folder);
}

TEST(SettingsLocation, LongPerUserFolderIsNotCut) {
    const std::string longFolder = "C:\\" + std::string(400, 'f');
    const AppDataScope appData(longFolder);
    SettingsStore store;
    store.SetPath("product.xml");
    EXPECT_EQ(store.Path(), longFolder + "\\Orbenk\\TLV7\\product.xml");
}

class SettingsPerUserFolderTest : public ::testing::Test {
protected:
    SettingsPerUserFolderTest() : appData_(folder_.Path().substr(0, folder_.Path().size() - 1)) {}

    std::string SettingsFolder() const { return folder_.Path("Orbenk\\TLV7\\"); }
    void CreateSettingsFolder() const {
        ::CreateDirectoryA(folder_.Path("Orbenk").c_str(), nullptr);
        ::CreateDirectoryA(SettingsFolder().c_str(), nullptr);
    }

    ComScope com_;
    TempFolder folder_;
    AppDataScope appData_;
};

TEST_F(SettingsPerUserFolderTest, BareNameIsSavedAndLoadedInThePerUserFolder) {
    CreateSettingsFolder();
    SettingsStore store;
    store.SetString("common", "name", "Talvesta");
    store.SetPath("product.xml");
    ASSERT_EQ(store.Save(), 1);
    EXPECT_TRUE(FileExists(SettingsFolder() + "product.xml"));

    SettingsStore reread;
    reread.Load("product.xml", 1);
    EXPECT_EQ(Dump(reread), "common: name=Talvesta");
}

TEST_F(SettingsPerUserFolderTest, SavingIntoAMissingPerUserFolderFails) {
    SettingsStore store;
    store.SetString("common", "name", "Talvesta");
    store.SetPath("product.xml");
    EXPECT_EQ(store.Save(), 0);
    EXPECT_EQ(ListFolder(folder_.Path()), "");
}

// Without a per-user folder a bare name has no place: nothing is read from or written to the current
// folder, while full paths work as before.
class SettingsWithoutAppDataTest : public ::testing::TestWithParam<const char*> {
protected:
    SettingsWithoutAppDataTest()
        : appData_(GetParam() == nullptr ? std::nullopt : std::optional<std::string>(GetParam())) {
        char current[MAX_PATH];
        ::GetCurrentDirectoryA(MAX_PATH, current);
        savedCurrent_ = current;
        ::SetCurrentDirectoryA(folder_.Path().c_str());
    }
    ~SettingsWithoutAppDataTest() override { ::SetCurrentDirectoryA(savedCurrent_.c_str()); }

    ComScope com_;
    TempFolder folder_;
    AppDataScope appData_;
    std::string savedCurrent_;
};

TEST_P(SettingsWithoutAppDataTest, BareNameReadsNothing) {
    WriteBytes(folder_.Path("product.xml"), "<settings><common><name>here</name></common></settings>");
    SettingsStore store;
    store.Load("product.xml", 1);
    EXPECT_EQ(store.Path(), "");
    EXPECT_EQ(store.GroupCount(), 0u);
    EXPECT_EQ(store.IsUnloaded(), 0);
}

TEST_P(SettingsWithoutAppDataTest, BareNameSavesNothing) {
    SettingsStore store;
    store.SetString("common", "name", "x");
    for (const int32_t asXml : {1, 0}) {
        store.SetPath("product.xml");
        store.SetFormat(asXml);
        EXPECT_EQ(store.Save(), 0);
    }
    EXPECT_EQ(ListFolder(folder_.Path()), "");

    store.SetPath(folder_.Path("full.xml").c_str());
    EXPECT_EQ(store.Save(), 1);
}

INSTANTIATE_TEST_SUITE_P(AppData, SettingsWithoutAppDataTest, ::testing::Values(nullptr, ""),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return info.param == nullptr ? "Unset" : "Empty";
                         });

}  // namespace
}  // namespace tlv
