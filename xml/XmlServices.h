#pragma once

#include <msxml2.h>
#include <windows.h>
#include <wrl/client.h>

namespace tlv {

// The class and interface identifiers of the platform's XML services, which MinGW declares but
// defines nowhere, and the creation of its two components.
extern const CLSID kSaxXmlReaderClass;
extern const CLSID kXmlWriterClass;
extern const IID kISAXXMLReader;
extern const IID kIMXWriter;
extern const IID kISAXContentHandler;
extern const IID kISAXErrorHandler;

class XmlServices {
public:
    // The calling thread must have initialised COM.
    static HRESULT CreateSaxReader(Microsoft::WRL::ComPtr<ISAXXMLReader>& reader);
    static HRESULT CreateXmlWriter(Microsoft::WRL::ComPtr<IMXWriter>& writer);
};

}  // namespace tlv
