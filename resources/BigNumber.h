#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tlv {

// An unsigned integer of a fixed number of 16-bit digits, least significant first. No operation grows
// it: a carry or borrow out of the top digit is dropped.
class BigNumber {
public:
    // All digits 0.
    explicit BigNumber(size_t digitCount);

    size_t DigitCount() const noexcept { return digits_.size(); }
    uint16_t Digit(size_t index) const { return digits_.at(index); }

    // Two bytes per digit, low byte first; bytes beyond the digits are ignored, missing ones count as 0.
    void FromBytes(const uint8_t* bytes, size_t size);
    void MultiplySmall(uint16_t factor);
    // Returns the remainder. A divisor of 0 leaves the number unchanged and gives 0.
    uint16_t DivideSmall(uint16_t divisor);
    // Digits that other lacks count as 0; digits of other beyond this number's are ignored.
    void Subtract(const BigNumber& other);
    // digitCount base-36 digits (0-9, A-Z), least significant first: leading zeros of the value come
    // out as "0" characters at the end.
    std::string ToText(size_t digitCount) const;

private:
    std::vector<uint16_t> digits_;
};

}  // namespace tlv
