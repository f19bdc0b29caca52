#include "plugins/PluginListMerge.h"

#include "plugins/PluginCatalog.h"
#include "plugins/PluginListWriter.h"

#include <cstdint>
#include <map>
#include <vector>

namespace tlv {

namespace {

// Keyed by the number taken as unsigned, so that negative numbers come after all others.
using MergeMap = std::map<uint32_t, const IPluginRecord*>;

void Insert(MergeMap& merged, const PluginCatalog& catalog) {
    for (uint32_t index = 0; index < catalog.Count(); ++index) {
        const IPluginRecord* record = catalog.RecordAt(index);
        merged[static_cast<uint32_t>(record->Id())] = record;
    }
}

}  // namespace

bool PluginListMerge::Merge(const char* resultPath, const char* firstPath, const char* secondPath) {
    PluginCatalog first;
    if (!first.Load(firstPath)) {
        return false;
    }
    PluginCatalog second;
    if (!second.Load(secondPath)) {
        return false;
    }
    MergeMap merged;
    Insert(merged, first);
    Insert(merged, second);
    std::vector<const IPluginRecord*> records;
    records.reserve(merged.size());
    for (const auto& entry : merged) {
        records.push_back(entry.second);
    }
    // Whether the result could be written does not change the outcome.
    PluginListWriter::Write(resultPath, records.data(), static_cast<int>(records.size()));
    return true;
}

}  // namespace tlv
