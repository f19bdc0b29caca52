#include "testsupport/TestFiles.h"
#include "testsupport/TestProcess.h"

#include <gtest/gtest.h>

namespace tlv {
namespace {

using test::ProgramFolder;
using test::Quote;
using test::RunProgram;

std::string FakeLibrary() { return "--dll " + Quote(ProgramFolder() + "FakeExports.dll") + " "; }

TEST(Tlvcall, CallsTheLibraryExportsInOneProcess) {
    const auto result = RunProgram("tlvcall.exe", "f15 + f23 C:\\x + f15");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output, "1\n\n1\n");
    EXPECT_EQ(result.errors, "");
}

TEST(Tlvcall, PrintsEachResultKindAsItsPrototypeGivesIt) {
    const auto result = RunProgram(
        "tlvcall.exe", FakeLibrary() +
                           "f10 x + f11 \"caf\xE9 au lait\" + f14 x + f15 + f16 + f17 + f17 + f18 1 2 3 + "
                           "f19 4 5 6 + f20 x + f21 \"\" + f23 x + f24 9 9 9");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output,
              "-7\n"
              "f11:caf\xE9 au lait\n"
              "\n"
              "65535\n"
              "-2147483648\n"
              "0x1234\n"
              "0\n"
              "123\n"
              "456\n"
              "0\n"
              "f21:\n"
              "\n"
              "999\n");
}

TEST(Tlvcall, UsageErrorsMakeNoCall) {
    const std::string cases[] = {
        "",
        "f99",
        "f18 a b",
        "f15 x",
        "f15 +",
        "f15 + + f15",
        "f15 + f99",
        "--dll",
        "--dll " + Quote(ProgramFolder() + "missing.dll") + " f15",
        "--dll kernel32.dll f15",
    };
    for (const std::string& arguments : cases) {
        SCOPED_TRACE(arguments);
        const auto result = RunProgram("tlvcall.exe", arguments);
        EXPECT_EQ(result.exitCode, 2u);
        EXPECT_EQ(result.output, "");
        ASSERT_FALSE(result.errors.empty());
        EXPECT_EQ(result.errors.find('\n'), result.errors.size() - 1) << "one line: " << result.errors;
    }
}

}  // namespace
}  // namespace tlv
