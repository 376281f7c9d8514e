// The tool bar strip (bitmap 128): four 16 x 15 button images, drawn pixel by
// pixel in the classic 16-colour Windows palette on the light grey
// (192, 192, 192) that the program treats as transparent.
#pragma once
#include <cstdint>
#include <vector>

namespace wg2 {

// The strip as a 4-bit BMP file (64 x 15).
std::vector<uint8_t> ToolbarBmp();

}  // namespace wg2
