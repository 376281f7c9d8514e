#include "PageDocument.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

bool Outsized(std::initializer_list<qreal> lengths) {
    for (const qreal length : lengths)
        if (!(std::abs(length) <= kMaxTableSpacing)) return true;  // NaN included
    return false;
}

bool TableOutsized(QTextTable& table) {
    const QTextTableFormat format = table.format();
    if (Outsized({format.cellPadding(), format.cellSpacing(), format.border(), format.padding(),
                  format.topMargin(), format.bottomMargin(), format.leftMargin(),
                  format.rightMargin()}))
        return true;
    for (int row = 0; row < table.rows(); ++row) {
        for (int column = 0; column < table.columns(); ++column) {
            const QTextTableCellFormat cell = table.cellAt(row, column).format().toTableCellFormat();
            if (Outsized({cell.topPadding(), cell.bottomPadding(), cell.leftPadding(),
                          cell.rightPadding(), cell.topBorder(), cell.bottomBorder(),
                          cell.leftBorder(), cell.rightBorder()}))
                return true;
        }
    }
    return false;
}

}  // namespace

PageFault CheckDocumentTables(const QTextDocument& document, const PageLimits& limits) {
    // Walked without recursion: the point is that the nesting may be deep.
    std::vector<std::pair<QTextFrame*, int>> pending{{document.rootFrame(), 0}};
    while (!pending.empty()) {
        auto [frame, tables] = pending.back();
        pending.pop_back();
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            if (++tables > limits.maxTables) return PageFault::TooManyTables;
            if (TableOutsized(*table)) return PageFault::HugeSpacing;
        }
        for (QTextFrame* child : frame->childFrames()) pending.emplace_back(child, tables);
    }
    return PageFault::None;
}
