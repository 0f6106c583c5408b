#pragma once

#include "editor/message_box.h"

#include <QFont>
#include <QSize>
#include <QString>

class QFontMetrics;
class QWidget;

namespace netedit {

class Failure;

// The boxes' font: the Japanese interface font at 9 points for the screen's logical DPI.
QFont MessageFont(double logicalDpi);
FontMeasure MeasureFont(const QFontMetrics& metrics);
// The size a text of one or more lines needs, and a text in the lines a box shows it in (the
// core's rule), at most `maxWidth` pixels wide.
QSize TextSize(const QFontMetrics& metrics, const QString& text);
QString WrappedText(const QFontMetrics& metrics, const QString& text, int maxWidth);

// Shows a modal message box owned by `owner` and gives the result code of the button pressed;
// closing the box any other way gives results::Cancel.
int AskUser(QWidget* owner, const QString& text, MsgKind kind, unsigned buttonSet, int helpContext = 0);
// A box captioned with the program title, without an icon, with one OK button.
void ShowNotice(QWidget* owner, const QString& text);
// The error box for a failure that ended a user action; the program carries on after it.
void ReportFailure(QWidget* owner, const Failure& failure);

} // namespace netedit
