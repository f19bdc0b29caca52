// tlvinspect: shows what the library's readers see in a file, as JSON on standard output.
//
//   tlvinspect COMMAND ARGUMENTS...
//
// Exit 0 whenever the reader ran (a missing or broken file shows in the JSON), 2 on a usage error.

#include "tools/tlvinspect/InspectCommands.h"

#include <objbase.h>
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

using namespace tlv;

namespace {

std::string Usage() {
    std::string usage = "usage:";
    for (const InspectCommandInfo& command : kInspectCommands) {
        usage += std::string(" tlvinspect ") + command.name + " " + command.usage + " |";
    }
    usage.pop_back();
    return usage;
}

const InspectCommandInfo* FindCommand(const char* name) {
    for (const InspectCommandInfo& command : kInspectCommands) {
        if (std::strcmp(command.name, name) == 0) {
            return &command;
        }
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    ::CoInitialize(nullptr);
    try {
        const InspectCommandInfo* command = argc >= 2 ? FindCommand(argv[1]) : nullptr;
        if (command == nullptr) {
            throw UsageError{Usage()};
        }
        JsonWriter json;
        command->run(std::vector<std::string>(argv + 2, argv + argc), json);
        std::fwrite(json.Text().data(), 1, json.Text().size(), stdout);
        std::fputc('\n', stdout);
        return 0;
    } catch (const UsageError& error) {
        std::fprintf(stderr, "tlvinspect: %s\n", error.message.c_str());
        return 2;
    }
}
