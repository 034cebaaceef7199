// libFuzzer target for the BMP decoder: it must never read out of bounds, and
// whatever it accepts must be exactly what the encoder writes for that image.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "capture/bmp_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> input(data, size);
    auto image = tavimo::capture::DecodeBmp(input);
    if (!image)
        return 0;
    tavimo::capture::ImageBytes again = tavimo::capture::EncodeBmp(*image);
    if (again.size() != size || !std::equal(again.begin(), again.end(), data))
        std::abort();
    return 0;
}
