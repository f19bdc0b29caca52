#pragma once

#include <string>

namespace tlv {

// Group and entry names as XML element names. Encoding keeps ASCII letters, and digits except in the
// first place, and writes every other byte as "_" and two upper-case hexadecimal digits: the result is
// made of letters, digits and "_" and never begins with a digit (My Group gives My_20Group, 1st gives
// _31st, a_b gives a_5Fb). Names of any length are supported.
std::string EncodeElementName(const char* name);
// Decoding also accepts lower-case digits, and keeps a "_" that is not followed by two hexadecimal digits
// as it stands. A decoded byte 0 ends the name.
std::string DecodeElementName(const char* elementName);
// 0 to 15 for a hexadecimal digit of either case, 255 for any other character.
unsigned HexDigitValue(char c) noexcept;

}  // namespace tlv
