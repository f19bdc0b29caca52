#include "exports/EnvironmentProbes.h"

#include "common/UniqueHandle.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct TargetFolderCall {
    std::string probe;
    const char* folder;
    bool operator==(const TargetFolderCall&) const = default;
};

std::vector<TargetFolderCall> recordedCalls;

}  // namespace

// The probe modules find this in the test program and report each SetTargetFolder call to it.
extern "C" __declspec(dllexport) void RecordTargetFolderCall(const char* probe, const char* folder) {
    recordedCalls.push_back({probe, folder});
}

namespace tlv {
namespace {

using test::ProgramFolder;

class EnvironmentProbesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"TargetProbeA.dll", "TargetProbeB.dll"}) {
            probes_.emplace_back(::LoadLibraryA((ProgramFolder() + name).c_str()));
            ASSERT_TRUE(probes_.back().IsValid()) << name;
        }
        library_.Reset(::LoadLibraryA((ProgramFolder() + "TlvSetup.dll").c_str()));
        ASSERT_TRUE(library_.IsValid());
        recordedCalls.clear();
    }

    template <typename Function>
    Function Export(const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library_.Get(), name)));
    }

    // The probes in the order the process's module list gives them.
    std::vector<std::string> ProbesInModuleOrder() {
        std::vector<HMODULE> modules(1024);
        DWORD needed = 0;
        EXPECT_TRUE(::EnumProcessModules(::GetCurrentProcess(), modules.data(),
                                         static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed));
        modules.resize(needed / sizeof(HMODULE));
        std::vector<std::string> order;
        for (HMODULE module : modules) {
            if (module == probes_[0].Get()) order.push_back("TargetProbeA");
            if (module == probes_[1].Get()) order.push_back("TargetProbeB");
        }
        return order;
    }

    std::vector<UniqueModule> probes_;
    UniqueModule library_;
};

TEST_F(EnvironmentProbesTest, XmlServicesProbeAnswersOneTwiceOnOneThread) {
    const auto f15 = Export<WORD(WINAPI*)()>("f15");
    ASSERT_NE(f15, nullptr);
    EXPECT_EQ(f15(), 1);
    EXPECT_EQ(f15(), 1);
}

TEST_F(EnvironmentProbesTest, EveryWalkHandsTheFolderToEachAskingModuleOnceInListOrder) {
    const auto f23 = Export<void(WINAPI*)(const char*)>("f23");
    ASSERT_NE(f23, nullptr);
    const char* folder = "C:\\Program Files\\Talvesta";
    const std::vector<std::string> order = ProbesInModuleOrder();
    ASSERT_EQ(order.size(), 2u);
    const std::vector<TargetFolderCall> expected = {{order[0], folder}, {order[1], folder}};

    const std::pair<const char*, std::function<void()>> walks[] = {
        {"f23", [&] { f23(folder); }},
        {"process status", [&] { EXPECT_TRUE(EnvironmentProbes::NotifyWithProcessStatus(folder)); }},
        {"tool help", [&] { EXPECT_TRUE(EnvironmentProbes::NotifyWithToolHelp(folder)); }},
    };
    for (const auto& [name, walk] : walks) {
        SCOPED_TRACE(name);
        recordedCalls.clear();
        walk();
        EXPECT_EQ(recordedCalls, expected);
    }
}

TEST_F(EnvironmentProbesTest, NullFolderReachesModulesAsEmptyText) {
    Export<void(WINAPI*)(const char*)>("f23")(nullptr);
    ASSERT_EQ(recordedCalls.size(), 2u);
    for (const TargetFolderCall& call : recordedCalls) {
        ASSERT_NE(call.folder, nullptr);
        EXPECT_STREQ(call.folder, "");
    }
}

TEST_F(EnvironmentProbesTest, ModulesWithoutTheFunctionArePassedOver) {
    probes_.clear();
    recordedCalls.clear();
    Export<void(WINAPI*)(const char*)>("f23")("C:\\x");
    EXPECT_TRUE(recordedCalls.empty());
}

}  // namespace
}  // namespace tlv
