#include "resources/BigNumber.h"

namespace tlv {

BigNumber::BigNumber(size_t digitCount) : digits_(digitCount, 0) {}

void BigNumber::FromBytes(const uint8_t* bytes, size_t size) {
    for (size_t k = 0; k < digits_.size(); ++k) {
        const uint16_t low = 2 * k < size ? bytes[2 * k] : 0;
        const uint16_t high = 2 * k + 1 < size ? bytes[2 * k + 1] : 0;
        digits_[k] = static_cast<uint16_t>(low | (high << 8));
    }
}

void BigNumber::MultiplySmall(uint16_t factor) {
    uint32_t carry = 0;
    for (uint16_t& digit : digits_) {
        const uint32_t product = static_cast<uint32_t>(digit) * factor + carry;
        digit = static_cast<uint16_t>(product);
        carry = product >> 16;
    }
}

uint16_t BigNumber::DivideSmall(uint16_t divisor) {
    if (divisor == 0) {
        return 0;
    }
    uint32_t remainder = 0;
    for (size_t k = digits_.size(); k-- > 0;) {
        const uint32_t value = (remainder << 16) | digits_[k];
        digits_[k] = static_cast<uint16_t>(value / divisor);
        remainder = value % divisor;
    }
    return static_cast<uint16_t>(remainder);
}

void BigNumber::Subtract(const BigNumber& other) {
    uint32_t borrow = 0;
    for (size_t k = 0; k < digits_.size(); ++k) {
        const uint32_t subtrahend = (k < other.digits_.size() ? other.digits_[k] : 0u) + borrow;
        borrow = digits_[k] < subtrahend ? 1 : 0;
        digits_[k] = static_cast<uint16_t>(digits_[k] + (borrow << 16) - subtrahend);
    }
}

std::string BigNumber::ToText(size_t digitCount) const {
    static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    BigNumber rest = *this;
    std::string text;
    text.reserve(digitCount);
    for (size_t j = 0; j < digitCount; ++j) {
        text += kDigits[rest.DivideSmall(36)];
    }
    return text;
}

}  // namespace tlv
