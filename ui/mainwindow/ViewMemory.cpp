// The opt-in remembered view: with "Reprendre la dernière vue" checked, the
// window saves its geometry, its bars, the zoom, the centre of the view and
// the detail level when it closes, and takes them back at the next start.
// Unchecked (the default), the window starts as it always does.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"
#include "mainwindow/PlaceBar.h"
#include "startup/SettingsFile.h"

#include "data/ResourceIds.h"
#include "render/MapPicture.h"
#include "view/SavedView.h"
#include "mapview/ZerimView.h"
#include "widgets/DialogHelpers.h"

#include <QCloseEvent>
#include <QMenu>
#include <QSignalBlocker>
#include <QSlider>

namespace {
QString Key(const char* key) { return QString::fromLatin1(key); }

const char* const kSavedKeys[] = {SavedViewKey::kWindowGeometry, SavedViewKey::kWindowState, SavedViewKey::kZoom,
                                  SavedViewKey::kCentreX,        SavedViewKey::kCentreY,     SavedViewKey::kDetail,
                                  SavedViewKey::kToolBar,        SavedViewKey::kStatusBar,   SavedViewKey::kHiddenKinds,
                                  SavedViewKey::kSymbols};
}  // namespace

// After the zoom commands and a separator. Unchecking forgets the view.
void CMainFrame::AddRememberCommand(QMenu* view) {
    view->addSeparator();
    QAction* remember = NewExtraCommand(ExtraCommand::RememberView, "Reprendre la &dernière vue",
                                        "Au démarrage, reprend la vue laissée à la fermeture", {});
    remember->setCheckable(true);
    remember->setChecked(SettingsFile().Values().value(Key(SavedViewKey::kRemember)).toString() ==
                         QLatin1String("true"));
    connect(remember, &QAction::toggled, this, [this](bool on) {
        SettingsFile file;
        file.Values().setValue(Key(SavedViewKey::kRemember), on);
        if (!on)
            for (const char* key : kSavedKeys) file.Values().remove(Key(key));
        SaveSettings(file);
    });
    view->addAction(remember);
}

bool CMainFrame::RemembersView() const { return Command(ExtraCommand::RememberView)->isChecked(); }

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (RemembersView()) SaveView();
    QMainWindow::closeEvent(event);
}

// The centre in picture pixels, so that it holds at any zoom.
void CMainFrame::SaveView() {
    const ViewGeometry& geometry = m_pView->Geometry();
    const CPoint centre = geometry.MapToPicture(geometry.ClientCentre());
    SettingsFile file;
    QSettings& settings = file.Values();
    settings.setValue(Key(SavedViewKey::kWindowGeometry), saveGeometry());
    settings.setValue(Key(SavedViewKey::kWindowState), saveState());
    settings.setValue(Key(SavedViewKey::kZoom), geometry.Zoom());
    settings.setValue(Key(SavedViewKey::kCentreX), centre.x);
    settings.setValue(Key(SavedViewKey::kCentreY), centre.y);
    settings.setValue(Key(SavedViewKey::kDetail), geometry.DetailOverride());
    settings.setValue(Key(SavedViewKey::kToolBar), Command(ResId::ID_VIEW_TOOLBAR)->isChecked());
    settings.setValue(Key(SavedViewKey::kStatusBar), Command(ResId::ID_VIEW_STATUS_BAR)->isChecked());
    settings.setValue(Key(SavedViewKey::kHiddenKinds), QString::fromStdString(KindsText(m_pView->Look().hiddenKinds)));
    settings.setValue(Key(SavedViewKey::kSymbols), Command(ExtraCommand::KindSymbols)->isChecked());
    SaveSettings(file);
}

// A choice the program cannot keep is said, not dropped.
void CMainFrame::SaveSettings(SettingsFile& file) {
    QString error;
    if (file.Save(error)) return;
    WarnPlainly(this, QString::fromUtf8("Réglages"), error);
}

// Called once the window is shown. Each saved value is checked before use;
// a bad one leaves its part of the view as it starts.
void CMainFrame::RestoreView() {
    if (!RemembersView()) return;
    SettingsFile file;
    QSettings& settings = file.Values();
    restoreGeometry(settings.value(Key(SavedViewKey::kWindowGeometry)).toByteArray());
    restoreState(settings.value(Key(SavedViewKey::kWindowState)).toByteArray());
    const CMapPicture* picture = m_pView->CurrentPicture();
    const CSize size = picture ? picture->GetPixelSize() : CSize{};
    const SavedView saved = ReadSavedView(
        [&](const char* key) { return settings.value(Key(key)).toString().toStdString(); }, size);
    if (saved.toolBar) Command(ResId::ID_VIEW_TOOLBAR)->setChecked(*saved.toolBar);
    if (saved.statusBar) Command(ResId::ID_VIEW_STATUS_BAR)->setChecked(*saved.statusBar);
    if (saved.detail && *saved.detail >= 0) {
        const QSignalBlocker quiet(m_wndPlaceBar->Slider());
        m_wndPlaceBar->Slider()->setValue(*saved.detail);
        m_pView->SetDetailLevel(*saved.detail);
    }
    if (saved.symbols) Command(ExtraCommand::KindSymbols)->setChecked(*saved.symbols);
    if (saved.hiddenKinds) SetHiddenKinds(*saved.hiddenKinds);
    if (saved.zoom) m_pView->SetZoom(*saved.zoom);
    if (saved.centre) m_pView->CenterOnPicture(*saved.centre);
}
