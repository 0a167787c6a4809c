// A test-only program standing for another program in drag and drop: its window offers a file,
// a text or an HTML fragment for dragging, and prints whatever is dropped on it, one line per
// MIME type with the data percent-encoded.
//
//   dnd_peer <title> file <percent-encoded path> | text <text> | html <html>
//
// The path is given percent-encoded (so any byte can pass) and offered as a file URL with every
// byte kept. It prints "ready"
// once its window is shown, "drag started" when a drag leaves it, "enter" when a drag enters it, "drag ended <action>" when that
// drag ends, and "drop <mime type> <data>" for each format of a drop.
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

void Say(const QByteArray& Line)
{
    std::printf("%s\n", Line.constData());
    std::fflush(stdout);
}

class PeerWindow : public QWidget {
public:
    PeerWindow(QByteArray Kind, QByteArray Value) : kind_(std::move(Kind)), value_(std::move(Value))
    {
        setAcceptDrops(true);
    }

protected:
    void mousePressEvent(QMouseEvent* Event) override { pressed_ = Event->button() == Qt::LeftButton; }
    void mouseMoveEvent(QMouseEvent*) override
    {
        if (!pressed_)
            return;
        pressed_ = false;
        auto* data = new QMimeData;
        if (kind_ == "file")
            data->setData(QStringLiteral("text/uri-list"), "file://" + QByteArray::fromPercentEncoding(value_).toPercentEncoding("/") + "\r\n");
        else if (kind_ == "text")
            data->setText(QString::fromUtf8(value_));
        else
            data->setHtml(QString::fromUtf8(value_));
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        Say("drag started");
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
        Say("drag ended " + QByteArray::number(int(action)));
    }
    void dragEnterEvent(QDragEnterEvent* Event) override
    {
        Say("enter");
        Event->acceptProposedAction();
    }
    void dragMoveEvent(QDragMoveEvent* Event) override { Event->acceptProposedAction(); }
    void dropEvent(QDropEvent* Event) override
    {
        for (const QString& format : Event->mimeData()->formats())
            Say("drop " + format.toUtf8() + ' ' + Event->mimeData()->data(format).toPercentEncoding());
        Event->acceptProposedAction();
    }

private:
    QByteArray kind_;
    QByteArray value_;
    bool pressed_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: dnd_peer <title> file <path> | text <text> | html <html>\n");
        return 2;
    }
    PeerWindow window(argv[2], argv[3]);
    window.setWindowTitle(QString::fromUtf8(argv[1]));
    window.resize(200, 200);
    window.show();
    QTimer::singleShot(0, [] { Say("ready"); });
    return app.exec();
}
