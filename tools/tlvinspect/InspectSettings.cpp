// tlvinspect settings [--text] FILE [--save OUT [--save-text]]: loads FILE into a fresh settings store (the
// XML form unless --text) and shows its resolved path, whether it counts as loaded, and its groups and
// entries in order. With --save the store is then written to OUT (the XML form unless --save-text), which
// also converts between the two forms.

#include "settings/SettingsStore.h"
#include "tools/tlvinspect/InspectCommands.h"

#include <optional>

namespace tlv {

namespace {

struct SettingsArguments {
    bool readText = false;
    std::string file;
    std::optional<std::string> saveTo;
    bool saveText = false;
};

SettingsArguments ParseSettingsArguments(const std::vector<std::string>& arguments) {
    SettingsArguments parsed;
    bool haveFile = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--text") {
            parsed.readText = true;
        } else if (argument == "--save-text") {
            parsed.saveText = true;
        } else if (argument == "--save") {
            if (i + 1 >= arguments.size()) {
                throw UsageError{"settings: --save needs a file"};
            }
            parsed.saveTo = arguments[++i];
        } else if (argument.rfind("--", 0) == 0) {
            throw UsageError{"settings: unknown option " + argument};
        } else if (haveFile) {
            throw UsageError{"settings: one settings file only"};
        } else {
            parsed.file = argument;
            haveFile = true;
        }
    }
    if (!haveFile) {
        throw UsageError{"settings: a settings file is needed"};
    }
    if (parsed.saveText && !parsed.saveTo) {
        throw UsageError{"settings: --save-text goes with --save"};
    }
    return parsed;
}

void DescribeGroups(SettingsStore& store, JsonWriter& json) {
    json.Key("groups").BeginArray();
    for (uint32_t i = 0; i < store.GroupCount(); ++i) {
        const SettingsGroup* group = store.FindGroup(store.GroupName(i));
        json.BeginObject().Key("name").String(group->Name()).Key("entries").BeginArray();
        group->ForEachEntry([&json](const SettingsEntry& entry) {
            json.BeginObject().Key("name").String(entry.Name()).Key("value").String(entry.Value()).EndObject();
        });
        json.EndArray().EndObject();
    }
    json.EndArray();
}

}  // namespace

void InspectSettings(const std::vector<std::string>& arguments, JsonWriter& json) {
    const SettingsArguments parsed = ParseSettingsArguments(arguments);
    SettingsStore store;
    store.Load(parsed.file.c_str(), parsed.readText ? 0 : 1);
    json.BeginObject();
    json.Key("path").String(store.Path().c_str());
    json.Key("unloaded").Integer(store.IsUnloaded());
    DescribeGroups(store, json);
    if (parsed.saveTo) {
        store.SetPath(parsed.saveTo->c_str());
        store.SetFormat(parsed.saveText ? 0 : 1);
        json.Key("saved").Integer(store.Save());
    }
    json.EndObject();
}

}  // namespace tlv
