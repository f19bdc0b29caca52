#pragma once

#include <msxml2.h>
#include <windows.h>

#include <string>
#include <vector>

namespace tlv {

// Sits between the element operations and the XML writer's content handler and lays the document out:
// every start tag but the root's, and every end tag of an element that holds child elements, begins a
// new line indented by one tab per level. An element with a text stays on one line, so that every value
// reads back exactly as written. The writer itself runs without indentation. A text that no XML document
// can hold (a control character, say) is refused, so that the document fails as a whole.
//
// The count of 1 after construction belongs to the owner, which keeps the object as a local.
class IndentingContentHandler final : public ISAXContentHandler {
public:
    // Borrows target, which must outlive this object.
    explicit IndentingContentHandler(ISAXContentHandler* target) noexcept : target_(target) {}
    IndentingContentHandler(const IndentingContentHandler&) = delete;
    IndentingContentHandler& operator=(const IndentingContentHandler&) = delete;
    ~IndentingContentHandler() = default;

    // S_OK, or the first failure since startDocument, of the writer's or of this layer's own: a document
    // that met one is incomplete.
    HRESULT FirstFailure() const noexcept { return firstFailure_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    // ISAXContentHandler
    HRESULT STDMETHODCALLTYPE putDocumentLocator(ISAXLocator* locator) noexcept override;
    HRESULT STDMETHODCALLTYPE startDocument() noexcept override;
    HRESULT STDMETHODCALLTYPE endDocument() noexcept override;
    HRESULT STDMETHODCALLTYPE startPrefixMapping(const wchar_t* prefix, int prefixLength,
                                                 const wchar_t* uri, int uriLength) noexcept override;
    HRESULT STDMETHODCALLTYPE endPrefixMapping(const wchar_t* prefix, int prefixLength) noexcept override;
    HRESULT STDMETHODCALLTYPE startElement(const wchar_t* namespaceUri, int namespaceUriLength,
                                           const wchar_t* localName, int localNameLength,
                                           const wchar_t* qualifiedName, int qualifiedNameLength,
                                           ISAXAttributes* attributes) noexcept override;
    HRESULT STDMETHODCALLTYPE endElement(const wchar_t* namespaceUri, int namespaceUriLength,
                                         const wchar_t* localName, int localNameLength,
                                         const wchar_t* qualifiedName, int qualifiedNameLength) noexcept override;
    HRESULT STDMETHODCALLTYPE characters(const wchar_t* text, int length) noexcept override;
    HRESULT STDMETHODCALLTYPE ignorableWhitespace(const wchar_t* text, int length) noexcept override;
    HRESULT STDMETHODCALLTYPE processingInstruction(const wchar_t* target, int targetLength,
                                                    const wchar_t* data, int dataLength) noexcept override;
    HRESULT STDMETHODCALLTYPE skippedEntity(const wchar_t* name, int nameLength) noexcept override;

private:
    HRESULT BreakLine(size_t depth) noexcept;
    HRESULT Track(HRESULT result) noexcept;

    ISAXContentHandler* target_;
    LONG referenceCount_ = 1;
    // One entry per open element: whether it has a child element yet.
    std::vector<bool> hasChildren_;
    std::wstring lineBreak_;
    HRESULT firstFailure_ = S_OK;
};

}  // namespace tlv
