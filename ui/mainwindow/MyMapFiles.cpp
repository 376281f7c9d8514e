// The player's layer in and out of files: export as JSON or GeoJSON,
// import (merged, newest edit winning, or replacing the layer after a
// backup), and a backup restored.
#include "mainwindow/MyMapCommands.h"

#include "output/SafeWriteQt.h"

#include "cli/BoundedRead.h"
#include "mapview/ZerimView.h"
#include "render/MapPicture.h"
#include "notes/NotesExchange.h"
#include "widgets/DialogHelpers.h"

#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMainWindow>

#include <set>

namespace {
QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// What replacing the layer with `incoming` changes: every incoming item
// written, every other one removed.
std::vector<CNoteChange> Replacing(const CNoteItems& current, const CNoteItems& incoming) {
    std::vector<CNoteChange> changes;
    std::set<std::string> kept;
    for (const CNoteItem& item : incoming) {
        kept.insert(item.id);
        changes.push_back({item.id, std::nullopt, item});
    }
    for (const CNoteItem& item : current)
        if (!kept.count(item.id)) changes.push_back({item.id, std::nullopt, std::nullopt});
    return changes;
}
}  // namespace

void CMyMapCommands::ExportNotes() {
    QString filter;
    const QString path = QFileDialog::getSaveFileName(m_host.window, QString::fromUtf8("Exporter les notes"),
                                                      QStringLiteral("notes.json"),
                                                      QString::fromUtf8("Notes JSON (*.json);;GeoJSON (*.geojson)"), &filter);
    if (path.isEmpty()) return;
    const bool geo = filter.contains(QLatin1String("geojson")) || path.endsWith(QLatin1String(".geojson"));
    const CMapPicture* picture = m_host.view->CurrentPicture();
    const CSize pixels = picture ? picture->GetPixelSize() : CSize{};
    const std::string text = geo ? NotesToGeoJson(InPicturePixels(m_layer->Items(), pixels.cx, pixels.cy))
                                 : NotesToJson(m_layer->Items(), NowMs());
    QString reason;
    if (!WriteFileSafely(path, QByteArray::fromStdString(text), reason))
        return WarnPlainly(m_host.window, QString::fromUtf8("Exporter les notes"),
                           QString::fromUtf8("Impossible d'enregistrer %1.\n%2").arg(path, reason));
    m_host.say(QString::fromUtf8("%1 notes exportées dans %2").arg(m_layer->Items().size()).arg(path));
}

void CMyMapCommands::ImportNotes() {
    const QString title = QString::fromUtf8("Importer des notes");
    const QString path = QFileDialog::getOpenFileName(m_host.window, title, QString(),
                                                      QString::fromUtf8("Notes JSON (*.json);;Tous les fichiers (*)"));
    if (path.isEmpty()) return;
    const BoundedRead file = ReadFileBounded(QFile::encodeName(path).toStdString(), kNotesFileLimit);
    if (file.status != BoundedReadStatus::Read) {
        const QString why = file.status == BoundedReadStatus::TooLarge ? QString::fromUtf8("le fichier est trop grand")
                                                                      : Utf8(file.reason);
        return WarnPlainly(m_host.window, title, QString::fromUtf8("Impossible de lire %1 : %2").arg(path, why));
    }
    const CNotesReading reading = NotesFromJson(std::string(file.bytes.begin(), file.bytes.end()), NotesWorldBounds());
    if (!reading.ok)
        return WarnPlainly(m_host.window, title, QString::fromUtf8("%1 n'a pas été importé : %2").arg(path, Utf8(reading.error)));
    const int choice = AskPlainly(m_host.window, title,
                                  QString::fromUtf8("%1 contient %2 notes. Les fusionner avec les vôtres (la plus récente "
                                                    "modification de chacune l'emporte), ou remplacer toutes vos notes ?")
                                      .arg(path).arg(reading.items.size()),
                                  {QString::fromUtf8("Fusionner"), QString::fromUtf8("Remplacer")});
    if (choice < 0) return;
    std::string error;
    if (choice == 1) {
        if (!m_layer->Store() || !m_layer->Store()->BackupNow(NowMs(), error))
            return WarnPlainly(m_host.window, title,
                               QString::fromUtf8("Vos notes n'ont pas été remplacées : la sauvegarde préalable a échoué (%1).")
                                   .arg(Utf8(error)));
        if (EditAll(Replacing(m_layer->Items(), reading.items)))
            m_host.say(QString::fromUtf8("Notes remplacées par les %1 du fichier (une sauvegarde des anciennes a été faite)")
                           .arg(reading.items.size()));
        return;
    }
    const CNotesMerge merge = MergeNotes(m_layer->Items(), reading.items);
    std::vector<CNoteChange> changes;
    for (const CNoteItem& item : merge.puts) changes.push_back({item.id, std::nullopt, item});
    if (EditAll(std::move(changes)))
        m_host.say(QString::fromUtf8("Import : %1 ajoutées, %2 mises à jour, %3 ignorées")
                       .arg(merge.added).arg(merge.updated).arg(merge.skipped));
}

void CMyMapCommands::RestoreBackup() {
    const QString title = QString::fromUtf8("Restaurer une sauvegarde");
    CNoteStore* store = m_layer->Store();
    const std::vector<CNoteBackup> backups = store ? store->Backups() : std::vector<CNoteBackup>();
    if (backups.empty()) return WarnPlainly(m_host.window, title, QString::fromUtf8("Aucune sauvegarde de vos notes pour l'instant."));
    QStringList names;
    for (const CNoteBackup& backup : backups)
        names << QString::fromUtf8("%1 — %2 lieux marqués, %3 épingles")
                     .arg(QDateTime::fromMSecsSinceEpoch(backup.taken).toString(QStringLiteral("dd/MM/yyyy HH:mm")))
                     .arg(backup.places)
                     .arg(backup.pins);
    bool chosen = false;
    const QString name = QInputDialog::getItem(m_host.window, title, QString::fromUtf8("Sauvegarde à reprendre :"), names, 0,
                                               false, &chosen);
    if (!chosen) return;
    const CNoteBackup& backup = backups[size_t(names.indexOf(name))];
    std::string error;
    if (!store->Restore(backup.path, error))
        return WarnPlainly(m_host.window, title, QString::fromUtf8("La sauvegarde n'a pas été restaurée : %1").arg(Utf8(error)));
    m_layer->ReloadAll();
    Refresh();
    m_host.say(QString::fromUtf8("Sauvegarde du %1 restaurée ; vos notes d'avant ont été sauvegardées").arg(name.section(QString::fromUtf8(" — "), 0, 0)));
}
