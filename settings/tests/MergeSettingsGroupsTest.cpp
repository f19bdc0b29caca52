#include "settings/MergeSettingsGroups.h"

#include "settings/SettingsStore.h"
#include "settings/tests/SettingsDump.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TestProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace tlv {
namespace {

using test::ComScope;
using test::Dump;
using test::ListFolder;
using test::Quote;
using test::ReadBytes;
using test::RunProgram;
using test::TempFolder;
using test::WriteBytes;

const char kFirst[] = "<settings>"
                      "<G1><name>Alpha</name><path>X</path><icon>a.ico</icon></G1>"
                      "<G2><name>Beta</name><path>Y</path></G2>"
                      "</settings>";
const char kSecond[] = "<settings><G3><path>Z</path><name>alpha</name></G3></settings>";
const char kMerged[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                       "<settings>\r\n"
                       "\t<Beta>\r\n\t\t<name>Beta</name>\r\n\t\t<path>Y</path>\r\n\t</Beta>\r\n"
                       "\t<alpha>\r\n\t\t<name>alpha</name>\r\n\t\t<path>Z</path>\r\n\t</alpha>\r\n"
                       "</settings>";

TEST(MergeSettingsGroups, LaterGroupOfTheSameNameReplacesAndMovesToTheEnd) {
    SettingsStore first;
    first.SetString("G1", "name", "Alpha");
    first.SetString("G1", "path", "X");
    first.SetString("G2", "name", "Beta");
    first.SetString("G2", "path", "Y");
    SettingsStore second;
    second.SetString("G3", "name", "alpha");
    second.SetString("G3", "path", "Z");

    SettingsStore result;
    EXPECT_EQ(MergeSettingsGroups(result, first), 2u);
    EXPECT_EQ(MergeSettingsGroups(result, second), 1u);
    EXPECT_EQ(Dump(result), "Beta: name=Beta, path=Y; alpha: name=alpha, path=Z");
}

TEST(MergeSettingsGroups, KeepsOnlyNameAndPathWithDefaults) {
    SettingsStore source;
    source.SetString("Unnamed1", "path", "P1");
    source.SetString("Unnamed1", "other", "dropped");
    source.SetString("Unnamed2", "path", "P2");
    source.SetString("NoPath", "color", "red");
    source.SetString("NoPath", "NAME", "Gamma");
    SettingsStore result;
    MergeSettingsGroups(result, source);
    EXPECT_EQ(Dump(result), "GROUP: name=GROUP, path=P2; Gamma: name=Gamma, path=");
}

class MergeSettingsFilesTest : public ::testing::Test {
protected:
    ComScope com_;
    TempFolder folder_;
};

TEST_F(MergeSettingsFilesTest, ResultMayReplaceOneOfTheSources) {
    WriteBytes(folder_.Path("first.xml"), kFirst);
    WriteBytes(folder_.Path("second.xml"), kSecond);
    const std::string first = folder_.Path("first.xml");
    ASSERT_TRUE(MergeSettingsFiles(first.c_str(), first.c_str(), folder_.Path("second.xml").c_str()));
    EXPECT_EQ(ReadBytes(first), kMerged);
}

TEST_F(MergeSettingsFilesTest, MissingSourcesGiveAnEmptyDocument) {
    const std::string result = folder_.Path("result.xml");
    ASSERT_TRUE(MergeSettingsFiles(result.c_str(), folder_.Path("a.xml").c_str(), folder_.Path("b.xml").c_str()));
    EXPECT_EQ(ReadBytes(result), "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<settings/>");
}

TEST_F(MergeSettingsFilesTest, ResultInMissingFolderIsNotWritten) {
    WriteBytes(folder_.Path("first.xml"), kFirst);
    EXPECT_FALSE(MergeSettingsFiles(folder_.Path("missing\\result.xml").c_str(), folder_.Path("first.xml").c_str(),
                                    folder_.Path("first.xml").c_str()));
    EXPECT_EQ(ListFolder(folder_.Path()), "first.xml");
}

TEST_F(MergeSettingsFilesTest, ExportMergesAndAlwaysAnswersZero) {
    WriteBytes(folder_.Path("first.xml"), kFirst);
    WriteBytes(folder_.Path("second.xml"), kSecond);
    const auto run = RunProgram("tlvcall.exe", "f24 " + Quote(folder_.Path("result.xml")) + " " +
                                                   Quote(folder_.Path("first.xml")) + " " +
                                                   Quote(folder_.Path("second.xml")) + " + f24 " +
                                                   Quote(folder_.Path("missing\\result.xml")) + " a b");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "0\n0\n");
    EXPECT_EQ(ReadBytes(folder_.Path("result.xml")), kMerged);
}

}  // namespace
}  // namespace tlv
