#include "settings/SettingsStore.h"

#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tlv {
namespace {

using test::ComScope;
using test::FileExists;
using test::ListFolder;
using test::ReadBytes;
using test::SmallFilesystemFolder;
using test::WriteBytes;

struct FileForm {
    const char* name;
    int32_t asXml;
};

void PrintTo(const FileForm& form, std::ostream* out) { *out << form.name; }

class SettingsFullDiskTest : public ::testing::TestWithParam<FileForm> {
protected:
    ComScope com_;
};

TEST_P(SettingsFullDiskTest, SaveThatDoesNotFitKeepsTheOldFile) {
    const std::string folder = SmallFilesystemFolder();
    if (folder.empty()) {
        GTEST_SKIP() << "no small filesystem mounted (TLV_SMALL_FS)";
    }
    const std::string path = folder + "settings-" + GetParam().name + ".dat";
    WriteBytes(path, "old content");
    SettingsStore store;
    store.SetString("g", "big", std::string(200 * 1024, 'x').c_str());
    store.SetPath(path.c_str());
    store.SetFormat(GetParam().asXml);
    EXPECT_EQ(store.Save(), 0);
    EXPECT_EQ(ReadBytes(path), "old content");
    EXPECT_EQ(ListFolder(folder), "settings-" + std::string(GetParam().name) + ".dat");
    ::DeleteFileA(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Forms, SettingsFullDiskTest, ::testing::Values(FileForm{"Xml", 1}, FileForm{"Text", 0}),
                         [](const ::testing::TestParamInfo<FileForm>& info) { return info.param.name; });

}  // namespace
}  // namespace tlv
