#include "exports/RunningInstanceControl.h"

#include "common/AsciiText.h"
#include "common/UniqueHandle.h"


namespace tlv {

namespace {

constexpr char kMutexName[] = "TLV3 GLOBAL";
constexpr char kWindowName[] = "TlvCoreDispatch";

// Compared whole, ASCII letter case ignored, in this order.
constexpr const char* kProductTitles[] = {
    "ob tlv",
    "ob tlv amber",
    "ob tlv onyx",
    "talvesta software",
    "talvesta software amber",
    "talvesta software onyx",
};

constexpr char kCaption[] = "Message";
constexpr char kAskText[] =
    "Found running ORBENK Software. To continue installation ORBENK Software must be closed.\n"
    "Would you really like to close it now?";
constexpr char kManualText[] = "It cannot be closed automatically. Please, close it manually and press 'OK'";
constexpr char kStopText[] = "ORBENK Software is still running. Installation will stop.";

constexpr int kQuitChecks = 5;
constexpr DWORD kCheckPauseMilliseconds = 1000;

int ShowMessage(const char* text, UINT style) {
    return ::MessageBoxA(nullptr, text, kCaption, style);
}

bool IsProductTitle(const char* title) {
    for (const char* productTitle : kProductTitles) {
        if (EqualsIgnoringAsciiCase(title, productTitle)) {
            return true;
        }
    }
    return false;
}

// Ends early once the product has let go of its mutex.
void WaitForProductToQuit() {
    for (int check = 0; check < kQuitChecks && RunningInstanceControl::ProductMutexExists(); ++check) {
        ::Sleep(kCheckPauseMilliseconds);
    }
}

}  // namespace

int RunningInstanceControl::CloseRunningProduct() {
    if (!ProductMutexExists()) {
        return 1;
    }
    if (ShowMessage(kAskText, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return 0;
    }
    // Without a window nobody is asked to quit and nobody waits: the user closes the product.
    if (const HWND window = FindProductWindow()) {
        ::PostMessageA(window, WM_QUIT, 0, 0);
        WaitForProductToQuit();
    }
    if (ProductMutexExists()) {
        ShowMessage(kManualText, MB_OK | MB_ICONINFORMATION);
    }
    if (ProductMutexExists()) {
        ShowMessage(kStopText, MB_OK | MB_ICONWARNING);
        return 0;
    }
    return 1;
}

HANDLE RunningInstanceControl::CreateProductMutex() {
    return ::CreateMutexA(nullptr, FALSE, kMutexName);
}

bool RunningInstanceControl::ProductMutexExists() {
    // A mutex that exists but refuses full access (another user's, say) counts as absent.
    const UniqueKernelHandle mutex(::OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kMutexName));
    return mutex.IsValid();
}

HWND RunningInstanceControl::FindProductWindow() {
    HWND window = ::FindWindowExA(nullptr, nullptr, nullptr, kWindowName);
    if (window == nullptr) {
        ::EnumWindows(MatchProductWindow, reinterpret_cast<LPARAM>(&window));
    }
    return window;
}

BOOL CALLBACK RunningInstanceControl::MatchProductWindow(HWND window, LPARAM found) noexcept {
    char title[1024] = {};
    ::GetWindowTextA(window, title, sizeof(title));
    if (!IsProductTitle(title)) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace tlv
