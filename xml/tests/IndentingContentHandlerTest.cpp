#include "xml/IndentingContentHandler.h"

#include "xml/XmlElements.h"

#include <gtest/gtest.h>

#include <string>

namespace tlv {
namespace {

// Stands in for the XML writer: records what reaches it and fails every call once told to.
class RecordingTarget final : public ISAXContentHandler {
public:
    std::string calls;
    HRESULT result = S_OK;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) noexcept override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 1; }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
    HRESULT STDMETHODCALLTYPE putDocumentLocator(ISAXLocator*) noexcept override { return result; }
    HRESULT STDMETHODCALLTYPE startDocument() noexcept override { return Record("[", nullptr, 0, ""); }
    HRESULT STDMETHODCALLTYPE endDocument() noexcept override { return Record("]", nullptr, 0, ""); }
    HRESULT STDMETHODCALLTYPE startPrefixMapping(const wchar_t*, int, const wchar_t*, int) noexcept override {
        return result;
    }
    HRESULT STDMETHODCALLTYPE endPrefixMapping(const wchar_t*, int) noexcept override { return result; }
    HRESULT STDMETHODCALLTYPE startElement(const wchar_t*, int, const wchar_t*, int, const wchar_t* name, int length,
                                           ISAXAttributes*) noexcept override {
        return Record("<", name, length, ">");
    }
    HRESULT STDMETHODCALLTYPE endElement(const wchar_t*, int, const wchar_t*, int, const wchar_t* name,
                                         int length) noexcept override {
        return Record("</", name, length, ">");
    }
    HRESULT STDMETHODCALLTYPE characters(const wchar_t* text, int length) noexcept override {
        return Record("", text, length, "");
    }
    HRESULT STDMETHODCALLTYPE ignorableWhitespace(const wchar_t*, int) noexcept override { return result; }
    HRESULT STDMETHODCALLTYPE processingInstruction(const wchar_t*, int, const wchar_t*, int) noexcept override {
        return result;
    }
    HRESULT STDMETHODCALLTYPE skippedEntity(const wchar_t*, int) noexcept override { return result; }

private:
    // The texts here are ASCII: each unit becomes one byte.
    HRESULT Record(const char* before, const wchar_t* text, int length, const char* after) {
        calls += before;
        for (int i = 0; i < length; ++i) {
            calls += static_cast<char>(text[i]);
        }
        calls += after;
        return result;
    }
};

TEST(IndentingContentHandler, BreaksLinesAroundChildElementsOnly) {
    RecordingTarget target;
    IndentingContentHandler indenter(&target);
    indenter.startDocument();
    WriteStartElement(&indenter, "a");
    WriteTextElement(&indenter, "b", "1");
    WriteStartElement(&indenter, "c");
    WriteTextElement(&indenter, "d", nullptr);
    WriteEndElement(&indenter, "c");
    WriteEndElement(&indenter, "a");
    indenter.endDocument();
    EXPECT_EQ(target.calls, "[<a>\r\n\t<b>1</b>\r\n\t<c>\r\n\t\t<d></d>\r\n\t</c>\r\n</a>]");
    EXPECT_EQ(indenter.FirstFailure(), S_OK);
}

TEST(IndentingContentHandler, RemembersTheWritersFirstFailureUntilTheNextDocument) {
    RecordingTarget target;
    IndentingContentHandler indenter(&target);
    indenter.startDocument();
    WriteStartElement(&indenter, "a");
    target.result = E_OUTOFMEMORY;
    WriteTextElement(&indenter, "b", "1");
    target.result = E_FAIL;
    WriteEndElement(&indenter, "a");
    target.result = S_OK;
    indenter.endDocument();
    EXPECT_EQ(indenter.FirstFailure(), E_OUTOFMEMORY);
    indenter.startDocument();
    EXPECT_EQ(indenter.FirstFailure(), S_OK);
}

TEST(IndentingContentHandler, RefusesTextsNoXmlDocumentCanHold) {
    const std::wstring refused[] = {L"a\x01z", L"\x1F", L"\xFFFE", L"\xD800", L"\xDC00x", L"a\xD800" L"b"};
    for (const std::wstring& text : refused) {
        RecordingTarget target;
        IndentingContentHandler indenter(&target);
        EXPECT_EQ(indenter.characters(text.c_str(), static_cast<int>(text.size())), E_INVALIDARG);
        EXPECT_EQ(indenter.FirstFailure(), E_INVALIDARG);
        EXPECT_EQ(target.calls, "");
    }
    const std::wstring taken = L"tab\t line\n return\r \xE9 \xD83D\xDE00";
    RecordingTarget target;
    IndentingContentHandler indenter(&target);
    EXPECT_EQ(indenter.characters(taken.c_str(), static_cast<int>(taken.size())), S_OK);
    EXPECT_EQ(indenter.FirstFailure(), S_OK);
}

}  // namespace
}  // namespace tlv
