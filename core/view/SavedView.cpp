#include "view/SavedView.h"

#include "data/WholeNumber.h"
#include "view/ViewGeometry.h"

#include <algorithm>

namespace {

std::optional<int> NumberIn(const std::string& text, int min, int max) {
    const auto value = ParseWholeNumber(text, Minus::Allowed, 12);
    if (!value || *value < min || *value > max) return std::nullopt;
    return int(*value);
}

std::optional<bool> Flag(const std::string& text) {
    if (text == "true") return true;
    if (text == "false") return false;
    return std::nullopt;
}

// "21,37": every piece a whole number; empty for none.
std::optional<std::vector<int32_t>> Kinds(const std::string& text) {
    std::vector<int32_t> kinds;
    size_t start = 0;
    while (start < text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const auto kind = NumberIn(text.substr(start, comma - start), INT32_MIN, INT32_MAX);
        if (!kind || kinds.size() == kMaxSavedKinds) return std::nullopt;
        kinds.push_back(*kind);
        start = comma + 1;
        if (comma + 1 == text.size()) return std::nullopt;  // a trailing comma
    }
    return kinds;
}

}  // namespace

std::string KindsText(const std::vector<int32_t>& kinds) {
    std::string text;
    for (const int32_t kind : kinds) text += (text.empty() ? "" : ",") + std::to_string(kind);
    return text;
}

SavedView ReadSavedView(const std::function<std::string(const char* key)>& valueOf, CSize picture) {
    SavedView view;
    view.zoom = NumberIn(valueOf(SavedViewKey::kZoom), ViewGeometry::kMinZoom, ViewGeometry::kMaxZoom);
    const auto x = NumberIn(valueOf(SavedViewKey::kCentreX), 0, picture.cx);
    const auto y = NumberIn(valueOf(SavedViewKey::kCentreY), 0, picture.cy);
    if (x && y) view.centre = CPoint{*x, *y};
    view.detail = NumberIn(valueOf(SavedViewKey::kDetail), -1, kMaxDetailLevel);
    view.toolBar = Flag(valueOf(SavedViewKey::kToolBar));
    view.statusBar = Flag(valueOf(SavedViewKey::kStatusBar));
    view.hiddenKinds = Kinds(valueOf(SavedViewKey::kHiddenKinds));
    view.symbols = Flag(valueOf(SavedViewKey::kSymbols));
    return view;
}
