#pragma once

#include <QIcon>
#include <QPushButton>

namespace netedit {

// A push button whose picture stands a small offset from its left edge, with the caption
// centred in the space to the right of it. Disabled, it draws the picture's disabled look.
class PictureButton : public QPushButton {
    Q_OBJECT
public:
    PictureButton(const QIcon& picture, int pictureSize, int pictureOffset, const QString& caption,
                  QWidget* parent);
    // Where the picture is drawn, in the button's pixels.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int pictureSize_;
    int pictureOffset_;
};

// A text label that takes a single "&" as a mnemonic marker (hidden, the next character
// underlined) and "&&" as one "&". The text is clipped at the label's edge. Assistive
// technology reads it as static text, as drawn, and hears of every change.
class MnemonicLabel : public QWidget {
    Q_OBJECT
public:
    explicit MnemonicLabel(QString text, QWidget* parent);
    void setText(const QString& text);
    const QString& text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

// A label's text as it is drawn: each single "&" dropped, "&&" as one "&".
QString ShownText(const QString& text);

} // namespace netedit
