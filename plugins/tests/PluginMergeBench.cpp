// Times the plugin-list merge f18 on two lists of 10 000 plugins each (half the numbers shared, every
// library present, no icons) against a floor made of the work it cannot avoid: reading both lists with a
// handler that does nothing, one directory search per library path, and writing a list of the merged
// size. The merge should take at most 1.5 times the floor.

#include "plugins/PluginCatalog.h"
#include "testsupport/TestFiles.h"
#include "xml/SaxHandler.h"
#include "xml/XmlDocumentWriter.h"
#include "xml/XmlElements.h"

#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace tlv;

namespace {

constexpr int kPluginsPerList = 10000;
constexpr int kSecondListFirstId = kPluginsPerList / 2 + 1;
constexpr int kMergedCount = kSecondListFirstId - 1 + kPluginsPerList;
constexpr int kRounds = 3;

using MergeExport = WORD(WINAPI*)(const char*, const char*, const char*);

std::string LibraryName(int id) {
    char name[32];
    wsprintfA(name, "lib\\p%05d.dll", id);
    return name;
}

// The list in the form the library writes, with the values of every plugin derived from its number.
std::string MakeList(int firstId, int count) {
    std::string list = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<plugins>\r\n";
    for (int id = firstId; id < firstId + count; ++id) {
        const std::string n = std::to_string(id);
        list += "\t<plugin>\r\n\t\t<id>" + n + "</id>\r\n\t\t<lib>" + LibraryName(id) + "</lib>\r\n\t\t<name>Plugin " +
                n + "</name>\r\n\t\t<fullname>Sample plugin number " + n +
                "</fullname>\r\n\t\t<description>Does the work of plugin " + n +
                "</description>\r\n\t\t<autostart>0</autostart>\r\n\t\t<internal>1</internal>\r\n\t</plugin>\r\n";
    }
    return list + "</plugins>";
}

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double Time(Work&& work) {
    const double start = Seconds();
    work();
    return Seconds() - start;
}

struct Floor {
    double read = 0;
    double find = 0;
    double write = 0;
    double Total() const { return read + find + write; }
};

class NullHandler final : public SaxHandler {};

Floor MeasureFloor(const test::TempFolder& folder) {
    Floor floor;
    floor.read = Time([&] {
        NullHandler handler;
        handler.ParseFile(folder.Path("first.xml").c_str());
        handler.ParseFile(folder.Path("second.xml").c_str());
    });
    floor.find = Time([&] {
        for (const int firstId : {1, kSecondListFirstId}) {
            for (int id = firstId; id < firstId + kPluginsPerList; ++id) {
                WIN32_FIND_DATAA entry;
                const HANDLE search = ::FindFirstFileA(folder.Path(LibraryName(id)).c_str(), &entry);
                if (search != INVALID_HANDLE_VALUE) {
                    ::FindClose(search);
                }
            }
        }
    });
    floor.write = Time([&] {
        XmlDocumentWriter::Write(folder.Path("floor.xml").c_str(), [](ISAXContentHandler* h) {
            WriteStartElement(h, "plugins");
            for (int id = 1; id <= kMergedCount; ++id) {
                const std::string n = std::to_string(id);
                WriteStartElement(h, "plugin");
                WriteTextElement(h, "id", n.c_str());
                WriteTextElement(h, "lib", LibraryName(id).c_str());
                WriteTextElement(h, "name", ("Plugin " + n).c_str());
                WriteTextElement(h, "fullname", ("Sample plugin number " + n).c_str());
                WriteTextElement(h, "description", ("Does the work of plugin " + n).c_str());
                WriteTextElement(h, "autostart", "0");
                WriteTextElement(h, "internal", "1");
                WriteEndElement(h, "plugin");
            }
            WriteEndElement(h, "plugins");
        });
    });
    return floor;
}

}  // namespace

int main() {
    ::CoInitialize(nullptr);
    const HMODULE library = ::LoadLibraryA((test::ProgramFolder() + "TlvSetup.dll").c_str());
    const void* address =
        library != nullptr ? reinterpret_cast<const void*>(::GetProcAddress(library, "f18")) : nullptr;
    const auto f18 = reinterpret_cast<MergeExport>(address);
    if (f18 == nullptr) {
        std::printf("cannot load f18 from TlvSetup.dll\n");
        return 1;
    }

    test::TempFolder folder;
    ::CreateDirectoryA(folder.Path("lib").c_str(), nullptr);
    for (int id = 1; id <= kMergedCount; ++id) {
        test::WriteBytes(folder.Path(LibraryName(id)), "library");
    }
    test::WriteBytes(folder.Path("first.xml"), MakeList(1, kPluginsPerList));
    test::WriteBytes(folder.Path("second.xml"), MakeList(kSecondListFirstId, kPluginsPerList));

    // The best of a few rounds of each, alternating, so that other work on the machine weighs less.
    double merge = 1e9;
    Floor floor{1e9, 1e9, 1e9};
    WORD result = 0;
    for (int round = 0; round < kRounds; ++round) {
        merge = std::min(merge, Time([&] {
                             result = f18(folder.Path("merged.xml").c_str(), folder.Path("first.xml").c_str(),
                                          folder.Path("second.xml").c_str());
                         }));
        const Floor measured = MeasureFloor(folder);
        if (measured.Total() < floor.Total()) {
            floor = measured;
        }
    }

    PluginCatalog merged;
    merged.Load(folder.Path("merged.xml").c_str());
    const double ratio = merge / floor.Total();
    std::printf("lists: 2 x %d plugins, %d distinct numbers; f18 returned %u, merged list holds %u plugins\n",
                kPluginsPerList, kMergedCount, static_cast<unsigned>(result), merged.Count());
    std::printf("f18:   %.3f s (best of %d)\n", merge, kRounds);
    std::printf("floor: %.3f s (read both lists %.3f s, %d library searches %.3f s, write %d plugins %.3f s)\n",
                floor.Total(), floor.read, 2 * kPluginsPerList, floor.find, kMergedCount, floor.write);
    std::printf("ratio: %.2f (target at most 1.50: %s)\n", ratio, ratio <= 1.5 ? "met" : "NOT met");
    return 0;
}
