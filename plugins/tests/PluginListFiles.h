#pragma once

#include <cstdint>
#include <string>

namespace tlv::test {

// Pieces of plugin lists and the files they name, for the plugin tests.

// A whole plugin list around the given "plugin" elements.
inline std::string PluginList(const std::string& plugins) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<plugins>" + plugins + "</plugins>";
}

// A "plugin" element with every needed value followed by more value elements. The name is N, fullname F
// and description D followed by the id text unless a name is given.
inline std::string Plugin(const std::string& id, const std::string& lib, const std::string& more = "",
                          const std::string& name = "") {
    return "<plugin><id>" + id + "</id><lib>" + lib + "</lib><name>" + (name.empty() ? "N" + id : name) +
           "</name><fullname>F" + id + "</fullname><description>D" + id + "</description>" + more + "</plugin>";
}

// A valid icon file holding one 16 by 16 image of 32 bits per pixel.
inline std::string IconFileBytes() {
    constexpr uint32_t kSide = 16;
    constexpr uint32_t kColourBytes = kSide * kSide * 4;
    constexpr uint32_t kMaskBytes = kSide * 4;  // one bit a pixel, rows padded to 32 bits
    constexpr uint32_t kImageBytes = 40 + kColourBytes + kMaskBytes;
    std::string bytes;
    const auto put = [&bytes](uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    put(0, 2), put(1, 2), put(1, 2);                              // icon directory: one image
    put(kSide, 1), put(kSide, 1), put(0, 1), put(0, 1);           // its entry: size, no palette
    put(1, 2), put(32, 2), put(kImageBytes, 4), put(6 + 16, 4);   // planes, bits, bytes, offset
    put(40, 4), put(kSide, 4), put(kSide * 2, 4), put(1, 2);      // bitmap header: colour and mask
    put(32, 2), put(0, 4), put(kColourBytes + kMaskBytes, 4);
    put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    for (uint32_t pixel = 0; pixel < kSide * kSide; ++pixel) {
        put(0xFF3080C0u, 4);
    }
    bytes.append(kMaskBytes, '\0');
    return bytes;
}

}  // namespace tlv::test
