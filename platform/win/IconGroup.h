// An icon group resource: PNG images of several square sizes.
#pragma once

#include <cstddef>
#include <cstdint>

struct IconImage {
    int size;  // pixels, square
    const std::uint8_t* png;
    std::size_t pngSize;
};

struct IconGroup {
    const IconImage* images;
    std::size_t imageCount;
};
