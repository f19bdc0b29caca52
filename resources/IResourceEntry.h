#pragma once

namespace tlv {

// One resource of a resource list, as the list's users see it. Every text is 8-bit ANSI, owned by the
// entry, valid while the entry lives and never null. The slot order is fixed: callers outside this
// library reach entries through it.
class IResourceEntry {
public:
    virtual int Id() const = 0;
    virtual const char* Location() const = 0;
    virtual const char* FullPath() const = 0;
    // The part of the full path after its last backslash.
    virtual const char* FileName() const = 0;
    // The part of the file name after its last dot; "" when it has none.
    virtual const char* Extension() const = 0;
    // 1 exe, 2 dll, 3 xml, 4 txt (any letter case), 0 anything else.
    virtual int FileKind() const = 0;
    // 25 base-36 characters computed from the file's bytes on the first call, then kept.
    virtual const char* ContentCode() = 0;
    virtual const char* Settings() const = 0;

protected:
    // Entries are destroyed by their catalogue only.
    ~IResourceEntry() = default;
};

}  // namespace tlv
