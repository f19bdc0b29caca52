#include "tools/tlvinspect/InspectCommands.h"

namespace tlv {

const std::vector<InspectCommandInfo> kInspectCommands = {
};

}  // namespace tlv
