#include "tools/tlvinspect/InspectCommands.h"

namespace tlv {

void InspectPlugins(const std::vector<std::string>& arguments, JsonWriter& json);
void InspectResources(const std::vector<std::string>& arguments, JsonWriter& json);
void InspectSettings(const std::vector<std::string>& arguments, JsonWriter& json);

const std::vector<InspectCommandInfo> kInspectCommands = {
    {"plugins", "FILE", InspectPlugins},
    {"resources", "FILE", InspectResources},
    {"settings", "[--text] FILE [--save OUT [--save-text]]", InspectSettings},
};

}  // namespace tlv
