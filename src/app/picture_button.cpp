#include "app/picture_button.h"

#include "editor/window_description.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace netedit {

namespace {

class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(MnemonicLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            return ShownText(static_cast<const MnemonicLabel*>(widget())->text());
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* LabelAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(MnemonicLabel::staticMetaObject.className())) {
        return new LabelAccessible(static_cast<MnemonicLabel*>(object));
    }
    return nullptr;
}

} // namespace

PictureButton::PictureButton(const QIcon& picture, int pictureSize, int pictureOffset, const QString& caption,
                             QWidget* parent)
    : QPushButton(parent), pictureSize_(pictureSize), pictureOffset_(pictureOffset) {
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
    const QRect pictureRect = this->pictureRect();
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

QRect PictureButton::pictureRect() const {
    return {pictureOffset_, (height() - pictureSize_) / 2, pictureSize_, pictureSize_};
}

MnemonicLabel::MnemonicLabel(QString text, QWidget* parent) : QWidget(parent), text_(std::move(text)) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(LabelAccessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
}

void MnemonicLabel::setText(const QString& text) {
    if (text != text_) {
        text_ = text;
        update();
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

QString ShownText(const QString& text) {
    return QString::fromStdString(netedit::ShownText(text.toStdString()));
}

void MnemonicLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, text_);
}

} // namespace netedit
