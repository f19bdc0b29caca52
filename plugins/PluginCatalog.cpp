#include "plugins/PluginCatalog.h"

#include "common/AnsiText.h"
#include "common/AsciiText.h"

#include <cstring>

// The image this code is linked into: the library itself, or a test program.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tlv {

namespace {

struct ValueElement {
    const char* name;
    bool emptyAllowed;
};

// In the order of the catalogue's Value enumeration.
constexpr ValueElement kValueElements[] = {
    {"id", false},          {"lib", false},  {"name", false},     {"fullname", false},
    {"description", false}, {"icon", false}, {"internal", true},  {"autostart", true},
};

int FindValueElement(const char* name) {
    for (int index = 0; index < static_cast<int>(std::size(kValueElements)); ++index) {
        if (std::strcmp(kValueElements[index].name, name) == 0) {
            return index;
        }
    }
    return -1;
}

bool ReadFlag(const std::string& text) {
    return !(text.empty() || text == "0" || EqualsIgnoringAsciiCase(text, "false"));
}

enum class LibraryCheck { File, NoFile, TooLong };

// The first file the search finds decides. A "?" in the path is most often a character the code page
// could not hold, so the search is what finds the library the list means. A path too long for the
// platform's 8-bit file functions says nothing about the file.
LibraryCheck CheckLibrary(const std::string& path) {
    WIN32_FIND_DATAA entry;
    const UniqueFind search(::FindFirstFileA(path.c_str(), &entry));
    if (!search) {
        return ::GetLastError() == ERROR_FILENAME_EXCED_RANGE ? LibraryCheck::TooLong : LibraryCheck::NoFile;
    }
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ? LibraryCheck::File : LibraryCheck::NoFile;
}

UniqueIcon LoadIconFile(const std::string& path) {
    return UniqueIcon(static_cast<HICON>(::LoadImageA(reinterpret_cast<HINSTANCE>(&__ImageBase), path.c_str(),
                                                      IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
}

}  // namespace

bool PluginCatalog::Load(const char* path) {
    Clear();
    listPath_ = TextOrEmpty(path);
    depth_ = 0;
    text_.clear();
    if (ParseFile(listPath_.c_str()) != S_OK) {
        Clear();
        return false;
    }
    return true;
}

void PluginCatalog::Clear() noexcept { records_.clear(); }

const IPluginRecord* PluginCatalog::RecordAt(uint32_t index) const noexcept {
    return index < records_.size() ? records_[index].get() : nullptr;
}

std::string PluginCatalog::ResolvePath(const std::string& listPath, const std::string& value) {
    if (value.size() > 2 && value[1] == ':') {
        return value;
    }
    const size_t separator = listPath.find_last_of("\\/");
    const size_t folderLength = separator == std::string::npos ? 0 : separator + 1;
    return listPath.substr(0, folderLength) + value;
}

int PluginCatalog::OnCharacters(const char* text) {
    text_ += text;
    return 0;
}

int PluginCatalog::OnStartElement(const char* name) {
    switch (depth_) {
    case 0:
        if (std::strcmp(name, "plugins") != 0) {
            return 1;
        }
        break;
    case 1:
        if (std::strcmp(name, "plugin") != 0) {
            return 1;
        }
        for (std::string& value : pending_) {
            value.clear();
        }
        break;
    case 2: {
        // Each value at most once; an empty "internal" or "autostart" may be given again.
        const int value = FindValueElement(name);
        if (value < 0 || !pending_[value].empty()) {
            return 1;
        }
        break;
    }
    default:
        // Values hold text only.
        return 1;
    }
    ++depth_;
    text_.clear();
    return 0;
}

int PluginCatalog::OnEndElement(const char* name) {
    const int value = FindValueElement(name);
    if (value >= 0) {
        if (text_.empty() && !kValueElements[value].emptyAllowed) {
            return 1;
        }
        pending_[value] = text_;
    } else if (std::strcmp(name, "plugin") == 0 && CompletePlugin() != 0) {
        return 1;
    }
    --depth_;
    text_.clear();
    return 0;
}

int PluginCatalog::CompletePlugin() {
    for (const Value needed : {kId, kName, kFullName, kDescription, kLib}) {
        if (pending_[needed].empty()) {
            return 0;
        }
    }
    PluginRecord::Values values;
    values.id = ReadDecimal(pending_[kId].c_str());
    if (values.id == 0) {
        return 0;
    }
    values.libraryPath = ResolvePath(listPath_, pending_[kLib]);
    switch (CheckLibrary(values.libraryPath)) {
    case LibraryCheck::NoFile:
        return 0;
    case LibraryCheck::TooLong:
        // Dropping the plugin would lose it from a merged list without a word: the list is unreadable.
        return 1;
    case LibraryCheck::File:
        break;
    }
    // Without an icon value there is nothing to load: resolving it would only name the list's folder.
    if (!pending_[kIcon].empty()) {
        values.iconHandle = LoadIconFile(ResolvePath(listPath_, pending_[kIcon]));
    }
    values.internal = ReadFlag(pending_[kInternal]);
    values.autostart = ReadFlag(pending_[kAutostart]);
    values.name = pending_[kName];
    values.fullName = pending_[kFullName];
    values.description = pending_[kDescription];
    values.icon = pending_[kIcon];
    values.lib = pending_[kLib];
    records_.push_back(std::make_unique<PluginRecord>(std::move(values)));
    return 0;
}

}  // namespace tlv
