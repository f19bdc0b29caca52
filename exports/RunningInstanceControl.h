#pragma once

#include <windows.h>

namespace tlv {

// The installer's side of the product's single-instance rule: the product announces itself with the
// named mutex "TLV3 GLOBAL" and is asked to quit through its main window, with the user's consent.
class RunningInstanceControl {
public:
    // 1 when the installation may go on (the product does not run, or it quit), 0 when it must stop
    // (the user refused, or the product still runs). Blocks in message boxes and waits up to 5 seconds.
    static int CloseRunningProduct();

    // The handle of the product's mutex, created or opened; null when neither is possible. The caller
    // owns the handle: while it stays open the product counts as running.
    static HANDLE CreateProductMutex();

    // True when the mutex exists and can be opened with full access.
    static bool ProductMutexExists();

    // The window named "TlvCoreDispatch", else the first top-level window with one of the product's
    // titles; null when there is none.
    static HWND FindProductWindow();

    // EnumWindows callback: found points to the caller's HWND, which receives the first window whose
    // title is one of the product's; returns FALSE then to end the enumeration.
    static BOOL CALLBACK MatchProductWindow(HWND window, LPARAM found) noexcept;
};

}  // namespace tlv
