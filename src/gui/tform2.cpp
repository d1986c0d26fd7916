#include "tform2.h"

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("显示用户进程"));
    setGeometry(192, 107, 627, 467);
}
