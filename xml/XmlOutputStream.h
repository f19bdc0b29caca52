#pragma once

#include "common/UniqueHandle.h"

#include <objidl.h>
#include <windows.h>

namespace tlv {

class ReplacementFile;

// The COM stream between the XML services and a file: the SAX reader reads a document through it, and
// the XML writer writes one into it.
//
// The count of 1 after construction belongs to the owner, which keeps the stream as a local object and
// never releases that reference; the XML services' own AddRef and Release calls balance.
class XmlOutputStream final : public IStream {
public:
    // Reading: opens the file at path, letting other programs read and write it at the same time (the
    // product may hold its own settings file open).
    explicit XmlOutputStream(const char* path);
    // Writing: every byte goes to target, and a failed or short write is reported to the writer.
    explicit XmlOutputStream(ReplacementFile& target) noexcept;
    XmlOutputStream(const XmlOutputStream&) = delete;
    XmlOutputStream& operator=(const XmlOutputStream&) = delete;
    ~XmlOutputStream() = default;

    bool IsOpen() const noexcept { return target_ != nullptr || file_.IsValid(); }
    void Close() noexcept { file_.Reset(); }
    ULONG ReferenceCount() const noexcept { return referenceCount_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    // ISequentialStream
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) noexcept override;
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG size, ULONG* written) noexcept override;

    // IStream: a plain sequential file needs none of these.
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) noexcept override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) noexcept override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER size, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) noexcept override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) noexcept override;
    HRESULT STDMETHODCALLTYPE Revert() noexcept override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER size, DWORD type) noexcept override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER size, DWORD type) noexcept override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) noexcept override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** clone) noexcept override;

private:
    UniqueFile file_;
    ReplacementFile* target_ = nullptr;
    LONG referenceCount_ = 1;
};

}  // namespace tlv
