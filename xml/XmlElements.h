#pragma once

#include <msxml2.h>

namespace tlv {

// The element operations every document writer uses: 8-bit ANSI names and texts, converted for the
// XML writer's content handler. The writer's status is not examined; a failed write shows when the
// document is committed.

// An element without namespace and attributes, named by its qualified name alone.
void WriteStartElement(ISAXContentHandler* handler, const char* name);
void WriteEndElement(ISAXContentHandler* handler, const char* name);
void WriteText(ISAXContentHandler* handler, const char* text);
// A null text writes an element with no content (<x/>); an empty one an element with empty content.
void WriteTextElement(ISAXContentHandler* handler, const char* name, const char* text);

}  // namespace tlv
