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
    writer->put_indent(VARIANT_FALSE);
    writer->put_standalone(VARIANT_TRUE);
    {
        VariantHolder output;
        output.SetUnknown(static_cast<IStream*>(&stream));
        writer->put_output(*output);
    }
    writer->put_encoding(encoding.get());

    IndentingContentHandler indenter(content.Get());
    indenter.startDocument();
    writeElements(&indenter);
    indenter.endDocument();
    // The writer drops its reference to the stream, and hands over anything it still buffers, here.
    content.Reset();
    writer.Reset();
    return stream.ReferenceCount() == 1;
}

}  // namespace

bool XmlDocumentWriter::Write(const char* path, const ElementWriter& writeElements) {
    ReplacementFile file(TextOrEmpty(path));
    return file.Open() && WriteDocument(file, writeElements) && file.Commit();
}

}  // namespace tlv
