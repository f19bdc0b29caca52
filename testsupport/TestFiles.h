#pragma once

#include <objbase.h>
#include <windows.h>

#include <string>

namespace tlv::test {

// The first line of every XML document the library writes.
inline constexpr char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

// A fresh folder under the temporary folder, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // The folder's path, ending in a backslash.
    const std::string& Path() const { return path_; }
    std::string Path(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// COM on the test's thread for the test's duration.
class ComScope {
public:
    ComScope() { ::CoInitialize(nullptr); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() { ::CoUninitialize(); }
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
// Names in the folder other than . and .., sorted.
std::string ListFolder(const std::string& folder);
// The small (64 KiB) filesystem that make test mounts where it can, as a Windows folder ending in a
// backslash; empty when there is none. Tests that fill it share the ctest LOCK small-fs.
std::string SmallFilesystemFolder();
// The folder of the running program, ending in a backslash: the library and tlvcall are built there.
std::string ProgramFolder();

}  // namespace tlv::test
