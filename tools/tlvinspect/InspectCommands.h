#pragma once

#include "tools/tlvinspect/JsonWriter.h"

#include <string>
#include <vector>

namespace tlv {

// One subcommand of tlvinspect: runs one of the library's readers on the files named in arguments and
// describes what it saw in json. Throws UsageError when the arguments do not fit.
using InspectCommand = void (*)(const std::vector<std::string>& arguments, JsonWriter& json);

struct UsageError {
    std::string message;
};

struct InspectCommandInfo {
    const char* name;
    const char* usage;
    InspectCommand run;
};

// The subcommands, each defined in its own Inspect*.cpp.
extern const std::vector<InspectCommandInfo> kInspectCommands;

}  // namespace tlv
