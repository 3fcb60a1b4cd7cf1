// The toolkit's floor for start-up: a bare Qt window of the calendar's size with 37 labels.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(161, 172);
    for (int i = 0; i < 37; ++i) {
        auto *label = new QLabel(QString::number(i + 1), &window);
        label->setGeometry(4 + (i % 7) * 22, 47 + (i / 7) * 17, 15, 14);
    }
    window.setWindowTitle(QStringLiteral("floor"));
    window.show();
    return app.exec();
}
