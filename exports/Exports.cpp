// The functions the installer calls, by the names in TlvSetup.def. Each one is a thin shell: it turns
// the installer's texts into the library's calls and every failure into its documented result.

#include "common/AnsiText.h"
#include "exports/EnvironmentProbes.h"
#include "exports/ExportGuard.h"
#include "exports/ProductIdentity.h"
#include "exports/RunningInstanceControl.h"
#include "plugins/PluginListMerge.h"
#include "resources/ResourceMerge.h"
#include "settings/MergeSettingsGroups.h"

#include <objbase.h>

using namespace tlv;

namespace {

// The thread stays initialised for the rest of the process; a repeated call is no failure.
void InitializeCom() noexcept { ::CoInitialize(nullptr); }

// The library's only state between calls, built when the library is loaded and destroyed when it is
// unloaded: the identity queries reload the store on every call, and their texts point into it.
SettingsStore SharedSettings;
DisplayTitleBuffer SharedDisplayTitle;

// An identity query whose text answer points into the shared store; empty when anything fails.
template <typename Query>
const char* IdentityText(const char* settingsPath, Query query) noexcept {
    return GuardExport<const char*>("", [&] {
        InitializeCom();
        return query(SharedSettings, TextOrEmpty(settingsPath));
    });
}

}  // namespace

extern "C" {

LONG WINAPI f10(const char* settingsPath) {
    return GuardExport<LONG>(0, [settingsPath] {
        InitializeCom();
        return static_cast<LONG>(ProductIdentity::Id(SharedSettings, TextOrEmpty(settingsPath)));
    });
}

const char* WINAPI f11(const char* settingsPath) { return IdentityText(settingsPath, ProductIdentity::ShortName); }
const char* WINAPI f12(const char* settingsPath) { return IdentityText(settingsPath, ProductIdentity::Version); }
const char* WINAPI f13(const char* settingsPath) { return IdentityText(settingsPath, ProductIdentity::FullName); }

const char* WINAPI f14(const char* settingsPath) {
    return IdentityText(settingsPath, ProductIdentity::FullNameWithoutBrand);
}

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

const char* WINAPI f21(const char* settingsPath) {
    return IdentityText(settingsPath, [](SettingsStore& settings, const char* path) {
        return ProductIdentity::DisplayTitle(settings, SharedDisplayTitle, path);
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

// Always 0: the installer is not told whether the merge could be written.
ShortResult WINAPI f24(const char* resultPath, const char* firstPath, const char* secondPath) {
    GuardExport([=] {
        InitializeCom();
        MergeSettingsFiles(TextOrEmpty(resultPath), TextOrEmpty(firstPath), TextOrEmpty(secondPath));
    });
    return 0;
}

}  // extern "C"
