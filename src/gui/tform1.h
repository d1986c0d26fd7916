// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: shows the MainModel's state and forwards every gesture to
// the core handler of the same name.
#pragma once

#include <QRect>
#include <QWidget>
#include <vector>

#include "model/main_model.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTextBrowser;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace sonatrix::gui {
class LinkLabel;
}

class TForm1 : public QWidget, public sonatrix::MainView {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 723;
    static constexpr int kClientHeight = 553;

    explicit TForm1(sonatrix::MainModel& model, QWidget* parent = nullptr);
    ~TForm1() override;

    void StateChanged(unsigned aspects) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void SetTabOrder();
    // The gestures whose handlers live in this window's own files.
    void WireWindow();
    // The commands of the replacement, library and restore handlers.
    void WireCommands();

    void ShowTargetStatus();
    void ShowTargetList();
    void ShowLabels();
    void RebuildTree();
    void AddTreeChildren(QTreeWidgetItem* parentItem, const sonatrix::TreeNode& node);
    void SelectFirstNode();
    // The selected node or list row: none after a Ctrl+click took the
    // selection away, though the item stays current.
    const sonatrix::TreeNode* SelectedNode() const;
    int SelectedListRow() const;
    void TreeMouseEvent(QEvent* event);
    void LoadNewsPage();

    // A top-right control: placed from its designed left edge plus the
    // growth of the client width.
    void AnchorTopRight(QWidget* control);

    sonatrix::MainModel& model_;
    bool firstShowDone_ = false;
    bool newsRequested_ = false;
    // Set by a mouse press in ListBox1 when the press changed the selection,
    // so the click that follows does not run ListBox1Click a second time.
    bool pressChangedSelection_ = false;
    // Set by a double-click in TreeView1: the release that ends it is not
    // another click.
    bool releaseEndsDoubleClick_ = false;

    struct Anchored {
        QWidget* control;
        QRect designed;
    };
    std::vector<Anchored> topRight_;

    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QToolButton* SpeedButton8 = nullptr;
    QToolButton* SpeedButton9 = nullptr;
    QToolButton* SpeedButton10 = nullptr;
    QToolButton* SpeedButton11 = nullptr;
    QToolButton* SpeedButton12 = nullptr;
    QToolButton* SpeedButton13 = nullptr;
    QToolButton* SpeedButton14 = nullptr;
    QToolButton* SpeedButton15 = nullptr;
    QToolButton* SpeedButton16 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    sonatrix::gui::LinkLabel* Label2 = nullptr;
    sonatrix::gui::LinkLabel* Label5 = nullptr;
    sonatrix::gui::LinkLabel* Label6 = nullptr;
    sonatrix::gui::LinkLabel* Label7 = nullptr;
    sonatrix::gui::LinkLabel* Label11 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QTextBrowser* WebBrowser1 = nullptr;
    QTimer* Timer1 = nullptr;
};
