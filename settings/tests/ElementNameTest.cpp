#include "settings/ElementName.h"

#include <gtest/gtest.h>

#include <string>

namespace tlv {
namespace {

TEST(ElementName, EncodesToLettersDigitsAndUnderscores) {
    struct Case {
        const char* name;
        const char* element;
    };
    const Case cases[] = {
        {"common", "common"}, {"My Group", "My_20Group"}, {"1st", "_31st"},  {"a_b", "a_5Fb"},
        {"v2", "v2"},         {"\xE9t\xE9", "_E9t_E9"},   {"a.b-c", "a_2Eb_2Dc"}, {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EncodeElementName(c.name), c.element);
        EXPECT_EQ(DecodeElementName(c.element), c.name);
    }
}

TEST(ElementName, DecodingAcceptsMoreThanEncodingProduces) {
    struct Case {
        const char* element;
        const char* name;
    };
    const Case cases[] = {
        {"a_5fb", "a_b"}, {"a_4x", "a_4x"}, {"a_", "a_"},     {"a_4", "a_4"},   {"_", "_"},
        {"__41", "_A"},   {"a_00b", "a"},   {"_g0x", "_g0x"}, {"_4_41", "_4A"}, {"x_2", "x_2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element);
        EXPECT_EQ(DecodeElementName(c.element), c.name);
    }
}

TEST(ElementName, LongNamesRoundTripWithoutLimit) {
    std::string name(5000, ' ');
    name += "tail";
    const std::string element = EncodeElementName(name.c_str());
    EXPECT_EQ(element.size(), 5000u * 3 + 4);
    EXPECT_EQ(DecodeElementName(element.c_str()), name);
}

TEST(ElementName, HexDigitValueIgnoresLetterCase) {
    EXPECT_EQ(HexDigitValue('0'), 0u);
    EXPECT_EQ(HexDigitValue('9'), 9u);
    EXPECT_EQ(HexDigitValue('a'), 10u);
    EXPECT_EQ(HexDigitValue('F'), 15u);
    EXPECT_EQ(HexDigitValue('g'), 255u);
    EXPECT_EQ(HexDigitValue('_'), 255u);
}

}  // namespace
}  // namespace tlv
