#include "resources/ResourceEntry.h"

#include "common/AsciiText.h"
#include "resources/ContentCode.h"
#include "resources/ResourceText.h"

#include <string_view>

namespace tlv {

namespace {

struct KindByExtension {
    const char* extension;
    int kind;
};

constexpr KindByExtension kKinds[] = {{"exe", 1}, {"dll", 2}, {"xml", 3}, {"txt", 4}};

}  // namespace

ResourceEntry::ResourceEntry(std::string_view base, const char* idText, std::string_view location,
                             std::string_view settings, std::pmr::memory_resource* memory)
    : id_(ReadDecimal(idText)), fullPath_(memory), locationStart_(base.size() + 1), settings_(settings, memory),
      contentCode_(memory) {
    fullPath_.reserve(base.size() + 1 + location.size());
    fullPath_.append(base).append(1, '\\').append(location);
}

const char* ResourceEntry::FileName() const { return fullPath_.c_str() + FileNameStart(fullPath_); }

const char* ResourceEntry::Extension() const {
    const std::string_view name = FileName();
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? "" : name.data() + dot + 1;
}

int ResourceEntry::FileKind() const {
    const char* extension = Extension();
    for (const KindByExtension& entry : kKinds) {
        if (EqualsIgnoringAsciiCase(extension, entry.extension)) {
            return entry.kind;
        }
    }
    return 0;
}

const char* ResourceEntry::ContentCode() {
    if (!codeReady_) {
        ComputeContentCode();
    }
    return contentCode_.c_str();
}

void ResourceEntry::ComputeContentCode() {
    contentCode_ = ContentCodeOfFile(fullPath_.c_str());
    codeReady_ = true;
}

}  // namespace tlv
