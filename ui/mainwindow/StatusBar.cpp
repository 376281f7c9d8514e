#include "mainwindow/StatusBar.h"

#include "mainwindow/LockKeys.h"

#include "data/ResourceIds.h"
#include "data/StringTable.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>

namespace {
QString Text(int id) { return QString::fromStdString(LoadString(id)); }
}

CStatusBar::CStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    m_panes[0] = new QLabel(this);
    // The message pane shows place names and other texts from the data:
    // never as markup, so no name can draw a picture or read a file.
    m_panes[0]->setTextFormat(Qt::PlainText);
    addWidget(m_panes[0], 1);
    const int indicators[] = {ResId::ID_INDICATOR_CAPS, ResId::ID_INDICATOR_NUM, ResId::ID_INDICATOR_SCRL};
    for (int i = 0; i < 3; ++i) {
        m_panes[i + 1] = new QLabel(this);
        m_panes[i + 1]->setTextFormat(Qt::PlainText);  // texts, never markup
        m_panes[i + 1]->setAlignment(Qt::AlignCenter);
        m_panes[i + 1]->setFrameShape(QFrame::Panel);
        m_panes[i + 1]->setFrameShadow(QFrame::Sunken);
        // As wide as its text, whether the text shows or not.
        m_panes[i + 1]->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(Text(indicators[i])) + 12);
        addPermanentWidget(m_panes[i + 1]);
    }
    ShowIdle();
    // The lock keys are first read by the owner (six round trips to the X
    // server that the first frame need not wait for); then they follow every
    // key release anywhere.
    qApp->installEventFilter(this);
}

void CStatusBar::SetPaneText(int pane, const QString& text) {
    if (pane < 0 || pane > 3) return;
    m_panes[pane]->setText(text);
    if (pane == 0) m_panes[0]->repaint();  // the read-out shows at once
}

QString CStatusBar::PaneText(int pane) const {
    return pane >= 0 && pane <= 3 ? m_panes[pane]->text() : QString();
}

void CStatusBar::ShowIdle() { SetPaneText(0, Text(ResId::AFX_IDS_IDLEMESSAGE)); }

void CStatusBar::UpdateIndicators() {
    const LockKeys locks = CurrentLockKeys();
    SetPaneText(1, locks.caps ? Text(ResId::ID_INDICATOR_CAPS) : QString());
    SetPaneText(2, locks.num ? Text(ResId::ID_INDICATOR_NUM) : QString());
    SetPaneText(3, locks.scroll ? Text(ResId::ID_INDICATOR_SCRL) : QString());
}

bool CStatusBar::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease || type == QEvent::ApplicationActivate)
        UpdateIndicators();
    return QStatusBar::eventFilter(watched, event);
}
