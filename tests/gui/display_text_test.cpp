// SPDX-License-Identifier: GPL-3.0-or-later
// Lenient decoding of the core's bytes for display.
#include <QStringDecoder>
#include <QtTest>

#include "display_text.h"

class DisplayTextTest : public QObject {
    Q_OBJECT

  private slots:
    void decodes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        const bool gbk = QStringDecoder("GBK").isValid();
        QTest::newRow("ascii") << QByteArray("msg.wav") << QStringLiteral("msg.wav");
        QTest::newRow("utf-8") << QByteArray("自定义/a.wav") << QString::fromUtf8("自定义/a.wav");
        QTest::newRow("gbk") << QByteArray("\xc9\xf9\xd2\xf4.wav")
                             << (gbk ? QString::fromUtf8("声音.wav")
                                     : QString(QChar::ReplacementCharacter).repeated(4) + ".wav");
        QTest::newRow("empty") << QByteArray() << QString();
        // A question in UTF-8 that lists a name the disk gave as GBK bytes.
        QTest::newRow("utf-8 question, gbk name")
            << QByteArray("将撤销“换音”对以下声音的更改：\n\xc9\xf9\xd2\xf4.wav\nmsg.wav")
            << QString::fromUtf8("将撤销“换音”对以下声音的更改：\n") +
                   (gbk ? QString::fromUtf8("声音.wav")
                        : QString(QChar::ReplacementCharacter).repeated(4) + ".wav") +
                   "\nmsg.wav";
    }
    void decodes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QCOMPARE(sonatrix::gui::DisplayText(bytes.toStdString()), shown);
    }

    void anOddByteBecomesOneCharacter() {
        // 0xFF is neither UTF-8 nor a GBK lead byte; the name stays readable around it.
        const QString shown = sonatrix::gui::DisplayText("a\xff.wav");
        QCOMPARE(shown.size(), 6);
        QVERIFY(shown.startsWith('a') && shown.endsWith(".wav"));
    }

    void typedTextGoesBackAsBytes() {
        QCOMPARE(sonatrix::gui::CoreBytes(QString::fromUtf8("我的录音")), std::string("我的录音"));
    }
};

QTEST_MAIN(DisplayTextTest)
#include "display_text_test.moc"
