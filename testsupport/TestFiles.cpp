#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tlv::test {

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const HANDLE find = ::FindFirstFileA((folder + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(find, &entry));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    char base[MAX_PATH + 1];
    const DWORD length = ::GetTempPathA(sizeof(base), base);
    EXPECT_GT(length, 0u);
    static unsigned sequence = 0;
    for (;;) {
        path_ = std::string(base, length) + "tlvtest-" + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(++sequence) + "\\";
        if (::CreateDirectoryA(path_.c_str(), nullptr)) {
            break;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create " << path_;
            break;
        }
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void WriteBytes(const std::string& path, const std::string& bytes) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_EQ(written, bytes.size());
    ::CloseHandle(file);
}

std::string ReadBytes(const std::string& path) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot read " << path;
        return {};
    }
    std::string bytes;
    char chunk[65536];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) {
        bytes.append(chunk, read);
    }
    ::CloseHandle(file);
    return bytes;
}

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    const HANDLE find = ::FindFirstFileA((folder + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        } while (::FindNextFileA(find, &entry));
        ::FindClose(find);
    }
    std::sort(names.begin(), names.end());
    std::string list;
    for (const std::string& name : names) {
        list += (list.empty() ? "" : " ") + name;
    }
    return list;
}

std::string SmallFilesystemFolder() {
    const DWORD length = ::GetEnvironmentVariableA("TLV_SMALL_FS", nullptr, 0);
    if (length == 0) {
        return {};
    }
    std::string unixPath(length, '\0');
    unixPath.resize(::GetEnvironmentVariableA("TLV_SMALL_FS", unixPath.data(), length));
    std::string folder = "Z:" + unixPath + "/";
    for (char& c : folder) {
        c = c == '/' ? '\\' : c;
    }
    return folder;
}

std::string ProgramFolder() {
    char path[4096];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

}  // namespace tlv::test
