// A module that asks for the installation's target folder. Built twice, as TargetProbeA.dll and
// TargetProbeB.dll; each call is reported to the test program that loaded it.

#include <windows.h>

using RecordFunction = void (*)(const char* probe, const char* folder);

extern "C" __declspec(dllexport) void WINAPI SetTargetFolder(const char* folder) {
    const auto record = reinterpret_cast<RecordFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA(nullptr), "RecordTargetFolderCall")));
    if (record != nullptr) {
        record(PROBE_NAME, folder);
    }
}
