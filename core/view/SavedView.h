// What the window remembers of its view between runs, when the user asks it
// to: the keys it is stored under, all in one place, and the checks a value
// read back must pass. Saved values come from a file anyone can edit, so
// each is taken only when it is whole and in range; the others are ignored.
#pragma once
#include "data/Geometry.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace SavedViewKey {
constexpr const char* kRemember = "view/remember";  // the user's choice, kept whatever it is
constexpr const char* kWindowGeometry = "view/windowGeometry";
constexpr const char* kWindowState = "view/windowState";
constexpr const char* kZoom = "view/zoom";
constexpr const char* kCentreX = "view/centreX";  // picture pixels
constexpr const char* kCentreY = "view/centreY";
constexpr const char* kDetail = "view/detail";  // -1: automatic
constexpr const char* kToolBar = "view/toolBar";
constexpr const char* kStatusBar = "view/statusBar";
constexpr const char* kHiddenKinds = "view/hiddenKinds";  // type codes, separated by commas
constexpr const char* kSymbols = "view/symbols";
}  // namespace SavedViewKey

struct SavedView {
    std::optional<int> zoom;
    std::optional<CPoint> centre;  // in picture pixels
    std::optional<int> detail;
    std::optional<bool> toolBar, statusBar;
    std::optional<std::vector<int32_t>> hiddenKinds;
    std::optional<bool> symbols;
};

// At most this many hidden kinds are read back.
constexpr size_t kMaxSavedKinds = 256;

// The hidden kinds as they are saved: "21,37".
std::string KindsText(const std::vector<int32_t>& kinds);

// The detail levels the slider offers; -1 is the automatic level.
constexpr int kMaxDetailLevel = 5;

// Reads the saved values through `valueOf` (the stored text of a key, empty
// when absent) and keeps those that are valid for a picture of `picture`
// pixels: a zoom within the view's limits, a centre on the picture, a
// detail level of the slider, "true" or "false" for a bar or the symbols,
// hidden kinds as whole numbers (all of them, at most kMaxSavedKinds).
SavedView ReadSavedView(const std::function<std::string(const char* key)>& valueOf, CSize picture);
