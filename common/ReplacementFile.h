#pragma once

#include "common/UniqueHandle.h"

#include <cstddef>
#include <string>

namespace tlv {

// A new file written beside a target and put in its place in one step, so that the target is either
// left as it was or replaced by the complete new content: never cut short.
class ReplacementFile {
public:
    // targetPath is 8-bit ANSI text, relative to the current folder unless it is a full path.
    explicit ReplacementFile(const std::string& targetPath);
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    // Removes the temporary file unless it was committed.
    ~ReplacementFile();

    // Creates the temporary file in the target's folder. False when it cannot (a missing folder, say).
    bool Open();
    // Writes all of the bytes or reports failure; after a failure every further write fails too.
    bool Write(const void* data, size_t size);
    // Flushes the temporary file and replaces the target with it. False, with the target untouched
    // and the temporary file removed, when any write failed or the replacement is refused.
    bool Commit();

private:
    void Discard() noexcept;

    std::wstring targetPath_;  // empty when the path names nothing that could be replaced
    std::wstring temporaryPath_;
    UniqueFile file_;
    bool failed_ = false;
};

}  // namespace tlv
