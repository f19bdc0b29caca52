#include "xml/XmlDocumentWriter.h"

#include "common/AnsiText.h"
#include "common/ComTypes.h"
#include "common/ReplacementFile.h"
#include "xml/IndentingContentHandler.h"
#include "xml/XmlOutputStream.h"
#include "xml/XmlServices.h"

#include <wrl/client.h>

namespace tlv {

namespace {

using Microsoft::WRL::ComPtr;

// The writer takes a reference of its own; the VARIANT's is dropped at once, so that only the writer's
// keeps the stream busy.
HRESULT SetOutput(IMXWriter* writer, XmlOutputStream& stream) {
    VariantHolder output;
    output.SetUnknown(static_cast<IStream*>(&stream));
    return writer->put_output(*output);
}

bool WriteDocument(ReplacementFile& file, const XmlDocumentWriter::ElementWriter& writeElements) {
    XmlOutputStream stream(file);
    ComPtr<IMXWriter> writer;
    if (FAILED(XmlServices::CreateXmlWriter(writer))) {
        return false;
    }
    ComPtr<ISAXContentHandler> content;
    if (FAILED(writer->QueryInterface(kISAXContentHandler, reinterpret_cast<void**>(content.GetAddressOf())))) {
        return false;
    }
    const UniqueBstr encoding(::SysAllocString(L"UTF-8"));
    if (!encoding) {
        return false;
    }
    // Without its output or its encoding the writer would write elsewhere or otherwise.
    if (FAILED(writer->put_indent(VARIANT_FALSE)) || FAILED(writer->put_standalone(VARIANT_TRUE)) ||
        FAILED(SetOutput(writer.Get(), stream)) || FAILED(writer->put_encoding(encoding.get()))) {
        return false;
    }

    IndentingContentHandler indenter(content.Get());
    indenter.startDocument();
    writeElements(&indenter);
    indenter.endDocument();
    // The writer drops its reference to the stream, and hands over anything it still buffers, here.
    content.Reset();
    writer.Reset();
    return SUCCEEDED(indenter.FirstFailure()) && stream.ReferenceCount() == 1;
}

}  // namespace

bool XmlDocumentWriter::Write(const char* path, const ElementWriter& writeElements) {
    ReplacementFile file(TextOrEmpty(path));
    return file.Open() && WriteDocument(file, writeElements) && file.Commit();
}

}  // namespace tlv
