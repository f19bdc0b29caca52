// The resource exports and the inspection program, run as an installer and a developer would run them.

#include "resources/tests/ResourceLists.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TestProcess.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tlv {
namespace {

using test::ListXml;
using test::Quote;
using test::ReadBytes;
using test::RunProgram;
using test::TempFolder;
using test::WriteBytes;

class ResourceToolsTest : public ::testing::Test {
protected:
    TempFolder folder_;
};

TEST_F(ResourceToolsTest, TlvcallMergesListsAndChecksFolders) {
    ASSERT_TRUE(::CreateDirectoryA(folder_.Path("Voices").c_str(), nullptr));
    const std::string first = folder_.Path("first.xml");
    const std::string second = folder_.Path("second.xml");
    const std::string result = folder_.Path("result.xml");
    WriteBytes(first, ListXml({{"1", "Voices", "old"}, {"2", "Gone", ""}}));
    WriteBytes(second, ListXml({{"3", "voices", "new"}}));

    const test::ProcessResult run = RunProgram(
        "tlvcall.exe", "f19 " + Quote(result) + " " + Quote(first) + " " + Quote(second) + " + f20 " +
                           Quote(result) + " + f20 " + Quote(first) + " + f19 " +
                           Quote(folder_.Path("no\\result.xml")) + " " + Quote(first) + " " + Quote(second));
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    // The merged list names Gone, which does not exist; the first list names it too.
    EXPECT_EQ(run.output, "1\n0\n0\n0\n");
    const std::string merged = ReadBytes(result);
    EXPECT_NE(merged.find("<id>2</id>"), std::string::npos);
    EXPECT_NE(merged.find("<location>voices</location>\r\n\t\t<settings>new</settings>"), std::string::npos);
    EXPECT_EQ(merged.find("old"), std::string::npos);

    WriteBytes(second, ListXml({{"3", "Voices", ""}}));
    EXPECT_EQ(RunProgram("tlvcall.exe", "f20 " + Quote(second)).output, "1\n");
}

TEST_F(ResourceToolsTest, TlvinspectDescribesEachEntry) {
    const std::string list = folder_.Path("list.xml");
    WriteBytes(folder_.Path("Tool.DLL"), "abc");
    WriteBytes(list, ListXml({{"-7", "Tool.DLL", "a\"b"}}));
    const std::string folder = test::WithoutTrailingBackslash(folder_.Path());
    std::string escaped;
    for (char c : folder) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    const test::ProcessResult run = RunProgram("tlvinspect.exe", "resources " + Quote(list));
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    EXPECT_EQ(run.output, "{\"loaded\": 1, \"folder\": \"" + escaped +
                              "\", \"resources\": [{\"id\": -7, \"location\": \"Tool.DLL\", \"fullPath\": \"" +
                              escaped +
                              "\\\\Tool.DLL\", \"fileName\": \"Tool.DLL\", \"extension\": \"DLL\", \"kind\": 2, "
                              "\"settings\": \"a\\\"b\", \"contentCode\": \"GS9W8O6LF6LLH853J7VQN41S6\"}]}\n");

    const test::ProcessResult missing = RunProgram("tlvinspect.exe", "resources " + Quote(folder_.Path("no.xml")));
    EXPECT_EQ(missing.exitCode, 0u);
    EXPECT_EQ(missing.output, "{\"loaded\": 1, \"folder\": \"" + escaped + "\", \"resources\": []}\n");
    EXPECT_EQ(RunProgram("tlvinspect.exe", "resources").exitCode, 2u);
    EXPECT_EQ(RunProgram("tlvinspect.exe", "resources a b").exitCode, 2u);
}

}  // namespace
}  // namespace tlv
