#pragma once

#include "editor/user_dialogs.h"

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

class QFontMetrics;
class QWidget;

namespace netedit {

class Failure;

// The font the message boxes measure themselves in, in pixels.
struct FontMeasure {
    int averageWidth = 0; // of "A".."Z" "a".."z", integer division by 52
    int lineHeight = 0;
};

// Where everything of a message box stands, in client pixels.
struct MessageLayout {
    QSize client;
    QRect icon; // null without an icon
    QRect message;
    std::vector<QRect> buttons; // left to right
};

inline constexpr int MessageIconSize = 32;

// The boxes' font: the Japanese interface font at 9 points for the screen's logical DPI.
QFont MessageFont(double logicalDpi);
FontMeasure MeasureFont(const QFontMetrics& metrics);
// The size the message needs when wrapped at word boundaries to at most `maxWidth` pixels.
QSize WrappedTextSize(const QFontMetrics& metrics, const QString& text, int maxWidth);
// Lays a box out in dialog units (a quarter of the average width across, an eighth of the line
// height down): margins 8, icon-text and text-button spacing 10, buttons 50 x 14 with gaps of 4.
MessageLayout LayoutMessage(FontMeasure font, QSize textSize, bool hasIcon, int buttonCount);

// Shows a modal message box owned by `owner` and gives the result code of the button pressed;
// closing the box any other way gives results::Cancel.
int AskUser(QWidget* owner, const QString& text, MsgKind kind, unsigned buttonSet, int helpContext = 0);
// A box captioned with the program title, without an icon, with one OK button.
void ShowNotice(QWidget* owner, const QString& text);
// The error box for a failure that ended a user action; the program carries on after it.
void ReportFailure(QWidget* owner, const Failure& failure);
// The error box's text: the failure's message and a full stop, always.
QString FailureText(const Failure& failure);

} // namespace netedit
