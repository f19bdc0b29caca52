#pragma once

#include "resources/IResourceEntry.h"

namespace tlv {

// A resource list in memory, as its users see it. Paths and texts are 8-bit ANSI; paths compare
// without regard to the case of ASCII letters. The slot order is fixed: callers outside this library
// reach catalogues through it.
class IResourceCatalog {
public:
    virtual int CountWithId(int id) = 0;
    virtual int Count() = 0;
    // The index-th entry with the id, in insertion order; null when there is none.
    virtual IResourceEntry* EntryWithId(int id, int index) = 0;
    // The index-th entry in insertion order; null when index is out of range.
    virtual IResourceEntry* EntryAt(int index) = 0;
    // The first entry whose location is text; failing that, the first whose full path is text.
    virtual IResourceEntry* Find(const char* text) = 0;
    // Adds a resource inside the catalogue's folder (a relative path is taken from that folder). The
    // entry already present under that path is returned unchanged; null for a path outside the folder.
    virtual IResourceEntry* Add(int id, const char* path, const char* settings) = 0;
    // Adds a resource of the user's own, kept under the per-user folder. Null when the per-user folder
    // is unknown.
    virtual IResourceEntry* AddUserResource(int id, const char* path, const char* settings) = 0;
    // Removes and destroys an entry of this catalogue; anything else is left alone.
    virtual void Remove(IResourceEntry* entry) = 0;
    // Writes the list to path: 1 written, 0 not (the file at path is then as it was).
    virtual int Save(const char* path) = 0;

protected:
    // Catalogues are destroyed by CloseResourceCatalog only.
    ~IResourceCatalog() = default;
};

}  // namespace tlv
