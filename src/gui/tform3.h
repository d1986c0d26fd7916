// The recorder window ("录音").
#pragma once

#include <QDialog>

class TForm3 : public QDialog {
  public:
    explicit TForm3(QWidget* parent = nullptr);
};
