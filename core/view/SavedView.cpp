#include "view/SavedView.h"

#include "data/WholeNumber.h"
#include "view/ViewGeometry.h"

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

}  // namespace

SavedView ReadSavedView(const std::function<std::string(const char* key)>& valueOf, CSize picture) {
    SavedView view;
    view.zoom = NumberIn(valueOf(SavedViewKey::kZoom), ViewGeometry::kMinZoom, ViewGeometry::kMaxZoom);
    const auto x = NumberIn(valueOf(SavedViewKey::kCentreX), 0, picture.cx);
    const auto y = NumberIn(valueOf(SavedViewKey::kCentreY), 0, picture.cy);
    if (x && y) view.centre = CPoint{*x, *y};
    view.detail = NumberIn(valueOf(SavedViewKey::kDetail), -1, kMaxDetailLevel);
    view.toolBar = Flag(valueOf(SavedViewKey::kToolBar));
    view.statusBar = Flag(valueOf(SavedViewKey::kStatusBar));
    return view;
}
