#include "startup/SettingsFile.h"

#include "cli/BoundedRead.h"
#include "cli/SystemReason.h"
#include "output/SafeWriteQt.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Far above what the program stores; a stray huge file is not read.
constexpr size_t kMaxSettingsBytes = size_t(1) << 20;

QString CannotSave(const QString& path, const QString& reason) {
    return QString::fromUtf8("Les réglages n'ont pas pu être enregistrés dans « %1 » : %2").arg(path, reason);
}

// QSettings tells that its copy could not be written, not why: a write of
// the same size into the same folder finds the cause.
QString CopyFailure(const QString& folder, qint64 size) {
    const QByteArray probe = QFile::encodeName(folder + QStringLiteral("/probe"));
    const int fd = open(probe.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const std::vector<char> zeros(size_t(std::max<qint64>(size, 4096)));
    const bool written = fd >= 0 && write(fd, zeros.data(), zeros.size()) == ssize_t(zeros.size());
    const int error = errno;
    if (fd >= 0) close(fd);
    unlink(probe.constData());
    const QString cause = written ? QString::fromUtf8("cause inconnue") : QString::fromStdString(SystemReason(error));
    return QString::fromUtf8("copie de travail impossible dans « %1 » : %2").arg(folder, cause);
}

// Makes `folder` and those above it; 0, or the error that stopped it (a
// read-only home, a file where a folder should be).
int MakeFolders(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    for (qsizetype end = path.indexOf('/', 1); ; end = path.indexOf('/', end + 1)) {
        const QByteArray part = end < 0 ? path : path.left(end);
        struct stat st {};
        if (stat(part.constData(), &st) != 0 && mkdir(part.constData(), 0700) != 0 && errno != EEXIST) return errno;
        if (end < 0) return 0;
    }
}

}  // namespace

QString SettingsFile::ProgramPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           QCoreApplication::organizationName() + QLatin1Char('/') + QCoreApplication::applicationName() +
           QStringLiteral(".conf");
}

SettingsFile::SettingsFile() : SettingsFile(ProgramPath()) {}

// A file that cannot be read (none yet, a FIFO, too large) gives no values.
SettingsFile::SettingsFile(const QString& path) : m_path(path) {
    const QString copy = m_scratch.filePath(QStringLiteral("settings.conf"));
    const BoundedRead read = ReadFileBounded(QFile::encodeName(path).toStdString(), kMaxSettingsBytes);
    QFile file(copy);
    if (read.status == BoundedReadStatus::Read && file.open(QIODevice::WriteOnly))
        file.write(reinterpret_cast<const char*>(read.bytes.data()), qint64(read.bytes.size()));
    file.close();
    m_values = std::make_unique<QSettings>(copy, QSettings::IniFormat);
}

bool SettingsFile::Save(QString& error) {
    m_values->sync();
    QFile copy(m_values->fileName());
    // A damaged file (FormatError) is written anew with what could be read.
    if (m_values->status() == QSettings::AccessError || !copy.open(QIODevice::ReadOnly)) {
        error = CannotSave(m_path, CopyFailure(m_scratch.path(), copy.size()));
        return false;
    }
    const QByteArray bytes = copy.readAll();
    if (const int failure = MakeFolders(QFileInfo(m_path).path())) {
        error = CannotSave(m_path, QString::fromStdString(SystemReason(failure)));
        return false;
    }
    QString reason;
    if (WriteFileSafely(m_path, bytes, reason)) return true;
    error = CannotSave(m_path, reason);
    return false;
}

bool SettingOn(const char* key) {
    return SettingsFile().Values().value(QString::fromLatin1(key)).toString() == QLatin1String("true");
}

void KeepSetting(const char* key, bool on) {
    SettingsFile file;
    file.Values().setValue(QString::fromLatin1(key), on);
    QString ignored;
    file.Save(ignored);
}
