#include "resources/ContentCode.h"

#include "resources/BigNumber.h"
#include "resources/Md5.h"
#include "resources/ResourceEntry.h"
#include "resources/tests/ResourceLists.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tlv {
namespace {

using test::TempFolder;
using test::WithoutTrailingBackslash;
using test::WriteBytes;

constexpr char kEmptyCode[] = "0D8MQOPO488LIBGLFZOQ9L3H7";
constexpr char kAbcCode[] = "GS9W8O6LF6LLH853J7VQN41S6";

Md5::Digest DigestFromHex(const std::string& hex) {
    Md5::Digest digest{};
    for (size_t i = 0; i < digest.size(); ++i) {
        digest[i] = static_cast<uint8_t>(std::stoul(hex.substr(2 * i, 2), nullptr, 16));
    }
    return digest;
}

Md5::Digest Md5Of(const std::string& bytes) {
    Md5 md5;
    md5.Update(bytes.data(), bytes.size());
    return md5.Finish();
}

// Bytes that differ from one position to the next, so that a block taken twice or skipped shows.
std::string PatternBytes(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + 3) & 0xff);
    }
    return bytes;
}

TEST(Md5Test, MatchesTheDigestsPublishedWithTheAlgorithm) {
    const struct {
        const char* message;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(Md5Of(c.message), DigestFromHex(c.digest));
    }
}

TEST(Md5Test, PiecesOfAnySizeGiveTheDigestOfTheWhole) {
    const std::string bytes = PatternBytes(1000);
    for (size_t piece : {1u, 3u, 63u, 64u, 65u, 200u}) {
        SCOPED_TRACE(piece);
        Md5 md5;
        for (size_t offset = 0; offset < bytes.size(); offset += piece) {
            md5.Update(bytes.data() + offset, std::min(piece, bytes.size() - offset));
        }
        EXPECT_EQ(md5.Finish(), Md5Of(bytes));
    }
}

class ContentCodeTest : public ::testing::Test {
protected:
    std::string CodeOf(const std::string& location) {
        ResourceEntry entry(WithoutTrailingBackslash(folder_.Path()), "1", location, "");
        return entry.ContentCode();
    }

    TempFolder folder_;
};

TEST_F(ContentCodeTest, EmptyMissingAndFolderGiveTheCodeOfNoBytes) {
    WriteBytes(folder_.Path("empty"), "");
    ASSERT_TRUE(::CreateDirectoryA(folder_.Path("folder").c_str(), nullptr));
    EXPECT_EQ(CodeOf("empty"), kEmptyCode);
    EXPECT_EQ(CodeOf("missing"), kEmptyCode);
    EXPECT_EQ(CodeOf("folder"), kEmptyCode);
}

TEST_F(ContentCodeTest, CodeDependsOnContentOnly) {
    WriteBytes(folder_.Path("abc"), "abc");
    WriteBytes(folder_.Path("other name.txt"), "abc");
    EXPECT_EQ(CodeOf("abc"), kAbcCode);
    EXPECT_EQ(CodeOf("other name.txt"), kAbcCode);
}

// Around the size of the read buffer, against digests computed elsewhere.
TEST_F(ContentCodeTest, FilesAroundTheBufferSizeMatchIndependentDigests) {
    const struct {
        size_t size;
        const char* md5;
    } cases[] = {
        {16383, "6280ebdb2595915c7e70476a285e5c93"},
        {16384, "239c55b0c6dcac81344234ca75b93e54"},
        {16385, "24f56994f6cb15127416e68eeba1402c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const std::string name = std::to_string(c.size) + ".bin";
        WriteBytes(folder_.Path(name), PatternBytes(c.size));
        const std::string code = CodeOf(name);
        EXPECT_EQ(code, ContentCodeOfDigest(DigestFromHex(c.md5)));
        EXPECT_EQ(code.size(), kContentCodeLength);
    }
}

TEST_F(ContentCodeTest, CodeIsComputedOnceAndKept) {
    const std::string path = folder_.Path("changing");
    WriteBytes(path, "abc");
    ResourceEntry entry(WithoutTrailingBackslash(folder_.Path()), "1", "changing", "");
    EXPECT_STREQ(entry.ContentCode(), kAbcCode);
    WriteBytes(path, "something else");
    EXPECT_STREQ(entry.ContentCode(), kAbcCode);
    EXPECT_NE(CodeOf("changing"), kAbcCode);
}

TEST(ContentCodeOfDigestTest, ClearsTheTopBitAndEndsSmallValuesInZeros) {
    Md5::Digest digest{};
    digest[0] = 35;
    digest[15] = 0x80;  // cleared: only 35 remains
    EXPECT_EQ(ContentCodeOfDigest(digest), "Z" + std::string(24, '0'));
    digest.fill(0xff);
    // 2^127 - 1 in base 36, least significant digit first.
    EXPECT_EQ(ContentCodeOfDigest(digest), "JJCETZQA8VBZDUTUKZZIYYSK7");
}

TEST(BigNumberTest, ReadsBytesLowFirstAndWritesBase36) {
    const uint8_t bytes[] = {0x01, 0x02, 0x03};
    BigNumber number(2);
    number.FromBytes(bytes, sizeof(bytes));
    EXPECT_EQ(number.Digit(0), 0x0201);
    EXPECT_EQ(number.Digit(1), 0x0003);
    // 0x30201 = 197121 = 4*36^3 + 8*36^2 + 3*36 + 21
    EXPECT_EQ(number.ToText(6), "L38400");
}

TEST(BigNumberTest, ArithmeticCarriesAcrossDigitsAndDropsOverflow) {
    const uint8_t maxLow[] = {0xff, 0xff, 0x00, 0x00};
    BigNumber number(2);
    number.FromBytes(maxLow, sizeof(maxLow));
    number.MultiplySmall(2);  // 0x1FFFE
    EXPECT_EQ(number.Digit(0), 0xfffe);
    EXPECT_EQ(number.Digit(1), 0x0001);
    EXPECT_EQ(number.DivideSmall(3), 0x1fffe % 3);
    EXPECT_EQ(number.Digit(0) + 65536 * number.Digit(1), 0x1fffe / 3);

    BigNumber top(1);
    const uint8_t high[] = {0x00, 0x80};
    top.FromBytes(high, sizeof(high));
    top.MultiplySmall(2);  // the carry out of the only digit is dropped
    EXPECT_EQ(top.Digit(0), 0);

    BigNumber small(1);
    const uint8_t one[] = {0x01, 0x00};
    small.FromBytes(one, sizeof(one));
    BigNumber big(3);
    const uint8_t value[] = {0x00, 0x00, 0x01, 0x00, 0x00, 0x00};  // 65536
    big.FromBytes(value, sizeof(value));
    big.Subtract(small);  // borrows from the second digit; the third counts small's as 0
    EXPECT_EQ(big.Digit(0), 0xffff);
    EXPECT_EQ(big.Digit(1), 0);
    EXPECT_EQ(big.Digit(2), 0);
    BigNumber zero(2);
    zero.Subtract(small);  // the final borrow is dropped
    EXPECT_EQ(zero.Digit(0), 0xffff);
    EXPECT_EQ(zero.Digit(1), 0xffff);
    EXPECT_EQ(zero.DivideSmall(0), 0);
}

}  // namespace
}  // namespace tlv
