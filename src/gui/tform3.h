// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder window: records a sound into the library's "我的录音".
#pragma once

#include <QDialog>

class MediaPlayerBar;
class QLabel;
class QPushButton;

namespace sonatrix {
class RecorderLogic;
}

class TForm3 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm3(sonatrix::RecorderLogic& logic, QWidget* parent = nullptr);

    MediaPlayerBar* MediaPlayer1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QLabel* Label1;
    QLabel* Label2;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape closes a dialog without a close event: it asks the same.
    void reject() override;

  private:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void ShowState();

    sonatrix::RecorderLogic& logic_;
};
