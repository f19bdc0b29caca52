#pragma once

#include "plugins/IPluginRecord.h"

namespace tlv {

// Writes a plugin list in the form the catalogue reads back: the values of each record as read, the
// number in decimal, the flags as "1" or "0", and no "icon" for a record without one.
class PluginListWriter {
public:
    // Writes the count records in array order; a count of 0 or less writes a list without plugins. The
    // file at path is replaced only by the complete document: false, with the file as it was, when it
    // cannot be written. COM must be initialised on the calling thread.
    static bool Write(const char* path, const IPluginRecord* const* records, int count);
};

}  // namespace tlv
