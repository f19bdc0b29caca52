// Content code throughput on one large file, against md5sum's on the same file in the same run.
//
//   content_code_bench FILE MD5SUM_NANOSECONDS MD5SUM_HEX
//
// content_code_bench.sh makes the file, times md5sum on it and runs this program (scripts/bench.sh runs
// the script in place of the program).

#include "resources/ContentCode.h"
#include "resources/ResourceEntry.h"
#include "resources/ResourceText.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

using namespace tlv;

namespace {

Md5::Digest DigestFromHex(const std::string& hex) {
    Md5::Digest digest{};
    for (size_t i = 0; i < digest.size() && 2 * i + 1 < hex.size(); ++i) {
        digest[i] = static_cast<uint8_t>(std::stoul(hex.substr(2 * i, 2), nullptr, 16));
    }
    return digest;
}

unsigned long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: content_code_bench FILE MD5SUM_NANOSECONDS MD5SUM_HEX\n");
        return 2;
    }
    const std::string path = argv[1];
    const double md5sumSeconds = std::stod(argv[2]) / 1e9;
    const std::string expected = ContentCodeOfDigest(DigestFromHex(argv[3]));
    const size_t split = FileNameStart(path);
    const std::string folder = path.substr(0, split - 1);
    const std::string name = path.substr(split);
    const double mebibytes = static_cast<double>(FileSize(path)) / (1024.0 * 1024.0);

    double best = 0;
    std::string code;
    for (int run = 0; run < 3; ++run) {
        ResourceEntry entry(folder, "1", name, "");  // a fresh entry computes afresh
        const auto start = std::chrono::steady_clock::now();
        code = entry.ContentCode();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = run == 0 || seconds < best ? seconds : best;
    }
    const double ours = mebibytes / best;
    const double theirs = mebibytes / md5sumSeconds;
    std::printf("file: %.0f MiB, read through a %zu-byte buffer; best of 3 runs each\n", mebibytes,
                kContentCodeBufferSize);
    std::printf("content code: %.3f s, %.0f MiB/s (code %s, %s md5sum's digest)\n", best, ours, code.c_str(),
                code == expected ? "matches" : "DOES NOT MATCH");
    std::printf("md5sum:       %.3f s, %.0f MiB/s\n", md5sumSeconds, theirs);
    std::printf("ratio: %.2f of md5sum's bytes per second (goal: at least 0.90)\n", ours / theirs);
    return code == expected ? 0 : 1;
}
