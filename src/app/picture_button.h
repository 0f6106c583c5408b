#pragma once

#include <QIcon>
#include <QPushButton>

namespace netedit {

// A push button whose picture stands 2 pixels from its left edge, with the caption centred in
// the space to the right of it. Disabled, it draws the picture's disabled look.
class PictureButton : public QPushButton {
    Q_OBJECT
public:
    PictureButton(const QIcon& picture, int pictureSize, const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int pictureSize_;
};

// A text label that takes a single "&" as a mnemonic marker (hidden, the next character
// underlined) and "&&" as one "&". The text is clipped at the label's edge.
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

} // namespace netedit
