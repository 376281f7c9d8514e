// Writes the map picture as the baseline JPEG that the viewer embeds.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace worldmap {

// Compresses rgb (width x height x 3) as baseline 4:2:0 JFIF 1.02 with density
// 0 x 0, choosing the highest quality whose file lands within [minBytes,
// maxBytes]; writes it to path and returns the size (0 on failure).
size_t WriteMapJpeg(const std::vector<uint8_t>& rgb, int width, int height, const std::string& path,
                    size_t minBytes, size_t maxBytes, int* qualityOut);

}  // namespace worldmap
