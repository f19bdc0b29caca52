#pragma once

#include "common/UniqueHandle.h"

#include <windows.h>

#include <string>

namespace tlv::test {

// A running fakeproduct.exe: holds the product's mutex and a top-level window with the given title.
class FakeProductProcess {
public:
    // How the product answers WM_QUIT: it ignores it, or it quits after the given pause.
    static constexpr long kIgnoresQuit = -1;

    // Returns once the product's window exists (and so its mutex); fails the test if it never does.
    FakeProductProcess(const std::string& title, long quitDelayMilliseconds);
    FakeProductProcess(const FakeProductProcess&) = delete;
    FakeProductProcess& operator=(const FakeProductProcess&) = delete;
    // Ends the product if it still runs.
    ~FakeProductProcess();

    bool IsRunning() const;
    // As a user would: the product ends at once and lets go of its mutex. Waits for its end.
    void CloseByHand();
    // Waits for the product's end and gives the number of WM_QUIT messages it received.
    unsigned QuitRequestsReceived();

private:
    unsigned WaitForExit();

    UniqueKernelHandle process_;
    HWND window_ = nullptr;
};

}  // namespace tlv::test
