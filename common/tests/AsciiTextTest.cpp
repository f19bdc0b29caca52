#include "common/AsciiText.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tlv {
namespace {

// The hash folds eight bytes at a time: every length and every neighbour of the capitals must agree with
// the byte-wise comparison.
TEST(AsciiTextTest, HashAgreesWithComparisonIgnoringCase) {
    const std::string lower = "abcdefghijklmnopqrstuvwxyz@[`{\\\xe1\xc1\xff.";
    const std::string upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ@[`{\\\xe1\xc1\xff.";
    for (size_t length = 0; length <= lower.size(); ++length) {
        SCOPED_TRACE(length);
        const std::string_view a(lower.data(), length), b(upper.data(), length);
        EXPECT_TRUE(EqualsIgnoringAsciiCase(a, b));
        EXPECT_EQ(HashIgnoringAsciiCase(a), HashIgnoringAsciiCase(b));
    }
    const char* const different[][2] = {{"@", "`"}, {"[", "{"}, {"\xc1", "\xe1"}, {"a", "ab"}};
    for (const auto& pair : different) {
        EXPECT_FALSE(EqualsIgnoringAsciiCase(pair[0], pair[1])) << pair[0];
    }
    EXPECT_NE(HashIgnoringAsciiCase("voices\\a"), HashIgnoringAsciiCase("voices\\b"));
}

}  // namespace
}  // namespace tlv
