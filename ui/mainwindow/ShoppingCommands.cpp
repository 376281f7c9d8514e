#include "mainwindow/ShoppingCommands.h"

#include "mainwindow/ExtraCommands.h"
#include "output/SafeWriteQt.h"
#include "output/ViewExport.h"
#include "render/World.h"
#include "startup/SettingsFile.h"

#include "data/PlaceArray.h"
#include "finders/PlaceCardDlg.h"
#include "finders/ShoppingPanel.h"
#include "finders/SpellSearchDlg.h"
#include "journeys/RoadNetwork.h"
#include "journeys/ShoppingMap.h"
#include "mapview/ZerimView.h"
#include "npc/LinkedWorld.h"
#include "text/Text.h"
#include "widgets/AutoCombo.h"
#include "widgets/DialogHelpers.h"

#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace {
const char* const kPanelKey = "shopping/panel";
const char* const kSpellsKey = "shopping/spells";
const char* const kStartKey = "shopping/start";
const char* const kStartPlaceKey = "shopping/startPlace";
const char* const kStartNames[] = {"pointed", "picked", "none"};  // by CShoppingPanel::Start

QString Key(const char* key) { return QString::fromLatin1(key); }
QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// Room left around the tour when the view moves to show it, in pixels.
constexpr int kSightMargin = 40;
}  // namespace

CShoppingCommands::CShoppingCommands(Host host) : QObject(host.window), m_host(std::move(host)) {}

void CShoppingCommands::AddViewCommand(QMenu* view) {
    view->addSeparator();
    m_toggle = m_host.newCommand(ExtraCommand::ShoppingList, "&Liste d'achats",
                                 "Montre ou cache la liste des sorts à acheter et les marchands à visiter",
                                 {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B)});
    m_toggle->setCheckable(true);
    connect(m_toggle, &QAction::toggled, this, &CShoppingCommands::ShowPanel);
    // Asked for from the menu or its keys, the panel takes the keyboard.
    connect(m_toggle, &QAction::triggered, this, [this](bool on) {
        if (on) m_panel->SpellRows()->setFocus(Qt::ShortcutFocusReason);
    });
    view->addAction(m_toggle);
}

void CShoppingCommands::ShowPanelIfKept() {
    if (SettingsFile::ChoiceOn(kPanelKey)) m_toggle->setChecked(true);
}

void CShoppingCommands::ShowPanel(bool shown) {
    if (!shown && !m_dock) return;
    EnsurePanel();
    m_dock->setVisible(shown);
    if (shown) m_dock->raise();
}

// Made at the first use: the panel lists every place and reads the linked
// world, which the start-up does not need.
CShoppingPanel* CShoppingCommands::EnsurePanel() {
    if (m_panel) return m_panel;
    CWorld& world = *m_host.world;
    const CLinkedWorld& linked = world.LinkedWorld();
    m_panel = new CShoppingPanel(linked);
    SettingsFile file;
    const QSettings& kept = file.Values();
    m_panel->SetList(CShoppingList::FromText(kept.value(Key(kSpellsKey)).toString().toStdString(),
                                             [&linked](uint16_t id) { return linked.SpellById(id) != nullptr; }));
    const std::string start = kept.value(Key(kStartKey)).toString().toStdString();
    const auto* kind = std::find(std::begin(kStartNames), std::end(kStartNames), start);
    m_panel->SetStart(kind == std::end(kStartNames) ? CShoppingPanel::Start::Pointed
                                                    : CShoppingPanel::Start(kind - std::begin(kStartNames)),
                      kept.value(Key(kStartPlaceKey)).toString());
    m_panel->ClearTour();
    connect(m_panel, &CShoppingPanel::ListChanged, this, &CShoppingCommands::OnListChanged);
    connect(m_panel, &CShoppingPanel::StartChanged, this, &CShoppingCommands::KeepStart);
    connect(m_panel, &CShoppingPanel::PlanRequested, this, [this] { PlanTour(); });
    connect(m_panel, &CShoppingPanel::StopChosen, this, &CShoppingCommands::CentreOnStop);
    connect(m_panel, &CShoppingPanel::ExportRequested, this, &CShoppingCommands::Export);
    connect(m_panel, &CShoppingPanel::PrintRequested, this, &CShoppingCommands::Print);

    m_dock = new QDockWidget(QString::fromUtf8("Liste d'achats"), m_host.window);
    m_dock->setObjectName(QStringLiteral("ShoppingPanel"));
    m_dock->setWidget(m_panel);
    m_dock->hide();
    m_host.window->addDockWidget(Qt::RightDockWidgetArea, m_dock);
    connect(m_dock, &QDockWidget::visibilityChanged, this, [this] {
        // Hidden with the window itself, or behind another panel's tab, the
        // panel stays open and its tour stays; closed, both go.
        if (!m_host.window->isVisible() || m_host.window->isMinimized()) return;
        const bool open = !m_dock->isHidden();
        m_toggle->setChecked(open);
        if (!open) DropTour();
        if (open != SettingsFile::ChoiceOn(kPanelKey)) SettingsFile::KeepChoice(kPanelKey, open);
    });
    return m_panel;
}

QAction* CShoppingCommands::NewAddAction(QWidget* owner) {
    auto* add = new QAction(QString::fromUtf8("Ajouter à la liste d'&achats"), owner);
    add->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    add->setStatusTip(QString::fromUtf8("Ajoute le sort choisi à la liste d'achats"));
    return add;
}

// The action belongs to the finder, which is made afresh at each opening.
void CShoppingCommands::AddFinderCommand(CSpellSearchDlg& finder) {
    QAction* add = NewAddAction(&finder);
    // An effect is not for sale: the command is only there for a spell.
    const auto follow = [add, &finder] { add->setVisible(finder.SelectedSpell().has_value()); };
    connect(finder.Tree(), &QTreeWidget::itemSelectionChanged, add, follow);
    follow();
    connect(add, &QAction::triggered, this, [this, &finder] {
        if (const std::optional<uint16_t> spell = finder.SelectedSpell()) AddSpell(*spell);
    });
    finder.AddTreeCommand(add);
}

// In the sheet's window and its page's menu, while the page is a spell's.
void CShoppingCommands::AddSheetCommand(CPlaceCardDlg& sheet) {
    QAction* add = NewAddAction(&sheet);
    const auto follow = [add](SheetSubject shown) { add->setVisible(shown.kind == SheetKind::Spell); };
    connect(&sheet, &CPlaceCardDlg::SubjectShown, add, follow);
    follow(sheet.Subject());
    connect(add, &QAction::triggered, this, [this, &sheet] {
        if (sheet.Subject().kind == SheetKind::Spell) AddSpell(uint16_t(sheet.Subject().ref));
    });
    sheet.addAction(add);
    sheet.Panel()->addAction(add);
}

void CShoppingCommands::AddSpell(uint16_t spell) {
    CShoppingPanel* panel = EnsurePanel();
    m_toggle->setChecked(true);
    const SpellRecord* record = m_host.world->LinkedWorld().SpellById(spell);
    const QString name = record ? ShownName(record->name) : QString::number(spell);
    const bool added = panel->Add(spell);
    const int count = int(panel->List().Spells().size());
    const QString said =
        added ? QString::fromUtf8("« %1 » ajouté à la liste d'achats (%2)")
                    .arg(name, count == 1 ? QStringLiteral("1 sort") : QStringLiteral("%1 sorts").arg(count))
              : QString::fromUtf8("« %1 » est déjà dans la liste d'achats").arg(name);
    // Said once the menu that asked has closed: its closing clears the status bar.
    QTimer::singleShot(0, this, [this, said] { m_host.say(said); });
}

void CShoppingCommands::OnListChanged() {
    KeepList();
    DropTour();
}

// The tour no longer matches the list (or the panel closed): it leaves the
// map and the panel.
void CShoppingCommands::DropTour() {
    m_plan.reset();
    m_lines = {};
    m_host.view->SetJourney(JourneyPart::Tour, {});
    if (m_panel) m_panel->ClearTour();
}

// The start in world units, and how the panel names it; nothing for the
// first vendor. A place named in the field that is no place gives nothing
// and an empty `from`.
std::optional<CWorldPoint> CShoppingCommands::StartPoint(QString& from) const {
    const CPlace* place = nullptr;
    switch (m_panel->StartChoice()) {
    case CShoppingPanel::Start::Pointed: {
        place = m_host.view->PointedPlace();
        const CPlaceArray& found = m_host.view->Places().Highlight();
        if (!place && found.GetSize() > 0) place = found[0];
        if (!place) from = QString::fromUtf8("le premier marchand (aucun lieu survolé ni trouvé)");
        break;
    }
    case CShoppingPanel::Start::Picked: {
        const int index = m_panel->PickedPlace();
        place = index >= 0 ? m_host.world->Places()[index] : nullptr;
        if (!place) from.clear();
        break;
    }
    case CShoppingPanel::Start::None:
        from = QString::fromUtf8("le premier marchand");
        break;
    }
    if (!place) return std::nullopt;
    from = ShownName(place->m_strName);
    return CWorldPoint{place->m_x, place->m_y};
}

bool CShoppingCommands::PlanTour() {
    CShoppingPanel* panel = EnsurePanel();
    if (panel->List().Empty()) {
        m_host.say(QString::fromUtf8("La liste d'achats est vide : ajoutez des sorts depuis la recherche de sorts"));
        return false;
    }
    QString from;
    const std::optional<CWorldPoint> start = StartPoint(from);
    if (from.isEmpty()) {
        const QString picked = panel->PickedText().trimmed();
        m_host.say(picked.isEmpty()
                       ? QString::fromUtf8("Nommez le lieu de départ, ou choisissez-le dans la liste")
                       : QString::fromUtf8("Aucun lieu ne s'appelle « %1 » : choisissez le départ dans la liste")
                             .arg(ShownUtf8(picked.toStdString())));
        panel->PlaceField()->setFocus();
        return false;
    }
    CWorld& world = *m_host.world;
    m_plan = PlanShopping(world.LinkedWorld(), world.Roads(), panel->List().Spells(), start);
    m_lines = ShoppingLines(*m_plan, world.LinkedWorld(), world.Roads());
    m_from = from;
    panel->ShowTour(m_lines, from);
    m_host.view->SetJourney(JourneyPart::Tour, ShoppingLayer(*m_plan, world.Places(), start));
    BringIntoSight();
    const int stops = int(m_plan->stops.size());
    m_host.say(stops == 0 ? QString::fromUtf8("Aucun marchand ne vend ces sorts")
                          : QString::fromUtf8("%1 à visiter")
                                .arg(stops == 1 ? QString::fromUtf8("1 marchand")
                                                : QString::fromUtf8("%1 marchands").arg(stops)));
    return true;
}

// The view moves only if the tour is not all in sight, and zooms out only
// if the tour does not fit at the zoom the player chose.
// Zoomed out only as far as the tour needs, never in.
void CShoppingCommands::BringIntoSight() {
    m_host.view->ShowJourney(m_host.view->Journeys()[size_t(JourneyPart::Tour)], kSightMargin, ViewGeometry::kMinZoom);
}

void CShoppingCommands::CentreOnStop(int stop) {
    if (!m_plan || stop < 0 || size_t(stop) >= m_plan->stops.size()) return;
    const int index = m_plan->stops[size_t(stop)].place;
    const CPlaceArray& places = m_host.world->Places();
    const CPlace* place = index >= 0 && index < places.GetSize() ? places[index] : nullptr;
    if (!place) {
        m_host.say(QString::fromUtf8("Ce marchand n'est pas sur la carte"));
        return;
    }
    const ViewGeometry& geometry = m_host.view->Geometry();
    m_host.view->CenterOnPicture(geometry.MapToPicture(geometry.WorldToMap({place->m_x, place->m_y})));
}

// A list the file cannot keep still holds for this run; the status bar says so.
void CShoppingCommands::KeepList() {
    SettingsFile file;
    file.Values().setValue(Key(kSpellsKey), Utf8(m_panel->List().Text()));
    QString error;
    if (!file.Save(error)) m_host.say(QString::fromUtf8("La liste d'achats n'a pas pu être gardée : ") + error);
}

void CShoppingCommands::KeepStart() {
    SettingsFile file;
    file.Values().setValue(Key(kStartKey), QString::fromLatin1(kStartNames[int(m_panel->StartChoice())]));
    file.Values().setValue(Key(kStartPlaceKey), m_panel->PickedText());
    QString ignored;
    file.Save(ignored);
}

bool CShoppingCommands::EnsureTour() { return m_plan || PlanTour(); }

std::string CShoppingCommands::ReportText() {
    return ShoppingReport(EnsurePanel()->List().Spells(), m_from.toStdString(), m_lines, m_host.world->LinkedWorld());
}

bool CShoppingCommands::ExportTo(const QString& path, QString& error) {
    if (!EnsureTour()) {
        error = QString::fromUtf8("Pas de tournée à enregistrer : la liste est vide ou le départ n'est pas un lieu");
        return false;
    }
    const QByteArray bytes = QByteArray::fromStdString(ReportText());
    QString reason;
    if (WriteFileSafely(path, bytes, reason)) return true;
    error = QString::fromUtf8("Impossible d'enregistrer « %1 » : %2").arg(QDir::toNativeSeparators(path), reason);
    return false;
}

void CShoppingCommands::Export() {
    if (!EnsureTour()) return;
    const QString title = QString::fromUtf8("Exporter la liste d'achats");
    QFileDialog dialog(m_host.window, title, QDir::homePath() + QStringLiteral("/liste-d-achats.txt"),
                       QString::fromUtf8("Texte (*.txt);;Tous les fichiers (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().first();
    QString error;
    if (!ExportTo(path, error)) {
        WarnPlainly(m_host.window, title, error);
        return;
    }
    const QString shown = ShownUtf8(QDir::toNativeSeparators(path).toStdString());
    m_host.say(QString::fromUtf8("Liste d'achats enregistrée dans « %1 »").arg(shown));
}

// The text first, then the map as the view shows it, with the tour.
void CShoppingCommands::Print() {
    if (!EnsureTour()) return;
    const QString text = Utf8(ReportText());
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinterForView(*m_host.view, printer);
    printer.setDocName(QString::fromUtf8("Liste d'achats"));
    QPrintDialog dialog(&printer, m_host.window);
    dialog.setWindowTitle(QString::fromUtf8("Imprimer la liste d'achats"));
    if (dialog.exec() != QDialog::Accepted) return;
    QString error;
    if (!PrintTextThenView(*m_host.view, printer, text, error)) {
        WarnPlainly(m_host.window, QString::fromUtf8("Imprimer"), error);
        return;
    }
    m_host.say(QString::fromUtf8("Liste d'achats imprimée"));
}
