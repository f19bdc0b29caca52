#include "resources/ResourceText.h"

#include <windows.h>

namespace tlv {

size_t FileNameStart(std::string_view path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\') {
            start = i + 1;
        } else if (::IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
            ++i;
        }
    }
    return start;
}

bool IsAbsolutePath(const std::string& path) {
    return (path.size() > 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}

}  // namespace tlv
