#include "exports/tests/FakeProductProcess.h"

#include "testsupport/TestFiles.h"
#include "testsupport/TestProcess.h"

#include <gtest/gtest.h>

namespace tlv::test {

namespace {

constexpr DWORD kStartTimeoutMilliseconds = 20000;
constexpr DWORD kExitTimeoutMilliseconds = 20000;

}  // namespace

FakeProductProcess::FakeProductProcess(const std::string& title, long quitDelayMilliseconds) {
    const std::string path = ProgramFolder() + "fakeproduct.exe";
    const std::string behaviour =
        quitDelayMilliseconds == kIgnoresQuit ? "ignore" : std::to_string(quitDelayMilliseconds);
    std::string commandLine = Quote(path) + " " + Quote(title) + " " + behaviour;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        ADD_FAILURE() << "cannot start " << path;
        return;
    }
    ::CloseHandle(started.hThread);
    process_.Reset(started.hProcess);
    const DWORD startTick = ::GetTickCount();
    while (IsRunning() && ::GetTickCount() - startTick < kStartTimeoutMilliseconds) {
        window_ = ::FindWindowA("TlvFakeProduct", title.c_str());
        if (window_ != nullptr) {
            return;
        }
        ::Sleep(10);
    }
    ADD_FAILURE() << "the fake product titled \"" << title << "\" did not show its window";
}

FakeProductProcess::~FakeProductProcess() {
    if (IsRunning()) {
        ::TerminateProcess(process_.Get(), 200);
        ::WaitForSingleObject(process_.Get(), kExitTimeoutMilliseconds);
    }
}

bool FakeProductProcess::IsRunning() const {
    return process_ && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

void FakeProductProcess::CloseByHand() {
    ::PostMessageA(window_, WM_CLOSE, 0, 0);
    WaitForExit();
}

unsigned FakeProductProcess::QuitRequestsReceived() {
    return WaitForExit();
}

unsigned FakeProductProcess::WaitForExit() {
    if (!process_ || ::WaitForSingleObject(process_.Get(), kExitTimeoutMilliseconds) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the fake product did not end";
        return 0;
    }
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process_.Get(), &exitCode);
    return exitCode;
}

}  // namespace tlv::test
