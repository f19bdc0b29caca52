#pragma once

#include <windows.h>

namespace tlv {

// The installer's surroundings: whether the XML services can be created, and handing the target folder
// to every module of the process that asks for it through an exported SetTargetFolder.
class EnvironmentProbes {
public:
    // COM must be initialised on the calling thread.
    static bool XmlServicesAvailable();

    // Visits every module of the process in the order the platform lists them.
    static void NotifyLoadedModules(const char* folder);
    // The two ways of listing the modules: the process-status library on the NT family, the tool-help
    // functions elsewhere. Each returns false when its functions are missing or fail.
    static bool NotifyWithProcessStatus(const char* folder);
    static bool NotifyWithToolHelp(const char* folder);

    // Calls the module's SetTargetFolder, if it has one, with folder passed on unchanged.
    static void NotifyTargetFolder(HMODULE module, const char* folder);
};

}  // namespace tlv
