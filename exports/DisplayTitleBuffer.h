#pragma once

#include <string>

namespace tlv {

// The text that the display-title query hands out. It grows to hold any title, so a long edition is
// neither cut nor written past the end; the text stays until the next title is set.
class DisplayTitleBuffer {
public:
    const char* Set(std::string title);

private:
    std::string text_;
};

}  // namespace tlv
