// Qt's own dialogs and menus (file and print dialogs, message box buttons,
// a text panel's context menu) speak French, as the rest of the window.
#pragma once

// Installs Qt's French translations into the running application; false when
// they are not installed (the dialogs then stay in Qt's English).
bool InstallQtFrench();
