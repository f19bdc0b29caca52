#pragma once

#include <msxml2.h>
#include <windows.h>

#include <cstddef>
#include <vector>

namespace tlv {

// The base of every XML reader: the SAX reader calls it back while it parses, it turns each element's
// local name and each text into 8-bit ANSI text and hands them to the derived reader.
//
// The count of 1 after construction belongs to the owner, which never releases it and destroys the
// object itself; the SAX reader's AddRef and Release calls balance.
class SaxHandler : public ISAXContentHandler, public ISAXErrorHandler {
public:
    SaxHandler();
    SaxHandler(const SaxHandler&) = delete;
    SaxHandler& operator=(const SaxHandler&) = delete;
    virtual ~SaxHandler() = default;

    // Parses the file at path with this object as content and error handler. S_OK only when the whole
    // document was read; a file that cannot be opened reads like a missing one. COM must be initialised.
    HRESULT ParseFile(const char* path);

    ULONG ReferenceCount() const noexcept { return referenceCount_; }
    size_t BufferCapacity() const noexcept { return buffer_.size(); }

    // IUnknown, shared by both interfaces
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

    // ISAXErrorHandler: parse errors reach the caller through ParseFile's result alone.
    HRESULT STDMETHODCALLTYPE error(ISAXLocator* locator, const wchar_t* message, HRESULT code) noexcept override;
    HRESULT STDMETHODCALLTYPE fatalError(ISAXLocator* locator, const wchar_t* message,
                                         HRESULT code) noexcept override;
    HRESULT STDMETHODCALLTYPE ignorableWarning(ISAXLocator* locator, const wchar_t* message,
                                               HRESULT code) noexcept override;

protected:
    // Each receives text that is valid only during the call. 0 goes on; any other value refuses the
    // document and ends the parse.
    virtual int OnCharacters(const char* text);
    virtual int OnStartElement(const char* name);
    virtual int OnEndElement(const char* name);

private:
    // Converts a UTF-16 run into the buffer, which grows to fit and never shrinks.
    const char* ToNarrow(const wchar_t* text, int length);
    template <typename Event>
    HRESULT Deliver(const wchar_t* text, int length, Event event) noexcept;

    LONG referenceCount_ = 1;
    ISAXLocator* locator_ = nullptr;  // not referenced: valid only during a parse
    std::vector<char> buffer_;
};

}  // namespace tlv
