#include "xml/SaxHandler.h"

#include "common/ComTypes.h"
#include "xml/XmlOutputStream.h"
#include "xml/XmlServices.h"

#include <wrl/client.h>

namespace tlv {

namespace {

constexpr size_t kInitialBufferSize = 256;

}  // namespace

SaxHandler::SaxHandler() : buffer_(kInitialBufferSize, '\0') {}

HRESULT SaxHandler::ParseFile(const char* path) {
    // The stream outlives the reader, which may hold a reference to it until released.
    XmlOutputStream stream(path);
    if (!stream.IsOpen()) {
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    }
    Microsoft::WRL::ComPtr<ISAXXMLReader> reader;
    HRESULT result = XmlServices::CreateSaxReader(reader);
    if (FAILED(result)) {
        return result;
    }
    reader->putContentHandler(static_cast<ISAXContentHandler*>(this));
    reader->putErrorHandler(static_cast<ISAXErrorHandler*>(this));
    VariantHolder input;
    input.SetUnknown(static_cast<IStream*>(&stream));
    result = reader->parse(*input);
    locator_ = nullptr;
    return result;
}

HRESULT SaxHandler::QueryInterface(REFIID iid, void** object) noexcept {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == kISAXContentHandler) {
        *object = static_cast<ISAXContentHandler*>(this);
    } else if (iid == kISAXErrorHandler) {
        *object = static_cast<ISAXErrorHandler*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG SaxHandler::AddRef() noexcept { return static_cast<ULONG>(++referenceCount_); }

ULONG SaxHandler::Release() noexcept {
    const LONG count = --referenceCount_;
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

HRESULT SaxHandler::putDocumentLocator(ISAXLocator* locator) noexcept {
    locator_ = locator;
    return S_OK;
}

HRESULT SaxHandler::startDocument() noexcept { return S_OK; }
HRESULT SaxHandler::endDocument() noexcept { return S_OK; }
HRESULT SaxHandler::startPrefixMapping(const wchar_t*, int, const wchar_t*, int) noexcept { return S_OK; }
HRESULT SaxHandler::endPrefixMapping(const wchar_t*, int) noexcept { return S_OK; }

HRESULT SaxHandler::startElement(const wchar_t*, int, const wchar_t* localName, int localNameLength,
                                 const wchar_t*, int, ISAXAttributes*) noexcept {
    return Deliver(localName, localNameLength, [this](const char* name) { return OnStartElement(name); });
}

HRESULT SaxHandler::endElement(const wchar_t*, int, const wchar_t* localName, int localNameLength,
                               const wchar_t*, int) noexcept {
    return Deliver(localName, localNameLength, [this](const char* name) { return OnEndElement(name); });
}

HRESULT SaxHandler::characters(const wchar_t* text, int length) noexcept {
    return Deliver(text, length, [this](const char* narrow) { return OnCharacters(narrow); });
}

HRESULT SaxHandler::ignorableWhitespace(const wchar_t*, int) noexcept { return S_OK; }
HRESULT SaxHandler::processingInstruction(const wchar_t*, int, const wchar_t*, int) noexcept { return S_OK; }
HRESULT SaxHandler::skippedEntity(const wchar_t*, int) noexcept { return S_OK; }

HRESULT SaxHandler::error(ISAXLocator*, const wchar_t*, HRESULT) noexcept { return S_OK; }
HRESULT SaxHandler::fatalError(ISAXLocator*, const wchar_t*, HRESULT) noexcept { return S_OK; }
HRESULT SaxHandler::ignorableWarning(ISAXLocator*, const wchar_t*, HRESULT) noexcept { return S_OK; }

int SaxHandler::OnCharacters(const char*) { return 0; }
int SaxHandler::OnStartElement(const char*) { return 0; }
int SaxHandler::OnEndElement(const char*) { return 0; }

template <typename Event>
HRESULT SaxHandler::Deliver(const wchar_t* text, int length, Event event) noexcept {
    try {
        return static_cast<HRESULT>(event(ToNarrow(text, length)));
    } catch (...) {
        // Out of memory, say: the document cannot be taken in, so it is refused.
        return E_FAIL;
    }
}

const char* SaxHandler::ToNarrow(const wchar_t* text, int length) {
    const int needed = (text != nullptr && length > 0)
                           ? ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr)
                           : 0;
    if (needed <= 0) {
        buffer_[0] = '\0';
        return buffer_.data();
    }
    const size_t required = static_cast<size_t>(needed) + 1;
    if (required > buffer_.size()) {
        std::vector<char>(required).swap(buffer_);
    }
    ::WideCharToMultiByte(CP_ACP, 0, text, length, buffer_.data(), needed, nullptr, nullptr);
    buffer_[static_cast<size_t>(needed)] = '\0';
    return buffer_.data();
}

}  // namespace tlv
