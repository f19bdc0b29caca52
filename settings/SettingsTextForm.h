#pragma once

#include <string>

namespace tlv {

// The rules of the settings text form: "[group]" lines and "key=value" lines.

// Removes spaces, tabs, CRs and LFs at both ends.
void TrimSpace(std::string& text);
// Every LF becomes backslash-n, then every CR backslash-r; nothing else is escaped, so a value holding
// backslash-n as text comes back with a line break.
void EscapeLineBreaks(std::string& text);
// Every backslash-n becomes LF, then every backslash-r CR.
void UnescapeLineBreaks(std::string& text);

}  // namespace tlv
