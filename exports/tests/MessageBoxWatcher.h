#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace tlv::test {

using Clock = std::chrono::steady_clock;

// Unknown: the box belongs to another process, whose icon handles cannot be compared with ours under Wine.
enum class BoxIcon { None, Question, Information, Warning, Other, Unknown };

// What a message box showed, as read from its window.
struct SeenBox {
    std::string caption;
    std::string text;
    std::string buttons;  // the visible buttons' names in dialog-id order, e.g. "Yes No"
    BoxIcon icon = BoxIcon::None;
    bool hasOwner = false;
    Clock::time_point shown;
    Clock::time_point answered;
};

// How to answer one box: the command to post, after an optional action (closing the product, say).
struct BoxAnswer {
    BoxAnswer(int command, std::function<void()> beforeAnswer = {})
        : command(command), beforeAnswer(std::move(beforeAnswer)) {}

    int command;
    std::function<void()> beforeAnswer;
};

// Answers the message boxes captioned "Message" of every process, in the order they appear, from a
// thread of its own. Boxes beyond the given answers are still answered (No, or OK), so that nothing
// waits forever, and recorded like the others.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(std::initializer_list<BoxAnswer> answers = {});
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
    ~MessageBoxWatcher();

    // Stops watching and gives every box seen.
    std::vector<SeenBox> Finish();

private:
    void Watch();
    void Answer(HWND box, SeenBox& seen);

    std::vector<BoxAnswer> answers_;
    std::vector<SeenBox> seen_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace tlv::test
