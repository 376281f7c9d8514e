#include "shell/ZerimDoc.h"

#include <QFile>

bool CZerimDoc::OnOpenDocument(const QString& path, QString& error) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) return true;  // read nothing: the map is the same
    error = file.errorString();
    return false;
}
