#include "common/ReplacementFile.h"

#include "common/AnsiText.h"

#include <windows.h>

#include <climits>
#include <utility>

namespace tlv {

namespace {

// The full path in the form that the wide file functions take at any length, so that the temporary
// name, a little longer than the target's, fits wherever the target does.
std::wstring ExtendedLengthPath(const std::string& path) {
    const std::wstring wide = AnsiToWide(path);
    if (wide.empty()) {
        return {};
    }
    const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return {};
    }
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        return {};
    }
    full.resize(length);
    if (full.rfind(L"\\\\?\\", 0) == 0) {
        return full;
    }
    if (full.rfind(L"\\\\.\\", 0) == 0) {
        return {};  // a device, not a file that could be replaced
    }
    if (full.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

// Unique within the process and, through the process id, among processes that write at once.
std::wstring TemporaryPathFor(const std::wstring& targetPath, unsigned attempt) {
    static unsigned sequence = 0;
    wchar_t suffix[64];
    wsprintfW(suffix, L".%lx-%x-%x.tmp", ::GetCurrentProcessId(), ++sequence, attempt);
    return targetPath + suffix;
}

}  // namespace

ReplacementFile::ReplacementFile(const std::string& targetPath) : targetPath_(ExtendedLengthPath(targetPath)) {}

ReplacementFile::~ReplacementFile() { Discard(); }

bool ReplacementFile::Open() {
    if (targetPath_.empty()) {
        return false;
    }
    constexpr unsigned kAttempts = 8;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        std::wstring candidate = TemporaryPathFor(targetPath_, attempt);
        file_.Reset(::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file_) {
            temporaryPath_ = std::move(candidate);
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            return false;
        }
    }
    return false;
}

bool ReplacementFile::Write(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (!failed_ && size > 0) {
        const DWORD chunk = size > UINT_MAX ? UINT_MAX : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!file_ || !::WriteFile(file_.Get(), bytes, chunk, &written, nullptr) || written != chunk) {
            failed_ = true;
        }
        bytes += written;
        size -= written;
    }
    return !failed_;
}

bool ReplacementFile::Commit() {
    if (failed_ || !file_ || !::FlushFileBuffers(file_.Get())) {
        Discard();
        return false;
    }
    file_.Reset();
    if (!::MoveFileExW(temporaryPath_.c_str(), targetPath_.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Discard();
        return false;
    }
    temporaryPath_.clear();
    return true;
}

void ReplacementFile::Discard() noexcept {
    file_.Reset();
    if (!temporaryPath_.empty()) {
        ::DeleteFileW(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
}

}  // namespace tlv
