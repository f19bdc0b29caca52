#pragma once

#include <string>
#include <vector>

namespace tlv::test {

struct ListItem {
    std::string id;
    std::string location;
    std::string settings;
};

// A resource list document holding the items, one element per line.
inline std::string ListXml(const std::vector<ListItem>& items) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<resources>\r\n";
    for (const ListItem& item : items) {
        xml += "\t<resource>\r\n\t\t<id>" + item.id + "</id>\r\n\t\t<location>" + item.location +
               "</location>\r\n\t\t<settings>" + item.settings + "</settings>\r\n\t</resource>\r\n";
    }
    return xml + "</resources>\r\n";
}

// The path without its trailing backslash.
inline std::string WithoutTrailingBackslash(const std::string& path) {
    return !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
}

}  // namespace tlv::test
