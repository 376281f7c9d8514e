#include "startup/FontPreload.h"

#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

// Fontconfig keeps the configuration it loads as its current one, which Qt's
// font database then takes as it is; FcInit is safe from any thread.
CFontPreload::CFontPreload() : m_thread([] { FcInit(); }) {}

void CFontPreload::FillFontDatabase() {
    Wait();
    m_thread = std::thread([] { QFontDatabase::families(); });
}

void CFontPreload::Wait() {
    if (m_thread.joinable()) m_thread.join();
}
