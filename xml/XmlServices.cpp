#include "xml/XmlServices.h"

namespace tlv {

const CLSID kSaxXmlReaderClass = {
    0x079aa557, 0x4a18, 0x424a, {0x8e, 0xee, 0xe3, 0x9f, 0x0a, 0x8d, 0x41, 0xb9}};
const CLSID kXmlWriterClass = {
    0xfc220ad8, 0xa72a, 0x4ee8, {0x92, 0x6e, 0x0b, 0x7a, 0xd1, 0x52, 0xa0, 0x20}};
const IID kISAXXMLReader = {
    0xa4f96ed0, 0xf829, 0x476e, {0x81, 0xc0, 0xcd, 0xc7, 0xbd, 0x2a, 0x08, 0x02}};
const IID kIMXWriter = {
    0x4d7ff4ba, 0x1565, 0x4ea8, {0x94, 0xe1, 0x6e, 0x72, 0x4a, 0x46, 0xf9, 0x8d}};
const IID kISAXContentHandler = {
    0x1545cdfa, 0x9e4e, 0x4497, {0xa8, 0xa4, 0x2b, 0xf7, 0xd0, 0x11, 0x2c, 0x44}};
const IID kISAXErrorHandler = {
    0xa60511c4, 0xccf5, 0x479e, {0x98, 0xa3, 0xdc, 0x8d, 0xc5, 0x45, 0xb7, 0xd0}};

namespace {

constexpr DWORD kCreationContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

}  // namespace

HRESULT XmlServices::CreateSaxReader(Microsoft::WRL::ComPtr<ISAXXMLReader>& reader) {
    return ::CoCreateInstance(kSaxXmlReaderClass, nullptr, kCreationContext, kISAXXMLReader,
                              reinterpret_cast<void**>(reader.ReleaseAndGetAddressOf()));
}

HRESULT XmlServices::CreateXmlWriter(Microsoft::WRL::ComPtr<IMXWriter>& writer) {
    return ::CoCreateInstance(kXmlWriterClass, nullptr, kCreationContext, kIMXWriter,
                              reinterpret_cast<void**>(writer.ReleaseAndGetAddressOf()));
}

}  // namespace tlv
