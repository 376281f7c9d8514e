// Random bytes in place of every table, for the tests that check that no
// command-line mode fails badly whatever its data.
#pragma once
#include <QFile>
#include <QRandomGenerator>
#include <QString>

namespace TestTables {

// Writes RCDATA_133 to RCDATA_141 (the places, characters and the spell
// finder's four tables) into `folder`: any byte values, or in `smallValues`
// only 0 to 3, which makes long runs. False when a file cannot be written.
inline bool WriteRandomTables(const QString& folder, QRandomGenerator& random, bool smallValues) {
    for (int id : {133, 134, 138, 139, 140, 141}) {
        QByteArray bytes(int(random.bounded(1, 3000)), 0);
        for (char& c : bytes) c = char(random.bounded(smallValues ? 4 : 256));
        QFile file(folder + QString("/RCDATA_%1").arg(id));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return false;
    }
    return true;
}

}  // namespace TestTables
