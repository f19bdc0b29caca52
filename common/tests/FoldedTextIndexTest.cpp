#include "common/FoldedTextIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <deque>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tlv {
namespace {

using Entry = const std::string*;

std::string_view TextOf(const Entry& entry) { return *entry; }

// From a pool of a few hundred texts, short and long, each letter in a random case, so that texts come
// again in other spellings and runs of the table wrap around its end.
std::string RandomText(std::mt19937& random) {
    static const char* const kStems[] = {"k", "Key", "Voices\\Set", "A longer text of more than sixteen bytes "};
    const unsigned number = random() % 400;
    std::string text = kStems[number % 4] + std::to_string(number);
    for (char& c : text) {
        if (random() % 2 == 0) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return text;
}

// The index against a plain walk over the live entries, through many random additions, lookups and
// removals.
TEST(FoldedTextIndexTest, AgreesWithALinearWalk) {
    std::mt19937 random(20261211);
    FoldedTextIndex<Entry> index(TextOf);
    std::deque<std::string> texts;  // every text ever added, at a fixed address
    std::vector<Entry> live;
    const auto walk = [&live](std::string_view text) -> Entry {
        for (const Entry entry : live) {
            if (EqualsIgnoringAsciiCase(*entry, text)) {
                return entry;
            }
        }
        return nullptr;
    };
    for (int step = 0; step < 60000; ++step) {
        const std::string text = RandomText(random);
        const size_t hash = HashIgnoringAsciiCase(text);
        const Entry expected = walk(text);
        SCOPED_TRACE(testing::Message() << "step " << step << ", text " << text);
        switch (random() % 3) {
        case 0: {
            const Entry* found = index.Find(text, hash);
            ASSERT_EQ(found != nullptr ? *found : nullptr, expected);
            break;
        }
        case 1: {
            texts.push_back(text);
            const auto [entry, added] = index.Emplace(&texts.back(), hash);
            ASSERT_EQ(added, expected == nullptr);
            ASSERT_EQ(*entry, added ? &texts.back() : expected);
            if (added) {
                live.push_back(&texts.back());
            }
            break;
        }
        default: {
            Entry* found = index.Find(text, hash);
            ASSERT_EQ(found != nullptr ? *found : nullptr, expected);
            if (found != nullptr) {
                index.Erase(found);
                live.erase(std::find(live.begin(), live.end(), expected));
                // The entries moved back to close the gap must still be found.
                for (const Entry entry : live) {
                    const Entry* again = index.Find(*entry, HashIgnoringAsciiCase(*entry));
                    ASSERT_TRUE(again != nullptr && *again == entry) << *entry;
                }
            }
        }
        }
        ASSERT_EQ(index.Count(), live.size());
        if (step % 20000 == 19999) {
            index.Clear();
            live.clear();
        }
    }
}

}  // namespace
}  // namespace tlv
