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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WatchKey(const QEvent* event);
    void OnEditUpdate(const QString& typed);

    bool m_bAutoComplete = true;
};
