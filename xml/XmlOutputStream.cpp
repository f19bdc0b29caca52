#include "xml/XmlOutputStream.h"

#include "common/AnsiText.h"
#include "common/ReplacementFile.h"

namespace tlv {

XmlOutputStream::XmlOutputStream(const char* path)
    : file_(::CreateFileA(TextOrEmpty(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

XmlOutputStream::XmlOutputStream(ReplacementFile& target) noexcept : target_(&target) {}

HRESULT XmlOutputStream::QueryInterface(REFIID iid, void** object) noexcept {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_ISequentialStream && iid != IID_IStream) {
        return E_NOINTERFACE;
    }
    *object = static_cast<IStream*>(this);
    AddRef();
    return S_OK;
}

ULONG XmlOutputStream::AddRef() noexcept { return static_cast<ULONG>(++referenceCount_); }

ULONG XmlOutputStream::Release() noexcept {
    const LONG count = --referenceCount_;
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

HRESULT XmlOutputStream::Read(void* buffer, ULONG size, ULONG* read) noexcept {
    DWORD done = 0;
    const BOOL ok = file_ && ::ReadFile(file_.Get(), buffer, size, &done, nullptr);
    if (read != nullptr) {
        *read = done;
    }
    // A failed read must not look like the end of the document.
    return ok ? S_OK : STG_E_READFAULT;
}

HRESULT XmlOutputStream::Write(const void* buffer, ULONG size, ULONG* written) noexcept {
    if (written != nullptr) {
        *written = 0;
    }
    if (size == 0) {
        return S_OK;
    }
    if (target_ == nullptr || !target_->Write(buffer, size)) {
        return STG_E_WRITEFAULT;
    }
    if (written != nullptr) {
        *written = size;
    }
    return S_OK;
}

HRESULT XmlOutputStream::Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) noexcept { return S_OK; }
HRESULT XmlOutputStream::SetSize(ULARGE_INTEGER) noexcept { return S_OK; }
HRESULT XmlOutputStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) noexcept {
    return S_OK;
}
HRESULT XmlOutputStream::Commit(DWORD) noexcept { return S_OK; }
HRESULT XmlOutputStream::Revert() noexcept { return S_OK; }
HRESULT XmlOutputStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) noexcept { return S_OK; }
HRESULT XmlOutputStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) noexcept { return S_OK; }
// Neither has a result to give, so neither claims success.
HRESULT XmlOutputStream::Stat(STATSTG*, DWORD) noexcept { return E_NOTIMPL; }
HRESULT XmlOutputStream::Clone(IStream** clone) noexcept {
    if (clone != nullptr) {
        *clone = nullptr;
    }
    return E_NOTIMPL;
}

}  // namespace tlv
