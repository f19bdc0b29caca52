#include "testsupport/TestFiles.h"
#include "testsupport/TestProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace tlv {
namespace {

using test::Quote;
using test::ReadBytes;
using test::RunProgram;
using test::TempFolder;
using test::WriteBytes;

std::string JsonPath(const std::string& path) {
    std::string escaped;
    for (const char c : path) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return escaped;
}

class InspectSettingsTest : public ::testing::Test {
protected:
    TempFolder folder_;
};

TEST_F(InspectSettingsTest, ShowsGroupsAndEntriesAsJson) {
    const std::string path = folder_.Path("product.xml");
    WriteBytes(path, "<settings><common><name>Say \"hi\" \\ caf&#233;</name><empty/></common>"
                     "<My_20Group><_31st>1</_31st></My_20Group></settings>");
    const auto run = RunProgram("tlvinspect.exe", "settings " + Quote(path));
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "{\"path\": \"" + JsonPath(path) +
                              "\", \"unloaded\": 0, \"groups\": ["
                              "{\"name\": \"common\", \"entries\": [{\"name\": \"name\", \"value\": "
                              "\"Say \\\"hi\\\" \\\\ caf\xC3\xA9\"}, {\"name\": \"empty\", \"value\": \"\"}]}, "
                              "{\"name\": \"My Group\", \"entries\": [{\"name\": \"1st\", \"value\": \"1\"}]}]}\n");
}

TEST_F(InspectSettingsTest, MissingFileStillRuns) {
    const std::string path = folder_.Path("missing.xml");
    const auto run = RunProgram("tlvinspect.exe", "settings --text " + Quote(path));
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "{\"path\": \"" + JsonPath(path) + "\", \"unloaded\": 0, \"groups\": []}\n");
}

TEST_F(InspectSettingsTest, ConvertsBetweenTheTwoForms) {
    const std::string xml = folder_.Path("product.xml");
    const std::string text = folder_.Path("product.txt");
    const std::string back = folder_.Path("back.xml");
    WriteBytes(xml, "<settings><g><k>line one\nline two</k></g></settings>");

    const auto toText =
        RunProgram("tlvinspect.exe", "settings " + Quote(xml) + " --save " + Quote(text) + " --save-text");
    EXPECT_EQ(toText.exitCode, 0u);
    EXPECT_NE(toText.output.find("\"saved\": 1}"), std::string::npos) << toText.output;
    EXPECT_EQ(ReadBytes(text), "[g]\r\nk=line one\\nline two\r\n\r\n");

    const auto toXml = RunProgram("tlvinspect.exe", "settings --text " + Quote(text) + " --save " + Quote(back));
    EXPECT_EQ(toXml.exitCode, 0u);
    EXPECT_NE(toXml.output.find("\"value\": \"line one\\nline two\""), std::string::npos) << toXml.output;
    EXPECT_NE(ReadBytes(back).find("<k>line one\nline two</k>"), std::string::npos);

    const auto failed = RunProgram("tlvinspect.exe", "settings " + Quote(xml) + " --save " +
                                                         Quote(folder_.Path("missing\\out.xml")));
    EXPECT_EQ(failed.exitCode, 0u);
    EXPECT_NE(failed.output.find("\"saved\": 0}"), std::string::npos) << failed.output;
}

TEST_F(InspectSettingsTest, UsageErrorsExitWithTwoAndOneLine) {
    const char* argumentLists[] = {
        "settings", "settings a.xml b.xml", "settings a.xml --save", "settings --save-text a.xml",
        "settings --bogus a.xml",
    };
    for (const char* arguments : argumentLists) {
        SCOPED_TRACE(arguments);
        const auto run = RunProgram("tlvinspect.exe", arguments);
        EXPECT_EQ(run.exitCode, 2u);
        EXPECT_EQ(run.output, "");
        ASSERT_FALSE(run.errors.empty());
        EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1) << run.errors;
    }
}

}  // namespace
}  // namespace tlv
