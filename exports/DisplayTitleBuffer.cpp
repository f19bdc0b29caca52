#include "exports/DisplayTitleBuffer.h"

#include <utility>

namespace tlv {

const char* DisplayTitleBuffer::Set(std::string title) {
    text_ = std::move(title);
    return text_.c_str();
}

}  // namespace tlv
