// An editable combo box that completes what the user types from its list: as
// soon as the typed text begins an entry, the edit field shows the whole
// entry (in the entry's letter case) with the part not yet typed selected, so
// that typing on replaces the completion and Enter accepts it. Backspace and
// Delete remove text without completing again.
//
// Completion changes the list's current item quietly: no signal of the combo
// box is emitted for it. A choice the user makes in the list (mouse, arrow
// keys, wheel) is `activated`, which is what owners should listen to.
#pragma once
#include <QComboBox>

class CAutoCombo : public QComboBox {
    Q_OBJECT
public:
    explicit CAutoCombo(QWidget* parent = nullptr);

    // Whether the next edit will be completed; false after Delete or Backspace
    // until another key goes down.
    bool AutoComplete() const { return m_bAutoComplete; }
    // Whether the list opens at least as wide as its widest entry, so that
    // long names show whole. Measured when the list opens, not when it is
    // filled: measuring every entry would cost a long list's window its
    // start-up.
    void SetListFitsEntries(bool fit) { m_bListFitsEntries = fit; }
    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WatchKey(const QEvent* event);
    void OnEditUpdate(const QString& typed);

    bool m_bAutoComplete = true;
    bool m_bListFitsEntries = false;
    int m_nFittedCount = -1;  // the entries the list's width was measured for
};
