// Offers one file to other programs by drag and drop, as a file manager does: a press on its
// window starts the drag, and the program ends a little after it.
// Usage: file_drag_source PATH
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

class FileDragSource : public QWidget {
public:
    explicit FileDragSource(QString path) : path_(std::move(path)) {
        setWindowTitle("file drag source");
        setGeometry(0, 0, 120, 80);
    }

protected:
    void mousePressEvent(QMouseEvent* /*event*/) override {
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(path_)});
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
        // The target asks for the file's name after the drop: the source stays to answer.
        QTimer::singleShot(3000, qApp, &QApplication::quit);
    }

private:
    QString path_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FileDragSource source(QString::fromLocal8Bit(argc > 1 ? argv[1] : ""));
    source.show();
    return QApplication::exec();
}
