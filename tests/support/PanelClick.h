// Clicking a word of an HTML panel as a user would: the middle of its first
// occurrence in the laid-out page.
#pragma once
#include "widgets/IEControl.h"

#include <QtTest>

inline bool ClickText(CIEControl& panel, const QString& text) {
    const QTextCursor found = panel.document()->find(text);
    if (found.isNull()) return false;
    QTextCursor inside(panel.document());
    inside.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
    QTest::mouseClick(panel.viewport(), Qt::LeftButton, {}, panel.cursorRect(inside).center());
    return true;
}
