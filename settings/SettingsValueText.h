#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tlv {

// The text forms in which settings keep typed values.

std::string IntegerText(int32_t value);

// The longest leading decimal number (white space, sign, digits with an optional point, an optional
// exponent) as a double; 0.0 when there is none.
double ReadDouble(const char* text);
// Six significant digits: fixed notation for magnitudes from 0.1 up to a million, else one digit, the
// point, five digits and a three-digit exponent; trailing zeros of the fraction removed, the point
// kept (2.0 gives "2.", 0.01 gives "1.e-002"). Zero gives "0."; infinities and NaN are written as
// "inf", "-inf" and "nan", which read back as 0.
std::string DoubleText(double value);

// The byte block as hexadecimal text: its count and its byte sum, each four bytes little-endian, then
// the bytes, each as two upper-case digits (01 AB gives 02000000AC00000001AB).
std::string BinaryText(const unsigned char* data, uint32_t size);
// The value of a hexadecimal digit pair, high nibble first. 0-9 and a-f have their usual values; any
// other character counts as an upper-case letter digit, unchecked.
unsigned char DecodeHexByte(char high, char low) noexcept;

}  // namespace tlv
