#include "widgets/PageDocument.h"

#include <QTextBlock>
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

PageFault CheckTables(const QTextDocument& document, const PageLimits& limits) {
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

bool BreaksLine(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar::LineSeparator;
}

// Sums the squares of the block's unbroken runs into `total`; false as soon
// as a run or the total passes `limit` (squared for the total).
bool UnbrokenRunsWithin(const QTextBlock& block, long long limit, long long& total) {
    long long run = 0;
    const auto close = [&] {
        total += run * run;
        run = 0;
    };
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (run > 0) run += kFormatChangeCost;
        const QString text = it.fragment().text();
        for (const QChar c : text) {
            if (BreaksLine(c)) close();
            else if (++run > limit) return false;
        }
    }
    close();
    return total <= limit * limit;
}

}  // namespace

PageFault CheckDocument(const QTextDocument& document, const PageLimits& limits) {
    const PageFault tables = CheckTables(document, limits);
    if (tables != PageFault::None) return tables;
    long long total = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (!UnbrokenRunsWithin(block, limits.maxUnbrokenText, total))
            return PageFault::LongUnbrokenText;
    return PageFault::None;
}
