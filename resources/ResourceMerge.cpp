#include "resources/ResourceMerge.h"

#include "common/UniqueHandle.h"
#include "resources/ResourceCatalog.h"

#include <windows.h>

namespace tlv {

namespace {

bool IsExistingFolder(const char* path) {
    WIN32_FIND_DATAA found;
    const UniqueFind search(::FindFirstFileA(path, &found));
    return search && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool MergeResourceLists(const char* resultPath, const char* firstPath, const char* secondPath) {
    const UniqueResourceCatalog first(OpenResourceCatalog(firstPath));
    if (!first) {
        return false;
    }
    const UniqueResourceCatalog second(OpenResourceCatalog(secondPath));
    if (!second) {
        return false;
    }
    for (int index = 0; index < second->Count(); ++index) {
        const IResourceEntry* entry = second->EntryAt(index);
        // The first list may name one path twice: every entry for it gives way, or Add would keep one.
        while (IResourceEntry* present = first->Find(entry->FullPath())) {
            first->Remove(present);
        }
        // An entry outside the first list's folder is not taken over.
        first->Add(entry->Id(), entry->FullPath(), entry->Settings());
    }
    return first->Save(resultPath) != 0;
}

bool ResourceFoldersExist(const char* path) {
    const UniqueResourceCatalog catalog(OpenResourceCatalog(path));
    if (!catalog) {
        return false;
    }
    const int count = catalog->Count();
    for (int index = 0; index < count; ++index) {
        if (!IsExistingFolder(catalog->EntryAt(index)->FullPath())) {
            return false;
        }
    }
    return true;
}

}  // namespace tlv
