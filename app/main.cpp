#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Q-31"));
    window.resize(800, 572);
    window.show();
    return app.exec();
}
