// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_button.h"

namespace sonatrix::gui {

QPushButton* DialogButton(QWidget* parent, const char* name, const char* caption, QRect place) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setAccessibleName(button->text());
    button->setAutoDefault(false);
    return button;
}

}  // namespace sonatrix::gui
