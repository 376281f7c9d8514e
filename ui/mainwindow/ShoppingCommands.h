// The shopping list in the window: "Ajouter à la liste d'achats" in the
// spell finder, the "Liste d'achats" dock toggled from "Affichage", the tour
// it plans drawn on the map (JourneyPart::Tour), the list kept between runs,
// and the list with its tour exported as text or printed before the map.
// The panel is made at its first use: the start-up reads none of it but the
// one setting that says whether it was open.
#pragma once
#include "journeys/Shopping.h"
#include "journeys/ShoppingText.h"

#include <QDockWidget>
#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class CPlaceCardDlg;
class CShoppingPanel;
class CSpellSearchDlg;
class CWorld;
class CZerimView;
class QAction;
class QMainWindow;
class QMenu;

class CShoppingCommands : public QObject {
    Q_OBJECT
public:
    struct Host {
        QMainWindow* window = nullptr;
        CZerimView* view = nullptr;
        CWorld* world = nullptr;
        // Makes a window command (its id, text, prompt, keys).
        std::function<QAction*(int, const char*, const char*, const QList<QKeySequence>&)> newCommand;
        std::function<void(const QString&)> say;  // the status bar
    };
    explicit CShoppingCommands(Host host);

    // "Liste d'achats" at the end of `view`; the panel opens after the first
    // map when it was open at the last close.
    void AddViewCommand(QMenu* view);
    void ShowPanelIfKept();
    // "Ajouter à la liste d'achats" (Ctrl+B) in `finder` and its tree's
    // menu, on a spell; in the sheet and its page's menu, on a spell's page.
    void AddFinderCommand(CSpellSearchDlg& finder);
    void AddSheetCommand(CPlaceCardDlg& sheet);

    // Null until first shown.
    CShoppingPanel* Panel() const { return m_panel; }
    QDockWidget* Dock() const { return m_dock; }
    // Adds a spell, shows the panel and says it.
    void AddSpell(uint16_t spell);
    // "Où acheter": plans, shows and draws the tour. False when the list is empty.
    bool PlanTour();
    // The list and its tour as text (the tour shown, else none).
    std::string ReportText();
    // Writes the list and its tour (planned first if none is shown) to
    // `path`; false with the reason in `error`.
    bool ExportTo(const QString& path, QString& error);

private:
    QAction* NewAddAction(QWidget* owner);
    CShoppingPanel* EnsurePanel();
    // The tour shown, else one planned now; false when none can be.
    bool EnsureTour();
    void ShowPanel(bool shown);
    void OnListChanged();
    void DropTour();
    std::optional<CWorldPoint> StartPoint(QString& from) const;
    void BringIntoSight();
    void CentreOnStop(int stop);
    void KeepList();
    void KeepStart();
    void Export();
    void Print();

    Host m_host;
    QAction* m_toggle = nullptr;
    QPointer<QDockWidget> m_dock;
    CShoppingPanel* m_panel = nullptr;
    // The tour shown: its plan, its lines and where it starts.
    std::optional<CShoppingPlan> m_plan;
    CShoppingLines m_lines;
    QString m_from;
};
