#pragma once

namespace tlv {

// Merges the resource list at secondPath into the one at firstPath and writes the result to resultPath.
// The second list wins: its entry replaces the first list's entry with the same full path (any letter
// case) and moves to the end. Entries of the second list outside the first list's folder are dropped.
// A missing or broken input counts as a list with fewer or no entries. True when the result was
// written; false leaves resultPath as it was. COM must be initialised on the calling thread.
bool MergeResourceLists(const char* resultPath, const char* firstPath, const char* secondPath);

// True when every full path of the list at path names an existing folder (the first match, for a path
// with wildcards); also true for a missing or empty list.
bool ResourceFoldersExist(const char* path);

}  // namespace tlv
