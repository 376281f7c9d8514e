#include "startup/Settings.h"

#include "data/Version.h"

#include <QCoreApplication>

void Settings::Register() {
    QCoreApplication::setOrganizationName(QString::fromUtf8(kOrganization));
    QCoreApplication::setApplicationName(QString::fromUtf8(kApplication));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(Version::kDotted));
}
