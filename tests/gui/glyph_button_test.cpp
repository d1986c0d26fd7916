// SPDX-License-Identifier: GPL-3.0-or-later
// A glyph button as assistive technology meets it: a press through the
// accessibility interface returns at once, as a push button's does, and
// the command runs after the call, so a screen reader never waits on the
// command's modal dialog.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>

#include "glyph_button.h"

using sonatrix::gui::GlyphButton;

class GlyphButtonTest : public QObject {
    Q_OBJECT

  private slots:
    void accessibleAsAButtonNamedByItsCaption() {
        QWidget window;
        auto* button = new GlyphButton(&window);
        button->setText("还原QQ默认声音");
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Button);
        QCOMPARE(accessible->text(QAccessible::Name), QString::fromUtf8("还原QQ默认声音"));
        button->setAccessibleName("还原");
        QCOMPARE(accessible->text(QAccessible::Name), QString::fromUtf8("还原"));

        QAccessibleActionInterface* actions = accessible->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        button->setEnabled(false);
        QVERIFY(!actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        QVERIFY(accessible->state().disabled);
    }

    void accessiblePressReturnsBeforeTheCommandsDialogCloses() {
        QWidget window;
        auto* button = new GlyphButton(&window);
        button->setText("自己录音");
        window.show();
        bool dialogClosed = false;
        connect(button, &GlyphButton::clicked, [&] {
            QDialog dialog(&window);
            dialog.exec();
            dialogClosed = true;
        });
        // Closes the command's dialog once it is open, so a press that waits
        // for it fails here instead of hanging.
        bool dialogSeen = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialogSeen = true;
                dialog->reject();
            }
        });
        closer.start(20);

        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY2(!dialogClosed, "the press waited for the command's dialog");
        QTRY_VERIFY_WITH_TIMEOUT(dialogSeen, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(dialogClosed, 10000);
    }
};

QTEST_MAIN(GlyphButtonTest)
#include "glyph_button_test.moc"
