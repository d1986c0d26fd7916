// SPDX-License-Identifier: GPL-3.0-or-later
// Every caption of the three windows is shown whole inside its designed
// box with the program's fonts, and the window font is a Song face with the
// designed face's metrics ("宋体" at 13 pixels: full-width CJK 13 pixels
// wide, half-width Latin, 13 pixels high).
#include <QAbstractButton>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTextLayout>
#include <QtTest>
#include <memory>

#include "application_setup.h"
#include "glyph_button.h"
#include "gui_test_support.h"
#include "library/recorder_logic.h"
#include "note_label.h"
#include "qt_audio_capture.h"
#include "qt_local_time_text.h"
#include "test_world.h"
#include "tform1.h"
#include "tform2.h"
#include "tform3.h"
#include "window_font.h"

using sonatrix::gui::GlyphButton;
using sonatrix::gui::NoteLabel;
using sonatrix::testing::TestWorld;

namespace {

// The inside of a button's raised bevel: where a push button lays out its
// label, and where a glyph button's picture and caption must fit.
QRect BevelInside(QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (auto* push = qobject_cast<QPushButton*>(button)) {
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
    }
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
}

// What the caption needs, and the box it has; empty `problem` when it fits.
QString Check(QWidget* control) {
    const QFontMetricsF metrics(control->font());
    auto tooBig = [](QSizeF needed, QSize box) {
        return needed.width() > box.width() || needed.height() > box.height()
                   ? QStringLiteral("needs %1 x %2 in %3 x %4")
                         .arg(needed.width())
                         .arg(needed.height())
                         .arg(box.width())
                         .arg(box.height())
                   : QString();
    };
    if (auto* glyph = qobject_cast<GlyphButton*>(control)) {
        const qreal picture = glyph->icon().isNull() ? 0 : glyph->iconSize().width() + 4;
        return tooBig({picture + metrics.horizontalAdvance(glyph->text()), metrics.height()},
                      BevelInside(glyph).size());
    }
    if (auto* button = qobject_cast<QPushButton*>(control))
        return tooBig({metrics.horizontalAdvance(button->text()), metrics.height()},
                      BevelInside(button).size());
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        for (int i = 0; i < combo->count(); ++i) {
            const QString problem = tooBig(
                {metrics.horizontalAdvance(combo->itemText(i)), metrics.height()}, field.size());
            if (!problem.isEmpty())
                return combo->itemText(i) + ": " + problem;
        }
        return {};
    }
    auto* label = qobject_cast<QLabel*>(control);
    const QRect box = label->contentsRect();
    if (!label->wordWrap())
        return tooBig({metrics.horizontalAdvance(label->text()), metrics.height()}, box.size());
    // Wrapped: as many lines as the text takes at the box's width, set at
    // the label's own line step.
    QTextLayout layout(label->text(), label->font());
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrap);
    layout.beginLayout();
    int lines = 0;
    qreal widest = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        widest = std::max(widest, line.naturalTextWidth());
        ++lines;
    }
    layout.endLayout();
    auto* note = dynamic_cast<NoteLabel*>(label);
    const qreal step = note ? note->LineStep() : metrics.lineSpacing();
    return tooBig({widest, (lines - 1) * step + metrics.height()}, box.size());
}

QString CaptionOf(QWidget* control) {
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->itemText(0);
    return {};
}

}  // namespace

class CaptionsFitTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWorld> world;
    std::unique_ptr<QtAudioCapture> capture;
    std::unique_ptr<QtLocalTimeText> clock;
    std::unique_ptr<sonatrix::RecorderLogic> recorder;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm3> form3;

  private slots:
    void initTestCase() {
        sonatrix::gui::SetUpApplication(*qApp);
        world = std::make_unique<TestWorld>();
        capture = std::make_unique<QtAudioCapture>();
        clock = std::make_unique<QtLocalTimeText>();
        recorder = std::make_unique<sonatrix::RecorderLogic>(world->model, *capture, *clock);
        form1 = std::make_unique<TForm1>(world->model);
        form2 = std::make_unique<TForm2>(world->model.svc);
        form3 = std::make_unique<TForm3>(*recorder);
    }
    void cleanupTestCase() {
        form3.reset();
        form2.reset();
        form1.reset();
        recorder.reset();
        world.reset();
    }

    void windowFontHasTheDesignedMetrics_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qreal>("width");
        QTest::newRow("full-width CJK") << QString::fromUtf8("声") << 13.0;
        QTest::newRow("full-width punctuation") << QString::fromUtf8("，") << 13.0;
        QTest::newRow("half-width capital") << "M" << 6.5;
        QTest::newRow("half-width small letter") << "i" << 6.5;
        QTest::newRow("half-width digit") << "2" << 6.5;
    }
    void windowFontHasTheDesignedMetrics() {
        QFETCH(QString, text);
        QFETCH(qreal, width);
        const QFont font = sonatrix::gui::WindowFont();
        const QFontMetricsF metrics(font);
        QVERIFY2(qAbs(metrics.horizontalAdvance(text) - width) <= 0.5,
                 qPrintable(QFontInfo(font).family() + ": " +
                            QString::number(metrics.horizontalAdvance(text))));
        QVERIFY2(metrics.height() <= 14, qPrintable(QString::number(metrics.height())));
    }

    void captionFits_data() {
        QTest::addColumn<QWidget*>("control");
        for (QWidget* window :
             {static_cast<QWidget*>(form1.get()), static_cast<QWidget*>(form2.get()),
              static_cast<QWidget*>(form3.get())}) {
            window->ensurePolished();
            int captioned = 0;
            for (QWidget* control : window->findChildren<QWidget*>()) {
                control->ensurePolished();
                if (control->objectName().isEmpty() || CaptionOf(control).isEmpty())
                    continue;
                ++captioned;
                const QString row = window->objectName() + "." + control->objectName();
                QTest::newRow(qPrintable(row)) << control;
            }
            // Every window has captions: the walk found them.
            if (captioned < 4)
                qFatal("only %d captioned controls in %s", captioned,
                       qPrintable(window->objectName()));
        }
    }
    void captionFits() {
        QFETCH(QWidget*, control);
        const QString problem = Check(control);
        QVERIFY2(problem.isEmpty(), qPrintable(CaptionOf(control) + ": " + problem));
    }
};

QTEST_MAIN(CaptionsFitTest)
#include "captions_fit_test.moc"
