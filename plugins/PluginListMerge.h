#pragma once

namespace tlv {

// Joins two plugin lists by plugin number into a third. The second list's plugin wins over the first's
// with the same number, and within one list the later plugin wins.
class PluginListMerge {
public:
    // True when both lists were read, whether or not the result could be written. The first list is read
    // first and the second is not read when the first fails; nothing is written unless both were read.
    // Both are read completely before the result is written, so resultPath may name either of them.
    // COM must be initialised on the calling thread.
    static bool Merge(const char* resultPath, const char* firstPath, const char* secondPath);
};

}  // namespace tlv
