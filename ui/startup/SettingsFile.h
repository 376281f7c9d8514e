// The program's settings file, read and written the way every file the
// program writes is: QSettings alone would replace a FIFO or a device with a
// plain file, and reading one would wait on it. A SettingsFile reads the
// file (a regular file, up to a bound) into a private copy that QSettings
// works on, and writes that copy back through the safe writer.
#pragma once
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class SettingsFile {
public:
    // The program's own file: <config folder>/<organisation>/<application>.conf.
    SettingsFile();
    explicit SettingsFile(const QString& path);

    // The values read, to read or change; changes stay in the copy until Save.
    QSettings& Values() { return *m_values; }
    // Writes the values back, making the file's folder if needed. False with
    // the reason, in French, in `error`; the file is then as it was.
    bool Save(QString& error);

    // Where the program's own file is.
    static QString ProgramPath();

private:
    QString m_path;
    QTemporaryDir m_scratch;
    std::unique_ptr<QSettings> m_values;
};

// A choice of display kept in the program's file (a panel shown, a way of
// drawing the map): on when saved as true, off when absent.
bool SettingOn(const char* key);
// Keeps the choice at once. A file that cannot be written loses only the
// choice, not what the player made: nothing is said.
void KeepSetting(const char* key, bool on);
