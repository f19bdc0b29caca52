#include "settings/SettingsStore.h"

#include "common/AnsiText.h"
#include "common/AsciiText.h"
#include "common/PerUserFolder.h"
#include "common/ReplacementFile.h"
#include "common/UniqueHandle.h"
#include "settings/ElementName.h"
#include "settings/SettingsTextForm.h"
#include "settings/SettingsValueText.h"
#include "xml/XmlDocumentWriter.h"
#include "xml/XmlElements.h"

#include <objbase.h>
#include <windows.h>

#include <cstring>
#include <vector>

namespace tlv {

namespace {

constexpr char kRootElement[] = "settings";
// A longer physical line of the text form is read as several lines of at most this many characters.
constexpr size_t kTextLineLimit = 4095;

// Calls onLine with each line of the file, read as the text form is read: a CR LF or LF ends a line and is
// not part of it, and a longer line comes in pieces of kTextLineLimit characters. False when the file
// cannot be opened.
template <typename OnLine>
bool ForEachTextLine(const std::string& path, OnLine onLine) {
    // Readable while the product itself has the file open.
    const UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    std::string line;
    bool pendingCarriageReturn = false;
    auto append = [&](char c) {
        line += c;
        if (line.size() == kTextLineLimit) {
            onLine(line);
            line.clear();
        }
    };
    std::vector<char> chunk(64 * 1024);
    DWORD read = 0;
    while (::ReadFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) && read > 0) {
        for (DWORD i = 0; i < read; ++i) {
            const char c = chunk[i];
            if (pendingCarriageReturn) {
                pendingCarriageReturn = false;
                if (c != '\n') {
                    append('\r');
                }
            }
            if (c == '\n') {
                onLine(line);
                line.clear();
            } else if (c == '\r') {
                pendingCarriageReturn = true;
            } else {
                append(c);
            }
        }
    }
    if (pendingCarriageReturn) {
        append('\r');
    }
    if (!line.empty()) {
        onLine(line);
    }
    return true;
}

// Text-mode output: every LF, also one inside a name, is written as CR LF.
void AppendTextLine(std::string& text, const std::string& line) {
    for (const char c : line) {
        if (c == '\n') {
            text += '\r';
        }
        text += c;
    }
    text += "\r\n";
}

}  // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::~SettingsStore() { Reset(); }

uint32_t SettingsStore::GroupCount() { return static_cast<uint32_t>(groups_.Count()); }

const char* SettingsStore::GroupName(uint32_t index) {
    const SettingsGroup* group = groups_.At(index);
    return group != nullptr ? group->Name() : nullptr;
}

void SettingsStore::RemoveKey(const char* group, const char* key) {
    if (SettingsGroup* found = FindGroup(group)) {
        found->RemoveEntry(key);
    }
}

void SettingsStore::RemoveGroup(const char* group) { groups_.Remove(group); }

const char* SettingsStore::GetString(const char* group, const char* key, const char* defaultValue) {
    const SettingsGroup* found = FindGroup(group);
    const SettingsEntry* entry = found != nullptr ? found->FindEntry(key) : nullptr;
    return entry != nullptr ? entry->Value() : defaultValue;
}

void SettingsStore::SetString(const char* group, const char* key, const char* value) {
    AddGroup(group)->AddEntry(key)->SetValue(value);
}

int32_t SettingsStore::GetBool(const char* group, const char* key, int32_t defaultValue) {
    const char* value = GetString(group, key, nullptr);
    if (value == nullptr) {
        return defaultValue;
    }
    return ReadDecimal(value) != 0 ? 1 : 0;
}

void SettingsStore::SetBool(const char* group, const char* key, int32_t value) { SetInt(group, key, value); }

int32_t SettingsStore::GetIntInRange(const char* group, const char* key, int32_t defaultValue, int32_t minimum,
                                     int32_t maximum) {
    const int32_t value = GetInt(group, key, defaultValue);
    return (minimum <= value && value <= maximum) ? value : defaultValue;
}

int32_t SettingsStore::GetInt(const char* group, const char* key, int32_t defaultValue) {
    const char* value = GetString(group, key, nullptr);
    return value != nullptr ? ReadDecimal(value) : defaultValue;
}

void SettingsStore::SetInt(const char* group, const char* key, int32_t value) {
    SetString(group, key, IntegerText(value).c_str());
}

int32_t SettingsStore::GetBinary(const char* group, const char* key, unsigned char* buffer, uint32_t size) {
    const char* text = GetString(group, key, nullptr);
    if (text == nullptr || (buffer == nullptr && size != 0)) {
        return 0;
    }
    // The count and sum fields take 16 characters; a shorter text holds no block at all.
    const size_t length = std::strlen(text);
    if (length < 16 || (length - 16) / 2 != size) {
        return 0;
    }
    uint32_t expectedSum = 0;
    for (int byte = 0; byte < 4; ++byte) {
        expectedSum |= static_cast<uint32_t>(DecodeHexByte(text[8 + 2 * byte], text[9 + 2 * byte])) << (8 * byte);
    }
    uint32_t sum = 0;
    for (uint32_t i = 0; i < size; ++i) {
        buffer[i] = DecodeHexByte(text[16 + 2 * size_t{i}], text[17 + 2 * size_t{i}]);
        sum += buffer[i];
    }
    return sum == expectedSum ? 1 : 0;
}

void SettingsStore::SetBinary(const char* group, const char* key, const unsigned char* data, uint32_t size) {
    SetString(group, key, BinaryText(data, data != nullptr ? size : 0).c_str());
}

double SettingsStore::GetDouble(const char* group, const char* key, double defaultValue) {
    const char* value = GetString(group, key, nullptr);
    return value != nullptr ? ReadDouble(value) : defaultValue;
}

void SettingsStore::SetDouble(const char* group, const char* key, double value) {
    SetString(group, key, DoubleText(value).c_str());
}

int32_t SettingsStore::IsUnloaded() { return loaded_ == 0 ? 1 : 0; }

SettingsGroup* SettingsStore::FindGroup(const char* name) const { return groups_.Find(name); }

SettingsGroup* SettingsStore::AddGroup(const char* name) {
    if (SettingsGroup* group = FindGroup(name)) {
        return group;
    }
    return groups_.Append(name);
}

void SettingsStore::Reset() noexcept {
    groups_.Clear();
    loaded_ = 0;
}

void SettingsStore::SetPath(const char* name) {
    const char* text = TextOrEmpty(name);
    if (text[0] != '\0' && text[1] == ':') {
        path_ = text;
        return;
    }
    const std::string folder = PerUserFolder();
    path_ = folder.empty() ? std::string() : folder + text;
}

void SettingsStore::Load(const char* name, int32_t asXml) {
    Reset();
    SetFormat(asXml);
    SetPath(name);
    loaded_ = 1;
    if (asXml_ != 0) {
        ParseXmlFile();
    } else {
        ParseTextFile();
    }
}

int32_t SettingsStore::Save() { return asXml_ != 0 ? SaveXmlFile() : SaveTextFile(); }

int32_t SettingsStore::SaveXmlFile() {
    const bool written = XmlDocumentWriter::Write(path_.c_str(), [this](ISAXContentHandler* handler) {
        WriteStartElement(handler, kRootElement);
        // An empty name has no element name: such a group or entry is left out, the rest is written.
        groups_.ForEach([handler](const SettingsGroup& group) {
            const std::string groupElement = EncodeElementName(group.Name());
            if (groupElement.empty()) {
                return;
            }
            WriteStartElement(handler, groupElement.c_str());
            group.ForEachEntry([handler](const SettingsEntry& entry) {
                const std::string entryElement = EncodeElementName(entry.Name());
                if (!entryElement.empty()) {
                    WriteTextElement(handler, entryElement.c_str(), entry.Value());
                }
            });
            WriteEndElement(handler, groupElement.c_str());
        });
        WriteEndElement(handler, kRootElement);
    });
    return written ? 1 : 0;
}

int32_t SettingsStore::SaveTextFile() {
    ReplacementFile file(path_);
    if (!file.Open()) {
        return 0;
    }
    std::string text;
    groups_.ForEach([&](const SettingsGroup& group) {
        text.clear();
        AppendTextLine(text, std::string("[") + group.Name() + "]");
        group.ForEachEntry([&text](const SettingsEntry& entry) {
            std::string value = entry.Value();
            EscapeLineBreaks(value);
            AppendTextLine(text, std::string(entry.Name()) + "=" + value);
        });
        AppendTextLine(text, "");
        file.Write(text.data(), text.size());
    });
    return file.Commit() ? 1 : 0;
}

int32_t SettingsStore::ParseXmlFile() {
    // The thread stays initialised: the library never undoes COM initialisation.
    ::CoInitialize(nullptr);
    depth_ = 0;
    pendingText_.clear();
    // A document that ends early, or is refused, leaves what was read before in the store.
    ParseFile(path_.c_str());
    return 1;
}

int32_t SettingsStore::ParseTextFile() {
    std::string currentGroup;
    ForEachTextLine(path_, [&](std::string& line) { ReadTextLine(line, currentGroup); });
    return 1;
}

void SettingsStore::ReadTextLine(std::string& line, std::string& currentGroup) {
    TrimSpace(line);
    if (line.empty()) {
        return;
    }
    if (line.front() == '[' && line.back() == ']') {
        currentGroup = line.substr(1, line.size() - 2);
        return;
    }
    if (currentGroup.empty()) {
        return;
    }
    const size_t separator = line.find('=');
    if (separator == std::string::npos) {
        return;
    }
    std::string key = line.substr(0, separator);
    std::string value = line.substr(separator + 1);
    TrimSpace(key);
    TrimSpace(value);
    if (key.empty() || value.empty()) {
        return;
    }
    UnescapeLineBreaks(value);
    SetString(currentGroup.c_str(), key.c_str(), value.c_str());
}

int SettingsStore::OnCharacters(const char* text) {
    pendingText_ += text;
    return 0;
}

int SettingsStore::OnStartElement(const char* name) {
    switch (depth_) {
    case 0:
        if (std::strcmp(name, kRootElement) != 0) {
            return 1;
        }
        break;
    case 1:
        currentGroup_ = DecodeElementName(name);
        break;
    case 2:
        break;
    default:
        // Entries hold text only: an element inside one ends the document here.
        return 1;
    }
    pendingText_.clear();
    ++depth_;
    return 0;
}

int SettingsStore::OnEndElement(const char* name) {
    --depth_;
    if (depth_ == 2) {
        SetString(currentGroup_.c_str(), DecodeElementName(name).c_str(), pendingText_.c_str());
    }
    pendingText_.clear();
    return 0;
}

}  // namespace tlv
