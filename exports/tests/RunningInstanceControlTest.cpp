#include "exports/RunningInstanceControl.h"

#include "common/UniqueHandle.h"
#include "exports/tests/FakeProductProcess.h"
#include "exports/tests/MessageBoxWatcher.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TestProcess.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace tlv {
namespace {

using test::BoxAnswer;
using test::BoxIcon;
using test::FakeProductProcess;
using test::MessageBoxWatcher;
using test::ProgramFolder;
using test::RunProgram;
using test::SeenBox;

struct ExpectedBox {
    const char* text;
    const char* buttons;
    BoxIcon icon;
};

const ExpectedBox kAskBox = {
    "Found running ORBENK Software. To continue installation ORBENK Software must be closed.\n"
    "Would you really like to close it now?",
    "Yes No", BoxIcon::Question};
const ExpectedBox kManualBox = {
    "It cannot be closed automatically. Please, close it manually and press 'OK'", "OK",
    BoxIcon::Information};
const ExpectedBox kStopBox = {"ORBENK Software is still running. Installation will stop.", "OK",
                              BoxIcon::Warning};

constexpr long kQuitsAtOnce = 0;

void ExpectBoxes(const std::vector<SeenBox>& seen, const std::vector<ExpectedBox>& expected) {
    ASSERT_EQ(seen.size(), expected.size());
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE("box " + std::to_string(i + 1));
        EXPECT_EQ(seen[i].caption, "Message");
        EXPECT_EQ(seen[i].text, expected[i].text);
        EXPECT_EQ(seen[i].buttons, expected[i].buttons);
        if (seen[i].icon != BoxIcon::Unknown) {
            EXPECT_EQ(seen[i].icon, expected[i].icon);
        }
        EXPECT_FALSE(seen[i].hasOwner);
    }
}

double Seconds(test::Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// A top-level window of this process with the given title; never shown.
class TitledWindow {
public:
    explicit TitledWindow(const char* title)
        : window_(::CreateWindowExA(0, "STATIC", title, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr)) {}
    TitledWindow(const TitledWindow&) = delete;
    TitledWindow& operator=(const TitledWindow&) = delete;
    ~TitledWindow() { ::DestroyWindow(window_); }

    HWND Get() const { return window_; }

private:
    HWND window_;
};

TEST(RunningInstanceControl, MatchProductWindowComparesWholeTitlesAfterLoweringAsciiCapitals) {
    const std::string longTitle = "talvesta software" + std::string(2000, ' ');
    const struct {
        std::string title;
        bool matches;
    } cases[] = {
        {"ob tlv", true},
        {"OB TLV AMBER", true},
        {"Ob Tlv Onyx", true},
        {"talvesta software", true},
        {"TALVESTA SOFTWARE AMBER", true},
        {"Talvesta SOFTWARE onyx", true},
        {"TALVESTA SOFTWARE AMBER!", false},
        {"talvesta software amber ", false},
        {" ob tlv", false},
        {"ob tl", false},
        {"ob  tlv", false},
        {"", false},
        {"TlvCoreDispatch", false},
        {"\xC0\xC1 ob tlv", false},
        {longTitle, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("title \"" + c.title.substr(0, 40) + "\"");
        const TitledWindow window(c.title.c_str());
        ASSERT_NE(window.Get(), nullptr);
        HWND found = nullptr;
        const BOOL goOn = RunningInstanceControl::MatchProductWindow(window.Get(), reinterpret_cast<LPARAM>(&found));
        EXPECT_EQ(goOn, c.matches ? FALSE : TRUE);
        EXPECT_EQ(found, c.matches ? window.Get() : nullptr);
    }
}

TEST(RunningInstanceControl, FindProductWindowPrefersTheWindowNameToTitles) {
    EXPECT_EQ(RunningInstanceControl::FindProductWindow(), nullptr);
    const TitledWindow byTitle("OB TLV");
    EXPECT_EQ(RunningInstanceControl::FindProductWindow(), byTitle.Get());
    const TitledWindow byName("TlvCoreDispatch");
    EXPECT_EQ(RunningInstanceControl::FindProductWindow(), byName.Get());
}

// Calls the library's exports in this process, as the installer does.
class RunningInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(library_) << "cannot load TlvSetup.dll";
        ASSERT_FALSE(RunningInstanceControl::ProductMutexExists()) << "the product's mutex is held elsewhere";
    }

    INT32 CallF16() { return reinterpret_cast<INT32(WINAPI*)()>(Export("f16"))(); }
    HANDLE CallF17() { return reinterpret_cast<HANDLE(WINAPI*)()>(Export("f17"))(); }

private:
    void* Export(const char* name) {
        return reinterpret_cast<void*>(::GetProcAddress(library_.Get(), name));
    }

    UniqueModule library_{::LoadLibraryA((ProgramFolder() + "TlvSetup.dll").c_str())};
};

TEST_F(RunningInstanceTest, WithoutTheMutexReturnsOneAndShowsNothing) {
    MessageBoxWatcher watcher;
    EXPECT_EQ(CallF16(), 1);
    EXPECT_EQ(RunProgram("tlvcall.exe", "f16").output, "1\n");
    EXPECT_TRUE(watcher.Finish().empty());
}

TEST_F(RunningInstanceTest, AnswerNoReturnsZeroAndSendsTheProductNothing) {
    FakeProductProcess product("TlvCoreDispatch", kQuitsAtOnce);
    MessageBoxWatcher watcher{IDNO};
    EXPECT_EQ(CallF16(), 0);
    ExpectBoxes(watcher.Finish(), {kAskBox});
    EXPECT_TRUE(product.IsRunning());
    product.CloseByHand();
    EXPECT_EQ(product.QuitRequestsReceived(), 0u);
}

TEST_F(RunningInstanceTest, ProductFoundByWindowNameOrTitleIsAskedToQuit) {
    for (const char* title : {"TlvCoreDispatch", "TALVESTA SOFTWARE AMBER", "Ob Tlv Onyx"}) {
        SCOPED_TRACE(title);
        FakeProductProcess product(title, kQuitsAtOnce);
        MessageBoxWatcher watcher{IDYES};
        EXPECT_EQ(CallF16(), 1);
        ExpectBoxes(watcher.Finish(), {kAskBox});
        EXPECT_EQ(product.QuitRequestsReceived(), 1u);
    }
}

TEST_F(RunningInstanceTest, ProductQuittingTwoSecondsLaterEndsTheWaitAtTheNextCheck) {
    FakeProductProcess product("talvesta software", 2000);
    MessageBoxWatcher watcher{IDYES};
    EXPECT_EQ(CallF16(), 1);
    const auto returned = test::Clock::now();
    const std::vector<SeenBox> boxes = watcher.Finish();
    ExpectBoxes(boxes, {kAskBox});
    ASSERT_EQ(boxes.size(), 1u);
    const double waited = Seconds(returned - boxes[0].answered);
    EXPECT_GE(waited, 1.9);
    EXPECT_LE(waited, 4.5);
    EXPECT_EQ(product.QuitRequestsReceived(), 1u);
}

TEST_F(RunningInstanceTest, ProductIgnoringQuitGetsTheManualBoxAfterFiveChecksThenTheStopBox) {
    FakeProductProcess product("TlvCoreDispatch", FakeProductProcess::kIgnoresQuit);
    MessageBoxWatcher watcher{IDYES, IDOK, IDOK};
    EXPECT_EQ(CallF16(), 0);
    const std::vector<SeenBox> boxes = watcher.Finish();
    ExpectBoxes(boxes, {kAskBox, kManualBox, kStopBox});
    ASSERT_EQ(boxes.size(), 3u);
    const double waited = Seconds(boxes[1].shown - boxes[0].answered);
    EXPECT_GE(waited, 4.5);
    EXPECT_LE(waited, 9.0);
    product.CloseByHand();
    EXPECT_EQ(product.QuitRequestsReceived(), 1u);
}

TEST_F(RunningInstanceTest, TitleWithOneMoreCharacterGetsNoQuitAndTheManualBoxAtOnce) {
    FakeProductProcess product("TALVESTA SOFTWARE AMBER!", kQuitsAtOnce);
    MessageBoxWatcher watcher{IDYES, IDOK, IDOK};
    EXPECT_EQ(CallF16(), 0);
    const std::vector<SeenBox> boxes = watcher.Finish();
    ExpectBoxes(boxes, {kAskBox, kManualBox, kStopBox});
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_LE(Seconds(boxes[1].shown - boxes[0].answered), 2.5);
    product.CloseByHand();
    EXPECT_EQ(product.QuitRequestsReceived(), 0u);
}

TEST_F(RunningInstanceTest, ProductClosedByHandBeforeOkLetsTheInstallationGoOn) {
    FakeProductProcess product("Some Other Program", FakeProductProcess::kIgnoresQuit);
    MessageBoxWatcher watcher{IDYES, {IDOK, [&product] { product.CloseByHand(); }}};
    EXPECT_EQ(CallF16(), 1);
    ExpectBoxes(watcher.Finish(), {kAskBox, kManualBox});
    EXPECT_EQ(product.QuitRequestsReceived(), 0u);
}

TEST_F(RunningInstanceTest, ThroughTlvcallTheProductIsAskedToQuit) {
    FakeProductProcess product("ob tlv amber", kQuitsAtOnce);
    MessageBoxWatcher watcher{IDYES};
    EXPECT_EQ(RunProgram("tlvcall.exe", "f16").output, "1\n");
    ExpectBoxes(watcher.Finish(), {kAskBox});
    EXPECT_EQ(product.QuitRequestsReceived(), 1u);
}

TEST_F(RunningInstanceTest, AfterF17InTheSameProcessF16FindsTheMutex) {
    MessageBoxWatcher watcher{IDYES, IDOK, IDOK};
    const std::string output = RunProgram("tlvcall.exe", "f17 + f16").output;
    EXPECT_TRUE(std::regex_match(output, std::regex("0x[0-9a-f]+\n0\n"))) << output;
    // The installer's own handle keeps the mutex: no window to ask, and the product seems to stay.
    ExpectBoxes(watcher.Finish(), {kAskBox, kManualBox, kStopBox});
    EXPECT_FALSE(RunningInstanceControl::ProductMutexExists());
}

TEST_F(RunningInstanceTest, F17TwiceGivesHandlesOfOneMutex) {
    const UniqueKernelHandle first(CallF17());
    const UniqueKernelHandle second(CallF17());
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_NE(first.Get(), second.Get());
    EXPECT_TRUE(RunningInstanceControl::ProductMutexExists());

    // Owned through one handle, the mutex is not free through the other on another thread.
    ASSERT_EQ(::WaitForSingleObject(first.Get(), 0), WAIT_OBJECT_0);
    DWORD otherThreadWait = 0;
    std::thread([&] { otherThreadWait = ::WaitForSingleObject(second.Get(), 0); }).join();
    EXPECT_EQ(otherThreadWait, static_cast<DWORD>(WAIT_TIMEOUT));
    ::ReleaseMutex(first.Get());
}

TEST_F(RunningInstanceTest, MutexClosedByTheInstallerNoLongerCounts) {
    UniqueKernelHandle mutex(CallF17());
    ASSERT_TRUE(mutex);
    EXPECT_TRUE(RunningInstanceControl::ProductMutexExists());
    mutex.Reset();
    EXPECT_FALSE(RunningInstanceControl::ProductMutexExists());
}

TEST_F(RunningInstanceTest, MutexRefusingFullAccessCountsAsAbsent) {
    // Everyone may wait on it, nobody may change it: as a mutex of another user looks.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;0x100000;;;WD)", SDDL_REVISION_1,
                                                                       &descriptor, nullptr));
    SECURITY_ATTRIBUTES security = {sizeof(security), descriptor, FALSE};
    const UniqueKernelHandle mutex(::CreateMutexA(&security, FALSE, "TLV3 GLOBAL"));
    ::LocalFree(descriptor);
    ASSERT_TRUE(mutex);
    const UniqueKernelHandle fullAccess(::OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "TLV3 GLOBAL"));
    if (fullAccess) {
        GTEST_SKIP() << "Wine grants full access to a mutex whose security descriptor refuses it";
    }
    MessageBoxWatcher watcher;
    EXPECT_FALSE(RunningInstanceControl::ProductMutexExists());
    EXPECT_EQ(CallF16(), 1);
    EXPECT_EQ(CallF17(), nullptr);
    EXPECT_TRUE(watcher.Finish().empty());
}

}  // namespace
}  // namespace tlv
