#include "tform3.h"

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("录音"));
    setGeometry(343, 224, 375, 273);
}
