#include "resources/ContentCode.h"

#include "common/UniqueHandle.h"
#include "resources/BigNumber.h"

#include <windows.h>

#include <memory>

namespace tlv {

std::string ContentCodeOfDigest(const Md5::Digest& digest) {
    Md5::Digest reduced = digest;
    reduced[15] &= 0x7f;
    BigNumber number(reduced.size() / 2);
    number.FromBytes(reduced.data(), reduced.size());
    return number.ToText(kContentCodeLength);
}

std::string ContentCodeOfFile(const std::string& path) {
    Md5 md5;
    const UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file) {
        const auto buffer = std::make_unique<uint8_t[]>(kContentCodeBufferSize);
        DWORD read = 0;
        while (::ReadFile(file.Get(), buffer.get(), kContentCodeBufferSize, &read, nullptr) && read > 0) {
            md5.Update(buffer.get(), read);
        }
    }
    return ContentCodeOfDigest(md5.Finish());
}

}  // namespace tlv
