// The safe writer (cli/SafeWrite.h) for Qt's file names and bytes: what
// export, print to a file and the settings file write through.
#pragma once
#include "cli/SafeWrite.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// False with the reason, in French, in `reason`.
inline bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString& reason) {
    std::string why;
    if (WriteFileSafely(QFile::encodeName(path).toStdString(), {bytes.constData(), size_t(bytes.size())}, why))
        return true;
    reason = QString::fromStdString(why);
    return false;
}
