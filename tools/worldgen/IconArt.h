// The program's icon: a folded map under a compass rose, drawn from a few
// shapes on a 256 x 256 design grid. The same shapes give the PNG icons
// (rendered with integer arithmetic only, so every machine makes the same
// bytes) and the scalable SVG.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wg2 {

// RGBA pixels (not premultiplied), rows top to bottom.
std::vector<uint8_t> RenderIcon(int size);
std::string IconSvg();

}  // namespace wg2
