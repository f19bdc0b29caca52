// tlvinspect resources FILE: the resource list as the catalogue reads it, with each entry's derived facts.

#include "resources/ResourceCatalog.h"
#include "tools/tlvinspect/InspectCommands.h"

namespace tlv {

void InspectResources(const std::vector<std::string>& arguments, JsonWriter& json) {
    if (arguments.size() != 1) {
        throw UsageError{"resources takes one list file"};
    }
    ResourceCatalog catalog;
    const int loaded = catalog.Load(arguments[0].c_str());
    json.BeginObject();
    json.Key("loaded").Integer(loaded);
    json.Key("folder").String(catalog.Folder().c_str());
    json.Key("resources").BeginArray();
    for (int index = 0; index < catalog.Count(); ++index) {
        IResourceEntry* entry = catalog.EntryAt(index);
        json.BeginObject();
        json.Key("id").Integer(entry->Id());
        json.Key("location").String(entry->Location());
        json.Key("fullPath").String(entry->FullPath());
        json.Key("fileName").String(entry->FileName());
        json.Key("extension").String(entry->Extension());
        json.Key("kind").Integer(entry->FileKind());
        json.Key("settings").String(entry->Settings());
        json.Key("contentCode").String(entry->ContentCode());
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

}  // namespace tlv
