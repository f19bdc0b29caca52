#include "settings/SettingsStore.h"

#include "settings/tests/SettingsDump.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace tlv {
namespace {

using test::Dump;

TEST(SettingsStore, NamesMatchIgnoringAsciiCaseAndKeepFirstSpellingAndPosition) {
    SettingsStore store;
    store.SetString("Common", "Name", "one");
    store.SetString("Other", "x", "1");
    store.SetString("COMMON", "NAME", "two");
    store.SetString("common", "version", "7");
    EXPECT_EQ(Dump(store), "Common: Name=two, version=7; Other: x=1");
    EXPECT_STREQ(store.GetString("cOmMoN", "nAmE", nullptr), "two");
    // Only A to Z fold: é and É are different names.
    store.SetString("g", "\xE9", "lower");
    store.SetString("g", "\xC9", "upper");
    EXPECT_EQ(store.FindGroup("G")->EntryCount(), 2u);
}

TEST(SettingsStore, RemovedGroupComesBackAtTheEndWithOnlyTheNewEntry) {
    SettingsStore store;
    store.SetString("a", "k1", "1");
    store.SetString("a", "k2", "2");
    store.SetString("b", "k", "3");
    store.RemoveGroup("A");
    store.SetString("a", "k2", "new");
    EXPECT_EQ(Dump(store), "b: k=3; a: k2=new");
}

TEST(SettingsStore, LongListsKeepOrderAndMatchingRules) {
    // Enough groups and entries that lookups go through the name index.
    SettingsStore store;
    for (int g = 0; g < 40; ++g) {
        for (int k = 0; k < 20; ++k) {
            store.SetString(("Group" + std::to_string(g)).c_str(), ("Key" + std::to_string(k)).c_str(), "v");
        }
    }
    store.SetString("GROUP7", "KEY13", "updated");
    store.RemoveGroup("group3");
    store.RemoveKey("group5", "key0");
    store.SetString("Group3", "key2", "again");
    ASSERT_EQ(store.GroupCount(), 40u);
    EXPECT_STREQ(store.GroupName(2), "Group2");
    EXPECT_STREQ(store.GroupName(3), "Group4");
    EXPECT_STREQ(store.GroupName(39), "Group3");
    EXPECT_STREQ(store.GetString("group7", "key13", nullptr), "updated");
    EXPECT_STREQ(store.FindGroup("group7")->EntryName(13), "Key13");
    EXPECT_EQ(store.FindGroup("Group3")->EntryCount(), 1u);
    EXPECT_EQ(store.GetString("group5", "key0", nullptr), nullptr);
    EXPECT_STREQ(store.FindGroup("group5")->EntryName(0), "Key1");
    EXPECT_EQ(store.FindGroup("group5")->EntryCount(), 19u);
}

TEST(SettingsStore, ManyRemovalsAndInsertionsAgreeWithAPlainList) {
    // A plain list searched from the front is the reference for order and matching.
    std::vector<std::string> expected;
    auto position = [&expected](const std::string& name) {
        for (size_t i = 0; i < expected.size(); ++i) {
            if (_stricmp(expected[i].c_str(), name.c_str()) == 0) {
                return i;
            }
        }
        return expected.size();
    };
    SettingsStore store;
    unsigned seed = 12345;
    for (int step = 0; step < 5000; ++step) {
        seed = seed * 1103515245 + 12345;
        std::string name = "Name" + std::to_string((seed >> 8) % 300);
        if ((seed >> 4) & 1) {
            name[0] = 'n';
        }
        if ((seed >> 20) % 3 == 0) {
            store.RemoveGroup(name.c_str());
            if (position(name) < expected.size()) {
                expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(position(name)));
            }
        } else {
            store.SetString(name.c_str(), "k", "v");
            if (position(name) == expected.size()) {
                expected.push_back(name);
            }
        }
    }
    ASSERT_EQ(store.GroupCount(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_STREQ(store.GroupName(static_cast<uint32_t>(i)), expected[i].c_str());
    }
    EXPECT_EQ(store.FindGroup("NAME300"), nullptr);
}

TEST(SettingsStore, RemoveKeyClosesTheGapAndIgnoresWhatIsMissing) {
    SettingsStore store;
    store.SetString("g", "a", "1");
    store.SetString("g", "b", "2");
    store.SetString("g", "c", "3");
    store.RemoveKey("G", "B");
    store.RemoveKey("g", "missing");
    store.RemoveKey("missing", "a");
    store.RemoveGroup("missing");
    EXPECT_EQ(Dump(store), "g: a=1, c=3");
    store.SetString("g", "b", "4");
    EXPECT_EQ(Dump(store), "g: a=1, c=3, b=4");
}

TEST(SettingsStore, IndexedNamesAreNullAtTheCount) {
    SettingsStore store;
    EXPECT_EQ(store.GroupName(0), nullptr);
    store.SetString("g", "k", "v");
    store.SetString("h", "k", "v");
    store.RemoveGroup("g");
    EXPECT_STREQ(store.GroupName(0), "h");
    EXPECT_EQ(store.GroupName(1), nullptr);
    EXPECT_STREQ(store.FindGroup("h")->EntryName(0), "k");
    EXPECT_EQ(store.FindGroup("h")->EntryName(1), nullptr);
}

TEST(SettingsStore, GetStringGivesTheDefaultOnlyWhenSomethingIsMissing) {
    SettingsStore store;
    const char* fallback = "fallback";
    store.SetString("g", "empty", "");
    EXPECT_STREQ(store.GetString("g", "empty", fallback), "");
    EXPECT_EQ(store.GetString("g", "missing", fallback), fallback);
    EXPECT_EQ(store.GetString("missing", "empty", nullptr), nullptr);
}

TEST(SettingsStore, IntegersReadLikeAtol) {
    struct Case {
        const char* value;
        int32_t expected;
    };
    const Case cases[] = {
        {"42", 42}, {"12abc", 12}, {"abc", 0}, {"  -7", -7}, {"\t+5", 5}, {"", 0}, {"- 3", 0},
        {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN},
    };
    SettingsStore store;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        store.SetString("g", "k", c.value);
        EXPECT_EQ(store.GetInt("g", "k", 99), c.expected);
    }
    EXPECT_EQ(store.GetInt("g", "missing", 99), 99);
    store.SetInt("g", "n", -12);
    EXPECT_STREQ(store.GetString("g", "n", nullptr), "-12");
}

TEST(SettingsStore, IntInRangeKeepsBoundsInclusiveAndDefaultUnchecked) {
    struct Case {
        const char* value;  // null: entry missing
        int32_t defaultValue;
        int32_t expected;
    };
    const Case cases[] = {
        {"1", 5, 1}, {"10", 5, 10}, {"0", 5, 5}, {"11", 5, 5}, {nullptr, 50, 50}, {"x", 5, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value != nullptr ? c.value : "(missing)");
        SettingsStore store;
        if (c.value != nullptr) {
            store.SetString("g", "k", c.value);
        }
        EXPECT_EQ(store.GetIntInRange("g", "k", c.defaultValue, 1, 10), c.expected);
    }
}

TEST(SettingsStore, TruthValuesAreStoredAsGivenAndReadAsZeroOrOne) {
    SettingsStore store;
    store.SetBool("g", "b", 5);
    EXPECT_STREQ(store.GetString("g", "b", nullptr), "5");
    EXPECT_EQ(store.GetBool("g", "b", 0), 1);
    store.SetString("g", "b", "no");
    EXPECT_EQ(store.GetBool("g", "b", 1), 0);
    EXPECT_EQ(store.GetBool("g", "missing", 7), 7);
}

TEST(SettingsStore, FloatingPointTextHasSixSignificantDigits) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {2.0, "2."},         {0.5, "0.5"},          {1234.5, "1234.5"},      {0.01, "1.e-002"},
        {2.5e6, "2.5e+006"}, {-3.25, "-3.25"},      {123456.0, "123456"},    {100000.0, "100000"},
        {0.1, "0.1"},        {999999.7, "1.e+006"}, {0.0999999999, "0.1"},   {1.0 / 3, "0.333333"},
        {1e-300, "1.e-300"}, {0.0, "0."},           {12345678.0, "1.23457e+007"},
    };
    SettingsStore store;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        store.SetDouble("g", "d", c.value);
        EXPECT_STREQ(store.GetString("g", "d", nullptr), c.text);
        EXPECT_NEAR(store.GetDouble("g", "d", -1.0), c.value, std::fabs(c.value) * 1e-5);
    }
}

TEST(SettingsStore, FloatingPointReadingTakesTheLeadingNumber) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"  1.5kg", 1.5}, {"-2.e+003", -2000.0}, {".25", 0.25}, {"3e", 3.0}, {"abc", 0.0},
        {"0x10", 0.0},    {"inf", 0.0},          {"1e5x", 1e5}, {"", 0.0},
    };
    SettingsStore store;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        store.SetString("g", "d", c.text);
        EXPECT_EQ(store.GetDouble("g", "d", -1.0), c.expected);
    }
    EXPECT_EQ(store.GetDouble("g", "missing", -1.0), -1.0);
}

TEST(SettingsStore, ByteBlocksCarryCountAndSum) {
    SettingsStore store;
    const unsigned char data[] = {0x01, 0xAB};
    store.SetBinary("g", "b", data, 2);
    EXPECT_STREQ(store.GetString("g", "b", nullptr), "02000000AC00000001AB");
    unsigned char buffer[2] = {};
    EXPECT_EQ(store.GetBinary("g", "b", buffer, 2), 1);
    EXPECT_EQ(buffer[0], 0x01);
    EXPECT_EQ(buffer[1], 0xAB);

    store.SetBinary("g", "empty", nullptr, 0);
    EXPECT_STREQ(store.GetString("g", "empty", nullptr), "0000000000000000");
    EXPECT_EQ(store.GetBinary("g", "empty", nullptr, 0), 1);
}

TEST(SettingsStore, ByteBlockMismatchesFail) {
    SettingsStore store;
    unsigned char buffer[3] = {0x11, 0x22, 0x33};

    store.SetString("g", "b", "02000000AC00000001AB");
    EXPECT_EQ(store.GetBinary("g", "b", buffer, 3), 0);
    EXPECT_EQ(buffer[0], 0x11) << "a size mismatch leaves the buffer alone";

    // Lower-case digits decode; the sum field says AD, the bytes add up to AC.
    store.SetString("g", "b", "02000000ad00000001ab");
    EXPECT_EQ(store.GetBinary("g", "b", buffer, 2), 0);
    EXPECT_EQ(buffer[0], 0x01);
    EXPECT_EQ(buffer[1], 0xAB);

    // Shorter than the header: no block, whatever size is asked for.
    store.SetString("g", "b", "0200");
    EXPECT_EQ(store.GetBinary("g", "b", buffer, 0), 0);
    EXPECT_EQ(store.GetBinary("g", "b", buffer, 0x7FFFFFFE), 0);
    EXPECT_EQ(store.GetBinary("g", "missing", buffer, 0), 0);
}

TEST(SettingsStore, UnloadedUntilLoadAndAgainAfterReset) {
    SettingsStore store;
    EXPECT_EQ(store.IsUnloaded(), 1);
    store.Load("Z:\\nonexistent\\folder\\settings.xml", 1);
    EXPECT_EQ(store.IsUnloaded(), 0);
    store.SetString("g", "k", "v");
    store.Reset();
    EXPECT_EQ(store.IsUnloaded(), 1);
    EXPECT_EQ(store.GroupCount(), 0u);
}

// Operations defined through others go through the interface, so that an override is seen.
class RecordingStore : public SettingsStore {
public:
    void SetString(const char* group, const char* key, const char* value) override {
        calls += std::string(group) + "/" + key + "=" + value + " ";
        SettingsStore::SetString(group, key, value);
    }
    std::string calls;
};

TEST(SettingsStore, TypedSettersGoThroughSetString) {
    RecordingStore store;
    store.SetBool("g", "b", 2);
    store.SetDouble("g", "d", 2.0);
    const unsigned char byte = 0xFF;
    store.SetBinary("g", "x", &byte, 1);
    EXPECT_EQ(store.calls, "g/b=2 g/d=2. g/x=01000000FF000000FF ");
}

}  // namespace
}  // namespace tlv
