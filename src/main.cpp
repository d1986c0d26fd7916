// Sonatrix: changes the notification sounds of instant-messaging clients.
#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName("Sonatrix2009");
    return 0;
}
