#include "exports/tests/MessageBoxWatcher.h"

#include <utility>

namespace tlv::test {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);
constexpr auto kCloseTimeout = std::chrono::seconds(10);

std::string WindowText(HWND window) {
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ClassName(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

BoxIcon IconKind(HICON icon) {
    if (icon == nullptr) {
        return BoxIcon::None;
    }
    const std::pair<LPCSTR, BoxIcon> kinds[] = {
        {IDI_QUESTION, BoxIcon::Question},
        {IDI_INFORMATION, BoxIcon::Information},
        {IDI_WARNING, BoxIcon::Warning},
    };
    for (const auto& [id, kind] : kinds) {
        if (::LoadIconA(nullptr, id) == icon) {
            return kind;
        }
    }
    return BoxIcon::Other;
}

// The text and the icon are both Static children; the icon's has the SS_ICON type.
BOOL CALLBACK ReadStaticChild(HWND child, LPARAM seenBox) {
    SeenBox& seen = *reinterpret_cast<SeenBox*>(seenBox);
    if (_stricmp(ClassName(child).c_str(), "Static") != 0) {
        return TRUE;
    }
    if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        seen.icon = IconKind(reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0)));
    } else if (const std::string text = WindowText(child); !text.empty()) {
        seen.text = text;
    }
    return TRUE;
}

std::string VisibleButtons(HWND box) {
    const std::pair<int, const char*> kButtons[] = {
        {IDOK, "OK"},         {IDCANCEL, "Cancel"}, {IDABORT, "Abort"}, {IDRETRY, "Retry"},
        {IDIGNORE, "Ignore"}, {IDYES, "Yes"},       {IDNO, "No"},
    };
    std::string names;
    for (const auto& [id, name] : kButtons) {
        const HWND button = ::GetDlgItem(box, id);
        if (button != nullptr && ::IsWindowVisible(button)) {
            names += names.empty() ? name : std::string(" ") + name;
        }
    }
    return names;
}

SeenBox ReadBox(HWND box) {
    SeenBox seen;
    seen.shown = Clock::now();
    seen.caption = WindowText(box);
    seen.buttons = VisibleButtons(box);
    seen.hasOwner = ::GetWindow(box, GW_OWNER) != nullptr;
    ::EnumChildWindows(box, ReadStaticChild, reinterpret_cast<LPARAM>(&seen));
    DWORD processId = 0;
    ::GetWindowThreadProcessId(box, &processId);
    if (processId != ::GetCurrentProcessId()) {
        seen.icon = BoxIcon::Unknown;
    }
    return seen;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(std::initializer_list<BoxAnswer> answers)
    : answers_(answers), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    Finish();
}

std::vector<SeenBox> MessageBoxWatcher::Finish() {
    stopping_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    return seen_;
}

void MessageBoxWatcher::Watch() {
    while (!stopping_) {
        const HWND box = ::FindWindowA(nullptr, "Message");
        // A box is read once it shows: its texts are set before that.
        if (box != nullptr && ::IsWindowVisible(box)) {
            SeenBox seen = ReadBox(box);
            Answer(box, seen);
            seen_.push_back(std::move(seen));
        } else {
            std::this_thread::sleep_for(kPollInterval);
        }
    }
}

void MessageBoxWatcher::Answer(HWND box, SeenBox& seen) {
    const size_t index = seen_.size();
    int command = seen.buttons.find("No") != std::string::npos ? IDNO : IDOK;
    if (index < answers_.size()) {
        if (answers_[index].beforeAnswer) {
            answers_[index].beforeAnswer();
        }
        command = answers_[index].command;
    }
    seen.answered = Clock::now();
    ::PostMessageA(box, WM_COMMAND, command, 0);
    // The next box may carry the same caption: wait until this one is gone.
    const auto deadline = Clock::now() + kCloseTimeout;
    while (::IsWindow(box) && Clock::now() < deadline) {
        std::this_thread::sleep_for(kPollInterval);
    }
}

}  // namespace tlv::test
