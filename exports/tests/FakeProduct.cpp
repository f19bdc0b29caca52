// fakeproduct: plays a running copy of the product for the tests, in a process of its own.
//
//   fakeproduct TITLE (ignore | QUIT_DELAY_MS)
//
// Creates the product's mutex, then one top-level window with the given text (the window name and the
// title are the same thing to the window manager). A WM_QUIT either is counted and ignored, or ends the
// product: it waits QUIT_DELAY_MS, lets go of the mutex and exits. A posted WM_CLOSE ends it at once, as
// a user closing it by hand. The exit code is the number of WM_QUIT messages received; 100 on a usage
// error, 101 when the mutex or the window cannot be made.

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr char kClassName[] = "TlvFakeProduct";

HWND CreateProductWindow(const char* title) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    if (::RegisterClassA(&windowClass) == 0) {
        return nullptr;
    }
    return ::CreateWindowExA(0, kClassName, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                             windowClass.hInstance, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return 100;
    }
    const char* title = argv[1];
    const bool ignoreQuit = std::strcmp(argv[2], "ignore") == 0;
    const DWORD quitDelay = ignoreQuit ? 0 : static_cast<DWORD>(std::atol(argv[2]));

    // The window comes second, so that whoever finds it also finds the mutex.
    HANDLE mutex = ::CreateMutexA(nullptr, FALSE, "TLV3 GLOBAL");
    const HWND window = mutex != nullptr ? CreateProductWindow(title) : nullptr;
    if (window == nullptr) {
        return 101;
    }
    int quitRequests = 0;
    MSG message;
    for (;;) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == -1 || (got != 0 && message.message == WM_CLOSE)) {
            break;
        }
        if (got == 0) {
            ++quitRequests;
            if (ignoreQuit) {
                continue;
            }
            ::Sleep(quitDelay);
            break;
        }
        ::DispatchMessageA(&message);
    }
    ::CloseHandle(mutex);
    return quitRequests;
}
