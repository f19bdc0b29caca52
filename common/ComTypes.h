#pragma once

#include <oleauto.h>
#include <windows.h>

#include <memory>

namespace tlv {

struct BstrDeleter {
    void operator()(BSTR text) const noexcept { ::SysFreeString(text); }
};
using UniqueBstr = std::unique_ptr<OLECHAR, BstrDeleter>;

// Holds one VARIANT and clears it, releasing what it holds, when it goes out of scope.
class VariantHolder {
public:
    VariantHolder() noexcept { ::VariantInit(&value_); }
    VariantHolder(const VariantHolder&) = delete;
    VariantHolder& operator=(const VariantHolder&) = delete;
    ~VariantHolder() { ::VariantClear(&value_); }

    VARIANT* Get() noexcept { return &value_; }
    const VARIANT& operator*() const noexcept { return value_; }

    // Takes a reference of its own on the object.
    void SetUnknown(IUnknown* object) noexcept {
        ::VariantClear(&value_);
        if (object != nullptr) {
            object->AddRef();
        }
        V_VT(&value_) = VT_UNKNOWN;
        V_UNKNOWN(&value_) = object;
    }

private:
    VARIANT value_;
};

}  // namespace tlv
