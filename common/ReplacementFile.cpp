#include "common/ReplacementFile.h"

#include <windows.h>

#include <climits>
#include <utility>

namespace tlv {

namespace {

// Unique within the process and, through the process id, among processes that write at once.
std::string TemporaryPathFor(const std::string& targetPath, unsigned attempt) {
    static unsigned sequence = 0;
    char suffix[64];
    wsprintfA(suffix, ".%lx-%x-%x.tmp", ::GetCurrentProcessId(), ++sequence, attempt);
    return targetPath + suffix;
}

}  // namespace

ReplacementFile::ReplacementFile(std::string targetPath) : targetPath_(std::move(targetPath)) {}

ReplacementFile::~ReplacementFile() { Discard(); }

bool ReplacementFile::Open() {
    if (targetPath_.empty()) {
        return false;
    }
    constexpr unsigned kAttempts = 8;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        std::string candidate = TemporaryPathFor(targetPath_, attempt);
        file_.Reset(::CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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
    if (!::MoveFileExA(temporaryPath_.c_str(), targetPath_.c_str(),
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
        ::DeleteFileA(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
}

}  // namespace tlv
