#include "plugins/PluginListWriter.h"

#include "xml/XmlDocumentWriter.h"
#include "xml/XmlElements.h"

namespace tlv {

namespace {

const char* FlagText(int32_t flag) { return flag != 0 ? "1" : "0"; }

void WritePlugin(ISAXContentHandler* handler, const IPluginRecord& record) {
    char id[16];
    wsprintfA(id, "%d", static_cast<int>(record.Id()));
    WriteStartElement(handler, "plugin");
    WriteTextElement(handler, "id", id);
    WriteTextElement(handler, "lib", record.Lib());
    WriteTextElement(handler, "name", record.Name());
    WriteTextElement(handler, "fullname", record.FullName());
    WriteTextElement(handler, "description", record.Description());
    WriteTextElement(handler, "autostart", FlagText(record.IsAutostart()));
    // The reader refuses an "icon" without text.
    const char* icon = record.Icon();
    if (icon != nullptr && icon[0] != '\0') {
        WriteTextElement(handler, "icon", icon);
    }
    WriteTextElement(handler, "internal", FlagText(record.IsInternal()));
    WriteEndElement(handler, "plugin");
}

}  // namespace

bool PluginListWriter::Write(const char* path, const IPluginRecord* const* records, int count) {
    return XmlDocumentWriter::Write(path, [records, count](ISAXContentHandler* handler) {
        WriteStartElement(handler, "plugins");
        for (int index = 0; index < count; ++index) {
            WritePlugin(handler, *records[index]);
        }
        WriteEndElement(handler, "plugins");
    });
}

}  // namespace tlv
