// tlvinspect plugins FILE: what the plugin catalogue keeps of a plugin list.

#include "plugins/PluginCatalog.h"
#include "tools/tlvinspect/InspectCommands.h"

namespace tlv {

namespace {

void WriteRecord(const IPluginRecord& record, JsonWriter& json) {
    json.BeginObject();
    json.Key("id").Integer(record.Id());
    json.Key("lib").String(record.Lib());
    json.Key("libraryPath").String(record.LibraryPath());
    json.Key("name").String(record.Name());
    json.Key("fullName").String(record.FullName());
    json.Key("description").String(record.Description());
    json.Key("icon").String(record.Icon());
    json.Key("iconLoaded").Boolean(record.IconHandle() != nullptr);
    json.Key("internal").Integer(record.IsInternal());
    json.Key("autostart").Integer(record.IsAutostart());
    json.EndObject();
}

}  // namespace

void InspectPlugins(const std::vector<std::string>& arguments, JsonWriter& json) {
    if (arguments.size() != 1) {
        throw UsageError{"usage: tlvinspect plugins FILE"};
    }
    PluginCatalog catalog;
    const bool loaded = catalog.Load(arguments[0].c_str());
    json.BeginObject();
    json.Key("loaded").Integer(loaded ? 1 : 0);
    json.Key("plugins").BeginArray();
    for (uint32_t index = 0; index < catalog.Count(); ++index) {
        WriteRecord(*catalog.RecordAt(index), json);
    }
    json.EndArray();
    json.EndObject();
}

}  // namespace tlv
