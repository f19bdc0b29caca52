// The resource merge f19 on two large lists in one folder, against a floor measured in the same run:
// reading both lists with a handler that does nothing, plus writing a list of the merged size, both
// through the same stream input and document writer that the catalogue uses.

#include "resources/tests/ResourceLists.h"
#include "testsupport/TestFiles.h"
#include "xml/SaxHandler.h"
#include "xml/XmlDocumentWriter.h"
#include "xml/XmlElements.h"

#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace tlv;
using test::ListItem;

namespace {

using MergeExport = WORD(WINAPI*)(const char*, const char*, const char*);

class NullHandler final : public SaxHandler {};

// The machine is shared: each figure is the best of several runs, taken in turns so that a busy spell
// weighs on all of them alike.
constexpr int kRuns = 5;

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Location(int index) {
    return "Voices\\Set" + std::to_string(index % 97) + "\\voice" + std::to_string(index) + ".dat";
}

std::string OtherCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

void WriteList(const std::string& path, const std::vector<ListItem>& items) {
    XmlDocumentWriter::Write(path.c_str(), [&items](ISAXContentHandler* handler) {
        WriteStartElement(handler, "resources");
        for (const ListItem& item : items) {
            WriteStartElement(handler, "resource");
            WriteTextElement(handler, "id", item.id.c_str());
            WriteTextElement(handler, "location", item.location.c_str());
            WriteTextElement(handler, "settings", item.settings.c_str());
            WriteEndElement(handler, "resource");
        }
        WriteEndElement(handler, "resources");
    });
}

size_t CountResources(const std::string& path) {
    const std::string text = test::ReadBytes(path);
    size_t count = 0;
    for (size_t at = text.find("<resource>"); at != std::string::npos; at = text.find("<resource>", at + 1)) {
        ++count;
    }
    return count;
}

void Measure(MergeExport f19, int size) {
    test::TempFolder folder;
    const std::string first = folder.Path("first.xml");
    const std::string second = folder.Path("second.xml");
    const std::string result = folder.Path("result.xml");
    std::vector<ListItem> firstItems, secondItems, mergedItems;
    for (int i = 0; i < size; ++i) {
        firstItems.push_back({std::to_string(i), Location(i), "rate=" + std::to_string(i)});
    }
    // Even entries name a first-list path in capitals; odd ones are new.
    for (int i = 0; i < size; ++i) {
        const std::string location = i % 2 == 0 ? OtherCase(Location(i)) : "New\\item" + std::to_string(i) + ".dat";
        secondItems.push_back({std::to_string(size + i), location, "new"});
    }
    WriteList(first, firstItems);
    WriteList(second, secondItems);
    mergedItems = firstItems;
    mergedItems.resize(size + size / 2, secondItems.front());

    double read = 1e9, write = 1e9, merge = 1e9;
    WORD status = 0;
    for (int run = 0; run < kRuns; ++run) {
        read = std::min(read, Seconds([&] {
                            NullHandler handler;
                            handler.ParseFile(first.c_str());
                            handler.ParseFile(second.c_str());
                        }));
        write = std::min(write, Seconds([&] { WriteList(folder.Path("floor.xml"), mergedItems); }));
        merge = std::min(merge, Seconds([&] { status = f19(result.c_str(), first.c_str(), second.c_str()); }));
    }
    const size_t merged = CountResources(result);
    const double floor = read + write;
    std::printf("%6d + %6d entries -> %6zu (f19 result %u)\n", size, size, merged, static_cast<unsigned>(status));
    std::printf("  floor: read both %.3f s + write merged size %.3f s = %.3f s\n", read, write, floor);
    std::printf("  f19:   %.3f s = %.2f times the floor (goal: at most 1.50)\n", merge, merge / floor);
}

}  // namespace

int main() {
    ::CoInitialize(nullptr);
    const HMODULE library = ::LoadLibraryA((test::ProgramFolder() + "TlvSetup.dll").c_str());
    const auto f19 = reinterpret_cast<MergeExport>(
        reinterpret_cast<void*>(library != nullptr ? ::GetProcAddress(library, "f19") : nullptr));
    if (f19 == nullptr) {
        std::fprintf(stderr, "cannot load f19 from TlvSetup.dll\n");
        return 1;
    }
    std::printf("best of %d runs each; the ratio staying put from the small lists to the large ones shows\n"
                "that f19 grows as the floor does, linearly\n",
                kRuns);
    for (int size : {25000, 100000}) {
        Measure(f19, size);
    }
    return 0;
}
