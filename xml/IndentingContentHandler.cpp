#include "xml/IndentingContentHandler.h"

#include "xml/XmlServices.h"

namespace tlv {

namespace {

// The writer would copy control characters and lone surrogates into the file as they are, and no XML
// reader takes such a document back.
bool IsXmlText(const wchar_t* text, int length) noexcept {
    for (int i = 0; i < length; ++i) {
        const wchar_t unit = text[i];
        if (unit < 0x20 && unit != L'\t' && unit != L'\n' && unit != L'\r') {
            return false;
        }
        if (unit == 0xFFFE || unit == 0xFFFF) {
            return false;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 >= length || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) {
                return false;
            }
            ++i;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

}  // namespace

HRESULT IndentingContentHandler::QueryInterface(REFIID iid, void** object) noexcept {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (iid != IID_IUnknown && iid != kISAXContentHandler) {
        return E_NOINTERFACE;
    }
    *object = static_cast<ISAXContentHandler*>(this);
    AddRef();
    return S_OK;
}

ULONG IndentingContentHandler::AddRef() noexcept { return static_cast<ULONG>(++referenceCount_); }

ULONG IndentingContentHandler::Release() noexcept {
    const LONG count = --referenceCount_;
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

HRESULT IndentingContentHandler::putDocumentLocator(ISAXLocator* locator) noexcept {
    return Track(target_->putDocumentLocator(locator));
}

HRESULT IndentingContentHandler::startDocument() noexcept {
    hasChildren_.clear();
    firstFailure_ = S_OK;
    return Track(target_->startDocument());
}

HRESULT IndentingContentHandler::endDocument() noexcept { return Track(target_->endDocument()); }

HRESULT IndentingContentHandler::startPrefixMapping(const wchar_t* prefix, int prefixLength,
                                                    const wchar_t* uri, int uriLength) noexcept {
    return Track(target_->startPrefixMapping(prefix, prefixLength, uri, uriLength));
}

HRESULT IndentingContentHandler::endPrefixMapping(const wchar_t* prefix, int prefixLength) noexcept {
    return Track(target_->endPrefixMapping(prefix, prefixLength));
}

HRESULT IndentingContentHandler::startElement(const wchar_t* namespaceUri, int namespaceUriLength,
                                              const wchar_t* localName, int localNameLength,
                                              const wchar_t* qualifiedName, int qualifiedNameLength,
                                              ISAXAttributes* attributes) noexcept {
    try {
        if (!hasChildren_.empty()) {
            hasChildren_.back() = true;
            BreakLine(hasChildren_.size());
        }
        hasChildren_.push_back(false);
    } catch (...) {
        return Track(E_OUTOFMEMORY);
    }
    return Track(target_->startElement(namespaceUri, namespaceUriLength, localName, localNameLength,
                                 qualifiedName, qualifiedNameLength, attributes));
}

HRESULT IndentingContentHandler::endElement(const wchar_t* namespaceUri, int namespaceUriLength,
                                            const wchar_t* localName, int localNameLength,
                                            const wchar_t* qualifiedName, int qualifiedNameLength) noexcept {
    if (!hasChildren_.empty()) {
        const bool hadChildren = hasChildren_.back();
        hasChildren_.pop_back();
        if (hadChildren) {
            BreakLine(hasChildren_.size());
        }
    }
    return Track(target_->endElement(namespaceUri, namespaceUriLength, localName, localNameLength, qualifiedName,
                               qualifiedNameLength));
}

HRESULT IndentingContentHandler::characters(const wchar_t* text, int length) noexcept {
    if (!IsXmlText(text, length)) {
        return Track(E_INVALIDARG);
    }
    return Track(target_->characters(text, length));
}

HRESULT IndentingContentHandler::ignorableWhitespace(const wchar_t* text, int length) noexcept {
    return Track(target_->ignorableWhitespace(text, length));
}

HRESULT IndentingContentHandler::processingInstruction(const wchar_t* target, int targetLength,
                                                       const wchar_t* data, int dataLength) noexcept {
    return Track(target_->processingInstruction(target, targetLength, data, dataLength));
}

HRESULT IndentingContentHandler::skippedEntity(const wchar_t* name, int nameLength) noexcept {
    return Track(target_->skippedEntity(name, nameLength));
}

HRESULT IndentingContentHandler::Track(HRESULT result) noexcept {
    if (FAILED(result) && SUCCEEDED(firstFailure_)) {
        firstFailure_ = result;
    }
    return result;
}

HRESULT IndentingContentHandler::BreakLine(size_t depth) noexcept {
    try {
        lineBreak_.assign(L"\r\n");
        lineBreak_.append(depth, L'\t');
    } catch (...) {
        return Track(E_OUTOFMEMORY);
    }
    return Track(target_->characters(lineBreak_.c_str(), static_cast<int>(lineBreak_.size())));
}

}  // namespace tlv
