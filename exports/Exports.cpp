// The functions the installer calls, by the names in TlvSetup.def. Each one is a thin shell: it turns
// the installer's texts into the library's calls and every failure into its documented result.

#include "common/AnsiText.h"
#include "exports/EnvironmentProbes.h"
#include "exports/ExportGuard.h"
#include "exports/RunningInstanceControl.h"
#include "plugins/PluginListMerge.h"

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

INT32 WINAPI f16() {
    return GuardExport<INT32>(0, [] { return RunningInstanceControl::CloseRunningProduct(); });
}

HANDLE WINAPI f17() {
    return GuardExport<HANDLE>(nullptr, [] { return RunningInstanceControl::CreateProductMutex(); });
}

ShortResult WINAPI f18(const char* resultPath, const char* firstPath, const char* secondPath) {
    return GuardExport<ShortResult>(0, [=] {
        InitializeCom();
        return PluginListMerge::Merge(resultPath, firstPath, secondPath) ? 1 : 0;
    });
}

void WINAPI f23(const char* folder) {
    GuardExport([folder] { EnvironmentProbes::NotifyLoadedModules(TextOrEmpty(folder)); });
}

}  // extern "C"
