#include "tools/tlvinspect/InspectCommands.h"

namespace tlv {

void InspectResources(const std::vector<std::string>& arguments, JsonWriter& json);

const std::vector<InspectCommandInfo> kInspectCommands = {
    {"resources", "FILE", InspectResources},
};

}  // namespace tlv
