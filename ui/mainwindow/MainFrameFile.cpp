// The main window's commands that take the view out of the window: saving it
// as a picture and printing it.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"
#include "mainwindow/StatusBar.h"
#include "output/ViewExport.h"

#include "data/ShownText.h"
#include "mapview/ZerimView.h"
#include "widgets/DialogHelpers.h"

#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

// Before "Quitter", which stays last after a separator.
void CMainFrame::AddFileCommands(QMenu* file) {
    QAction* save = NewExtraCommand(ExtraCommand::ExportView, "&Exporter la vue…",
                                    "Enregistre la vue de la carte dans une image PNG ou JPEG",
                                    {QKeySequence(Qt::CTRL | Qt::Key_E)});
    connect(save, &QAction::triggered, this, &CMainFrame::ExportView);
    file->addAction(save);
    QAction* print = NewExtraCommand(ExtraCommand::PrintView, "&Imprimer…", "Imprime la vue de la carte",
                                     StandardKeys(QKeySequence::Print, Qt::CTRL | Qt::Key_P));
    connect(print, &QAction::triggered, this, &CMainFrame::PrintView);
    file->addAction(print);
    QAction* preview = NewExtraCommand(ExtraCommand::PrintPreview, "&Aperçu avant impression…",
                                       "Montre la page telle qu'elle sera imprimée", {});
    connect(preview, &QAction::triggered, this, &CMainFrame::PreviewPrint);
    file->addAction(preview);
}

// A name without an extension takes the chosen type's (PNG at first); any
// other extension than the two written is refused with its reason, and
// nothing is written.
void CMainFrame::ExportView() {
    QFileDialog dialog(this, QString::fromUtf8("Exporter la vue"), QDir::homePath() + QStringLiteral("/carte.png"),
                       QString::fromUtf8("Image PNG (*.png);;Image JPEG (*.jpg *.jpeg)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    // A name typed without an extension takes the chosen filter's.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.contains(QLatin1String("*.jpg")) ? QStringLiteral("jpg") : QStringLiteral("png"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().first();
    QString error;
    if (!::ExportView(*m_pView, path, error)) {
        WarnPlainly(this, QString::fromUtf8("Exporter la vue"), error);
        return;
    }
    // A file name may hold a line break or an escape: shown as U+FFFD.
    const QString shown = QString::fromStdString(ShownText(QDir::toNativeSeparators(path).toStdString()));
    m_wndStatusBar->SetPaneText(0, QString::fromUtf8("Vue enregistrée dans « %1 »").arg(shown));
}

void CMainFrame::PrintView() {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinterForView(*m_pView, printer);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QString::fromUtf8("Imprimer la vue"));
    if (dialog.exec() != QDialog::Accepted) return;
    QString error;
    if (!::PrintView(*m_pView, printer, error)) {
        WarnPlainly(this, QString::fromUtf8("Imprimer"), error);
        return;
    }
    m_wndStatusBar->SetPaneText(0, QString::fromUtf8("Vue imprimée"));
}

// The page as it will print, from the same drawing; the preview's own print
// button prints it.
void CMainFrame::PreviewPrint() {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinterForView(*m_pView, printer);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QString::fromUtf8("Aperçu avant impression"));
    QString error;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, &error](QPrinter* paper) { ::PrintView(*m_pView, *paper, error); });
    preview.exec();
    if (!error.isEmpty()) m_wndStatusBar->SetPaneText(0, error);
}
