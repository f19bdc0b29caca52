#include "settings/NamedItemList.h"

#include "common/AnsiText.h"

namespace tlv {

std::string FoldAsciiCase(const char* name) {
    std::string folded = TextOrEmpty(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

}  // namespace tlv
