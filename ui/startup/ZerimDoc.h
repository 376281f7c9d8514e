// The document: the map is compiled in, so a document holds nothing. A file
// named on the command line is opened, to tell the user if it cannot be, and
// its content is ignored.
#pragma once
#include <QString>

class CZerimDoc {
public:
    bool OnNewDocument() { return true; }
    // False, with the reason, when the file cannot be opened for reading.
    bool OnOpenDocument(const QString& path, QString& error);
};
