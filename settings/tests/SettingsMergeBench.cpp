// The settings merge (f24) on two documents of 20 000 location groups, against a floor made of what any
// merge must do: read both documents through the SAX reader and write a document of the same size.

#include "testsupport/TestFiles.h"
#include "xml/SaxHandler.h"
#include "xml/XmlDocumentWriter.h"
#include "xml/XmlElements.h"

#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

using namespace tlv;

namespace {

constexpr int kGroups = 20000;
// Rounds of both measurements in turn; the best of each counts, which keeps out most of the noise of a
// shared machine.
constexpr int kRounds = 7;

// Indented as the library writes it. Each group has "name", "path" and two other entries; the second
// document shares half of its names with the first (in another letter case) and brings new ones.
std::string LocationDocument(int firstIndex, bool upperCase) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<settings>\r\n";
    for (int i = firstIndex; i < firstIndex + kGroups; ++i) {
        const std::string number = std::to_string(i);
        const std::string name = (upperCase ? "LOCATION " : "Location ") + number;
        text += "\t<L" + number + ">\r\n";
        text += "\t\t<name>" + name + "</name>\r\n";
        text += "\t\t<path>C:\\Data\\Locations\\" + number + "</path>\r\n";
        text += "\t\t<description>Location number " + number + " of the benchmark</description>\r\n";
        text += "\t\t<order>" + number + "</order>\r\n";
        text += "\t</L" + number + ">\r\n";
    }
    return text + "</settings>";
}

class NullHandler final : public SaxHandler {};

template <typename Work>
double Milliseconds(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void WriteSameSizeDocument(const std::string& path) {
    XmlDocumentWriter::Write(path.c_str(), [](ISAXContentHandler* handler) {
        WriteStartElement(handler, "settings");
        for (int i = 0; i < kGroups; ++i) {
            const std::string number = std::to_string(i);
            const std::string group = "L" + number;
            WriteStartElement(handler, group.c_str());
            WriteTextElement(handler, "name", ("Location " + number).c_str());
            WriteTextElement(handler, "path", ("C:\\Data\\Locations\\" + number).c_str());
            WriteTextElement(handler, "description", ("Location number " + number + " of the benchmark").c_str());
            WriteTextElement(handler, "order", number.c_str());
            WriteEndElement(handler, group.c_str());
        }
        WriteEndElement(handler, "settings");
    });
}

}  // namespace

int main() {
    ::CoInitialize(nullptr);
    test::TempFolder folder;
    const std::string first = folder.Path("first.xml");
    const std::string second = folder.Path("second.xml");
    const std::string result = folder.Path("result.xml");
    test::WriteBytes(first, LocationDocument(0, false));
    test::WriteBytes(second, LocationDocument(kGroups / 2, true));

    const HMODULE library = ::LoadLibraryA((test::ProgramFolder() + "TlvSetup.dll").c_str());
    using MergeExport = WORD(WINAPI*)(const char*, const char*, const char*);
    const FARPROC address = library != nullptr ? ::GetProcAddress(library, "f24") : nullptr;
    const auto f24 = reinterpret_cast<MergeExport>(reinterpret_cast<void*>(address));
    if (f24 == nullptr) {
        std::printf("cannot load f24 from TlvSetup.dll\n");
        return 1;
    }

    double merge = 1e300;
    double floor = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        merge = std::min(merge, Milliseconds([&] { f24(result.c_str(), first.c_str(), second.c_str()); }));
        floor = std::min(floor, Milliseconds([&] {
                             NullHandler reader;
                             reader.ParseFile(first.c_str());
                             reader.ParseFile(second.c_str());
                             WriteSameSizeDocument(folder.Path("floor.xml"));
                         }));
    }

    std::printf("documents: 2 x %d groups of 4 entries (%d names shared), result %zu bytes\n", kGroups, kGroups / 2,
                test::ReadBytes(result).size());
    std::printf("f24 merge:                      %8.1f ms (best of %d)\n", merge, kRounds);
    std::printf("floor (read both, write one):   %8.1f ms (best of %d)\n", floor, kRounds);
    std::printf("ratio: %.2f (target at most 1.50)\n", merge / floor);
    ::FreeLibrary(library);
    return 0;
}
