#include "xml/XmlElements.h"

#include "common/AnsiText.h"

#include <cstring>
#include <string>

namespace tlv {

namespace {

std::wstring Convert(const char* text) {
    const char* ansi = TextOrEmpty(text);
    return AnsiToWide(ansi, std::strlen(ansi));
}

int Length(const std::wstring& text) { return static_cast<int>(text.size()); }

}  // namespace

void WriteStartElement(ISAXContentHandler* handler, const char* name) {
    const std::wstring wideName = Convert(name);
    handler->startElement(L"", 0, L"", 0, wideName.c_str(), Length(wideName), nullptr);
}

void WriteEndElement(ISAXContentHandler* handler, const char* name) {
    const std::wstring wideName = Convert(name);
    handler->endElement(L"", 0, L"", 0, wideName.c_str(), Length(wideName));
}

void WriteText(ISAXContentHandler* handler, const char* text) {
    const std::wstring wideText = Convert(text);
    handler->characters(wideText.c_str(), Length(wideText));
}

void WriteTextElement(ISAXContentHandler* handler, const char* name, const char* text) {
    WriteStartElement(handler, name);
    if (text != nullptr) {
        WriteText(handler, text);
    }
    WriteEndElement(handler, name);
}

}  // namespace tlv
