#include "exports/EnvironmentProbes.h"

#include "common/UniqueHandle.h"
#include "xml/XmlServices.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

namespace tlv {

namespace {

using SetTargetFolderFunction = void(WINAPI*)(const char* folder);
using EnumProcessModulesFunction = BOOL(WINAPI*)(HANDLE process, HMODULE* modules, DWORD size, DWORD* needed);
using CreateSnapshotFunction = HANDLE(WINAPI*)(DWORD flags, DWORD processId);
using ModuleWalkFunction = BOOL(WINAPI*)(HANDLE snapshot, MODULEENTRY32* entry);

// GetProcAddress gives a generic function pointer; each caller knows the real type.
template <typename Function>
Function LookUp(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

bool IsNtFamily() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&version)) {
        // Every platform this library still meets is of the NT family.
        return true;
    }
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

bool EnvironmentProbes::XmlServicesAvailable() {
    Microsoft::WRL::ComPtr<ISAXXMLReader> reader;
    if (FAILED(XmlServices::CreateSaxReader(reader))) {
        return false;
    }
    reader.Reset();
    Microsoft::WRL::ComPtr<IMXWriter> writer;
    return SUCCEEDED(XmlServices::CreateXmlWriter(writer));
}

void EnvironmentProbes::NotifyLoadedModules(const char* folder) {
    if (IsNtFamily()) {
        NotifyWithProcessStatus(folder);
    } else {
        NotifyWithToolHelp(folder);
    }
}

bool EnvironmentProbes::NotifyWithProcessStatus(const char* folder) {
    // Stays loaded for the rest of the process.
    const HMODULE processStatus = ::LoadLibraryA("PsApi.dll");
    if (processStatus == nullptr) {
        return false;
    }
    const auto enumProcessModules = LookUp<EnumProcessModulesFunction>(processStatus, "EnumProcessModules");
    if (enumProcessModules == nullptr) {
        return false;
    }
    const HANDLE process = ::GetCurrentProcess();
    DWORD needed = 0;
    if (!enumProcessModules(process, nullptr, 0, &needed)) {
        return false;
    }
    std::vector<HMODULE> modules(needed / sizeof(HMODULE));
    if (modules.empty()) {
        return false;
    }
    const DWORD size = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
    if (!enumProcessModules(process, modules.data(), size, &needed)) {
        return false;
    }
    // Modules loaded since the first call are left out; the array holds at most what it was sized for.
    modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
    for (HMODULE module : modules) {
        NotifyTargetFolder(module, folder);
    }
    return true;
}

bool EnvironmentProbes::NotifyWithToolHelp(const char* folder) {
    const HMODULE kernel = ::GetModuleHandleA("Kernel32.dll");
    if (kernel == nullptr) {
        return false;
    }
    const auto createSnapshot = LookUp<CreateSnapshotFunction>(kernel, "CreateToolhelp32Snapshot");
    const auto moduleFirst = LookUp<ModuleWalkFunction>(kernel, "Module32First");
    const auto moduleNext = LookUp<ModuleWalkFunction>(kernel, "Module32Next");
    if (createSnapshot == nullptr || moduleFirst == nullptr || moduleNext == nullptr) {
        return false;
    }
    const UniqueFile snapshot(createSnapshot(TH32CS_SNAPMODULE, ::GetCurrentProcessId()));
    if (!snapshot) {
        return false;
    }
    MODULEENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    if (!moduleFirst(snapshot.Get(), &entry)) {
        return false;
    }
    do {
        NotifyTargetFolder(entry.hModule, folder);
    } while (moduleNext(snapshot.Get(), &entry));
    return true;
}

void EnvironmentProbes::NotifyTargetFolder(HMODULE module, const char* folder) {
    const auto setTargetFolder = LookUp<SetTargetFolderFunction>(module, "SetTargetFolder");
    if (setTargetFolder != nullptr) {
        setTargetFolder(folder);
    }
}

}  // namespace tlv
