// libFuzzer target of the BMP reader: any bytes as a BMP file. The reader
// must never read outside the file or the block, and a file it accepts must
// give a block that holds everything its header promises. Blocks above
// 1 MiB are refused before allocation so the fuzzer explores parsing rather
// than the allocator.
//   tools/build.sh fuzz && build/fuzz/fuzz_bmp_reader fuzz/corpus/fuzz_bmp_reader
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "dib/bmp_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::vector<uint8_t> dib;
    const auto status = pexa::bmp::ReadBmp(data, size, &dib, uint64_t(1) << 20);
    if (status != pexa::bmp::ReadStatus::Ok) {
        if (!dib.empty()) std::abort();
        return 0;
    }
    if (!pexa::bmp::HoldsImage(dib.data(), dib.size())) std::abort();
    // What the reader accepted, the writer writes and the reader takes back.
    std::vector<uint8_t> file(pexa::bmp::kFileHeaderSize);
    pexa::bmp::StoreFileHeader(pexa::bmp::MakeFileHeader(dib.data(), dib.size()), file.data());
    file.insert(file.end(), dib.begin(), dib.end());
    std::vector<uint8_t> again;
    if (pexa::bmp::ReadBmp(file.data(), file.size(), &again) != pexa::bmp::ReadStatus::Ok ||
        again != dib)
        std::abort();
    return 0;
}
