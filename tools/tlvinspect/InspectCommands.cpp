#include "tools/tlvinspect/InspectCommands.h"

namespace tlv {

extern const InspectCommandInfo kInspectSettings;

const std::vector<InspectCommandInfo> kInspectCommands = {
    kInspectSettings,
};

}  // namespace tlv
