#pragma once

#include <QAccessible>
#include <QString>

class QAbstractButton;
class QWidget;

namespace netedit {

// How the program's controls present themselves to assistive technology where the toolkit's own
// way falls short. Each takes effect before the control is first read.

// Read as a control of `role`: the main window as a dialog, the error box as an alert.
void PresentAs(QWidget* widget, QAccessible::Role role);
// A button that names the key that presses it, such as "Alt+Right".
void AnnounceKey(QAbstractButton* button, const QString& key);
// The entry lists say that many entries may be chosen at once; each entry is read as its row.
void PresentEntryLists();

} // namespace netedit
