#include "resources/ResourceEntry.h"

#include <gtest/gtest.h>

namespace tlv {
namespace {

TEST(ResourceEntryTest, JoinsBaseAndLocationWithOneBackslash) {
    const struct {
        const char* base;
        const char* location;
        const char* fullPath;
    } cases[] = {
        {"D:\\Lists", "Robot", "D:\\Lists\\Robot"},
        {"D:\\Lists\\", "Robot", "D:\\Lists\\\\Robot"},
        {"D:\\Lists", "E:\\x", "D:\\Lists\\E:\\x"},
    };
    for (const auto& c : cases) {
        const ResourceEntry entry(c.base, "1", c.location, "");
        EXPECT_STREQ(entry.FullPath(), c.fullPath);
        EXPECT_STREQ(entry.Location(), c.location);
    }
}

TEST(ResourceEntryTest, DerivesFileNameExtensionAndKind) {
    const struct {
        const char* base;
        const char* location;
        const char* fileName;
        const char* extension;
        int kind;
    } cases[] = {
        {"D:\\dir.old", "file", "file", "", 0},
        {"D:\\x", "Tool.DLL", "Tool.DLL", "DLL", 2},
        {"D:\\x", "sub\\", "", "", 0},
        {"D:\\x", "a.exe", "a.exe", "exe", 1},
        {"D:\\x", "b.Xml", "b.Xml", "Xml", 3},
        {"D:\\x", "c.TXT", "c.TXT", "TXT", 4},
        {"D:\\x", "d.tar.gz", "d.tar.gz", "gz", 0},
        {"D:\\x", "e.", "e.", "", 0},
        {"D:\\x", "dllfile", "dllfile", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.location);
        const ResourceEntry entry(c.base, "1", c.location, "");
        EXPECT_STREQ(entry.FileName(), c.fileName);
        EXPECT_STREQ(entry.Extension(), c.extension);
        EXPECT_EQ(entry.FileKind(), c.kind);
    }
}

TEST(ResourceEntryTest, NullTextsReadAsEmpty) {
    const ResourceEntry entry("D:\\x", nullptr, "a", "");
    EXPECT_EQ(entry.Id(), 0);
}

// As the platform's atol reads it, like every other number the library reads.
TEST(ResourceEntryTest, IdTextBeyondThirtyTwoBitsStopsAtTheLimit) {
    EXPECT_EQ(ResourceEntry("D:\\x", "4294967297", "a", "").Id(), INT32_MAX);
    EXPECT_EQ(ResourceEntry("D:\\x", "-99999999999", "a", "").Id(), INT32_MIN);
    EXPECT_EQ(ResourceEntry("D:\\x", "-2147483648", "a", "").Id(), INT32_MIN);
    EXPECT_EQ(ResourceEntry("D:\\x", "+15", "a", "").Id(), 15);
    EXPECT_EQ(ResourceEntry("D:\\x", "\t\n 9", "a", "").Id(), 9);
}

}  // namespace
}  // namespace tlv
