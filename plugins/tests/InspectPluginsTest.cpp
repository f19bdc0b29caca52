#include "plugins/tests/PluginListFiles.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TestProcess.h"

#include <gtest/gtest.h>

namespace tlv {
namespace {

using test::Plugin;
using test::PluginList;
using test::Quote;
using test::RunProgram;
using test::TempFolder;
using test::WriteBytes;

// Backslashes doubled, as JSON writes them.
std::string JsonPath(const std::string& path) {
    std::string escaped;
    for (char c : path) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return escaped;
}

TEST(InspectPlugins, PrintsWhatTheCatalogueKeeps) {
    TempFolder folder;
    WriteBytes(folder.Path("a.dll"), "library");
    WriteBytes(folder.Path("a.ico"), test::IconFileBytes());
    WriteBytes(folder.Path("plugins.xml"),
               PluginList(Plugin("-4", "a.dll", "<icon>a.ico</icon><internal>1</internal>", "Caf\xC3\xA9 \"1\"") +
                          Plugin("5", "gone.dll")));
    const test::ProcessResult result = RunProgram("tlvinspect.exe", "plugins " + Quote(folder.Path("plugins.xml")));
    EXPECT_EQ(result.exitCode, 0u) << result.errors;
    EXPECT_EQ(result.output, "{\"loaded\": 1, \"plugins\": [{\"id\": -4, \"lib\": \"a.dll\", \"libraryPath\": \"" +
                                 JsonPath(folder.Path("a.dll")) +
                                 "\", \"name\": \"Caf\xC3\xA9 \\\"1\\\"\", \"fullName\": \"F-4\", \"description\": "
                                 "\"D-4\", \"icon\": \"a.ico\", \"iconLoaded\": true, \"internal\": 1, "
                                 "\"autostart\": 0}]}\n");
}

TEST(InspectPlugins, UnreadableListShowsNotLoaded) {
    TempFolder folder;
    const test::ProcessResult result = RunProgram("tlvinspect.exe", "plugins " + Quote(folder.Path("missing.xml")));
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output, "{\"loaded\": 0, \"plugins\": []}\n");
}

TEST(InspectPlugins, WrongArgumentsAreAUsageError) {
    for (const char* arguments : {"plugins", "plugins a.xml b.xml"}) {
        SCOPED_TRACE(arguments);
        const test::ProcessResult result = RunProgram("tlvinspect.exe", arguments);
        EXPECT_EQ(result.exitCode, 2u);
        EXPECT_EQ(result.output, "");
        EXPECT_NE(result.errors.find("tlvinspect plugins FILE"), std::string::npos) << result.errors;
    }
}

}  // namespace
}  // namespace tlv
