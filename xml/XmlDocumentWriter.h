#pragma once

#include <msxml2.h>

#include <functional>

namespace tlv {

// Writes one XML document (UTF-8, standalone declaration, indented) through the platform's XML writer.
class XmlDocumentWriter {
public:
    // Receives the content handler to write the document's elements to, with the element operations.
    using ElementWriter = std::function<void(ISAXContentHandler* handler)>;

    // Writes into a new file beside path and, once the whole document is written and flushed, puts it in
    // path's place in one step. False, with path as it was (or absent), when anything fails: a missing
    // folder, a full disk, a target held open by another program. COM must be initialised.
    static bool Write(const char* path, const ElementWriter& writeElements);
};

}  // namespace tlv
