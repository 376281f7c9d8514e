// Printing into a PDF file as every file the program writes is written: the
// pages are made in memory, then the file is replaced whole through the safe
// writer, so a full disk, a FIFO or a device never costs the old file, and a
// failure is said instead of "printed".
#pragma once
#include <QString>

#include <functional>

class QPaintDevice;
class QPrinter;

// Draws the pages through `paint` onto the device it is given: `printer`
// itself for a real printer, else a PDF in memory laid out as `printer`'s
// pages, then written to its output file. False with the reason, in French,
// in `error` (`paint` sets it for a failure of its own).
bool PrintThrough(QPrinter& printer, const std::function<bool(QPaintDevice& device)>& paint, QString& error);
