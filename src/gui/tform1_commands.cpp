// SPDX-License-Identifier: GPL-3.0-or-later
// The window's command buttons and double-clicks, wired to their core
// handlers in one place.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include "discovery/target_switch.h"
#include "library/add_sounds.h"
#include "library/recorder_command.h"
#include "originals_menu.h"
#include "replace/config_db_repair.h"
#include "replace/random_replacement.h"
#include "replace/restore.h"
#include "replace/single_replacement.h"
#include "replace/themes.h"
#include "tform1.h"

void TForm1::WireCommands() {
    using namespace sonatrix;
    // clang-format off
    // Replacing one sound.
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(model_); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ListBox1DblClick(model_); });
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, [this] { TreeView1DblClick(model_); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(model_); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(model_); });

    // Preset themes.
    connect(SpeedButton5, &QToolButton::clicked, this, [this] { SpeedButton5Click(model_); });
    connect(SpeedButton7, &QToolButton::clicked, this, [this] { SpeedButton7Click(model_); });
    connect(SpeedButton8, &QToolButton::clicked, this, [this] { SpeedButton8Click(model_); });
    connect(SpeedButton10, &QToolButton::clicked, this, [this] { SpeedButton10Click(model_); });
    connect(SpeedButton11, &QToolButton::clicked, this, [this] { SpeedButton11Click(model_); });

    // Restore and cross-apply.
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { SpeedButton4Click(model_); });
    connect(SpeedButton14, &QToolButton::clicked, this, [this] { SpeedButton14Click(model_); });
    connect(SpeedButton15, &QToolButton::clicked, this, [this] { SpeedButton15Click(model_); });
    connect(SpeedButton16, &QToolButton::clicked, this, [this] { SpeedButton16Click(model_); });

    // The two buttons are wired crosswise, as the window was designed: the
    // visible "添加声音" adds sounds, the hidden "复制声音到TM" copies into TM.
    connect(SpeedButton13, &QToolButton::clicked, this, [this] { SpeedButton12Click(model_); });
    connect(SpeedButton12, &QToolButton::clicked, this, [this] { SpeedButton13Click(model_); });

    // Switching the target kind: only a choice the user makes runs it.
    connect(ComboBox1, &QComboBox::activated, this,
            [this](int index) { ComboBox1Select(model_, index); });

    // Recording.
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(model_); });
    // clang-format on

    // Restoring originals and undoing: ListBox1's menu and Ctrl+Z.
    new gui::OriginalsMenu(model_, ListBox1, this);
}
