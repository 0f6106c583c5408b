#include "app/picture_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace netedit {

PictureButton::PictureButton(const QIcon& picture, int pictureSize, const QString& caption, QWidget* parent)
    : QPushButton(parent), pictureSize_(pictureSize) {
    setIcon(picture);
    setText(caption);
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QRect pictureRect(2, (height() - pictureSize_) / 2, pictureSize_, pictureSize_);
    icon().paint(&painter, pictureRect, Qt::AlignCenter, mode);

    const QRect captionRect(pictureRect.right() + 1, 0, width() - pictureRect.right() - 1, height());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(captionRect, Qt::AlignCenter | Qt::TextSingleLine, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

MnemonicLabel::MnemonicLabel(QString text, QWidget* parent) : QWidget(parent), text_(std::move(text)) {}

void MnemonicLabel::setText(const QString& text) {
    if (text != text_) {
        text_ = text;
        update();
    }
}

void MnemonicLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, text_);
}

} // namespace netedit
