#pragma once

#include <windows.h>

namespace tlv {

// The results the installer reads: it looks at the low 16 bits of the merge and probe exports.
using ShortResult = WORD;

// No exception may reach the installer: an export body that throws gives the export's failure result.
template <typename Result, typename Body>
Result GuardExport(Result onFailure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return onFailure;
    }
}

template <typename Body>
void GuardExport(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

}  // namespace tlv
