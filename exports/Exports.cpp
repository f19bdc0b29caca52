// The functions the installer calls, by the names in TlvSetup.def. Each one is a thin shell: it turns
// the installer's texts into the library's calls and every failure into its documented result.

#include "common/AnsiText.h"
#include "exports/EnvironmentProbes.h"
#include "exports/ExportGuard.h"
#include "resources/ResourceMerge.h"

#include <objbase.h>

using namespace tlv;

namespace {

// The thread stays initialised for the rest of the process; a repeated call is no failure.
void InitializeCom() noexcept { ::CoInitialize(nullptr); }

}  // namespace

extern "C" {

ShortResult WINAPI f15() {
    return GuardExport<ShortResult>(0, [] {
        InitializeCom();
        return EnvironmentProbes::XmlServicesAvailable() ? 1 : 0;
    });
}

ShortResult WINAPI f19(const char* resultPath, const char* firstPath, const char* secondPath) {
    return GuardExport<ShortResult>(0, [=] {
        InitializeCom();
        return MergeResourceLists(resultPath, firstPath, secondPath) ? 1 : 0;
    });
}

ShortResult WINAPI f20(const char* listPath) {
    return GuardExport<ShortResult>(0, [=] {
        InitializeCom();
        return ResourceFoldersExist(listPath) ? 1 : 0;
    });
}

void WINAPI f23(const char* folder) {
    GuardExport([folder] { EnvironmentProbes::NotifyLoadedModules(TextOrEmpty(folder)); });
}

}  // extern "C"
