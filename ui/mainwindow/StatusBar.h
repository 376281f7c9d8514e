// The status bar: the message pane (prompts, the idle "Prêt", the map's hover
// read-out) and the three lock indicators "MAJ", "NUM" and "DEF", each shown
// while its lock is on.
#pragma once
#include <QStatusBar>

class QLabel;

class CStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CStatusBar(QWidget* parent = nullptr);
    // Pane 0 is the message pane, 1 to 3 the indicators.
    void SetPaneText(int pane, const QString& text);
    QString PaneText(int pane) const;
    // The idle text again in the message pane.
    void ShowIdle();
    // Reads the lock keys and updates the indicators; the indicators stay
    // empty until it is first called.
    void UpdateIndicators();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_panes[4] = {};
};
