// Names for the parts of standard controls that Qt leaves nameless, so that
// a screen reader can say what each one is: an editable combo box's field
// and its list, a line edit's clear button, a tool bar's button for the
// buttons it has no room for.
#pragma once

class QWidget;

// Names every such part under `root` that has no name yet, from the name
// of the control it belongs to; a combo box without a name is left alone.
void NameUnnamedParts(QWidget& root);
