// SPDX-License-Identifier: GPL-3.0-or-later
#include <QImage>
#include <QPixmapCache>
#include <QTest>
#include <climits>
#include <functional>
#include <vector>

#include "pictures.h"

using sonatrix::gui::Glyph;
using sonatrix::gui::GlyphPixmap;
using sonatrix::gui::kGlyphCount;
using sonatrix::gui::kListImageCount;
using sonatrix::gui::kTreeImageCount;
using sonatrix::gui::ListImage;
using sonatrix::gui::TreeImage;

namespace {

struct PixelCounts {
    int opaque = 0;
    int transparent = 0;
    int dark = 0;
};

PixelCounts CountPixels(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    PixelCounts counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            counts.opaque += colour.alpha() == 255 ? 1 : 0;
            counts.transparent += colour.alpha() == 0 ? 1 : 0;
            counts.dark += colour.alpha() == 255 && colour.lightness() < 90 ? 1 : 0;
        }
    }
    return counts;
}

// A picture that reads at its size: solid shapes covering a fair part of it,
// a see-through background and a dark outline.
void CheckArtwork(const QPixmap& pixmap, QSize size) {
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), size);
    const PixelCounts counts = CountPixels(pixmap);
    const int area = size.width() * size.height();
    QVERIFY2(counts.opaque >= area / 6, qPrintable(QString::number(counts.opaque)));
    QVERIFY(counts.transparent > 0);
    QVERIFY(counts.dark > 0);
}

using Picture = std::function<QPixmap()>;

}  // namespace

Q_DECLARE_METATYPE(Glyph)
Q_DECLARE_METATYPE(Picture)

class PicturesTest : public QObject {
    Q_OBJECT

  private slots:
    void glyphHasItsSizeAndArtwork_data();
    void glyphHasItsSizeAndArtwork();
    void imageListEntryHasArtwork_data();
    void imageListEntryHasArtwork();
    void outsideTheListsGivesNull_data();
    void outsideTheListsGivesNull();
    void everyPictureOfAListIsDifferent();
    void secondRequestIsTheCachedPixmap();
    void scaledPictureKeepsItsLogicalSize();
    void drawnAheadAndLazyIconsLookAsDrawnWhenAsked();
};

void PicturesTest::glyphHasItsSizeAndArtwork_data() {
    QTest::addColumn<Glyph>("glyph");
    QTest::addColumn<QSize>("size");
    QTest::newRow("QQ badge") << Glyph::QQBadge << QSize(19, 18);
    QTest::newRow("page, folder, arrow") << Glyph::PageFolderArrow << QSize(24, 24);
    QTest::newRow("record disc") << Glyph::RecordDisc << QSize(24, 24);
    QTest::newRow("magnifying glass") << Glyph::MagnifyingGlass << QSize(24, 24);
    QTest::newRow("carrot") << Glyph::Carrot << QSize(16, 16);
    QTest::newRow("question disc") << Glyph::QuestionDisc << QSize(32, 32);
    QTest::newRow("clock arrow") << Glyph::ClockArrow << QSize(24, 24);
    QTest::newRow("clipboard") << Glyph::Clipboard << QSize(24, 24);
    QTest::newRow("teddy bear") << Glyph::TeddyBear << QSize(16, 16);
    QTest::newRow("dragon head") << Glyph::DragonHead << QSize(16, 16);
    QTest::newRow("yellow creature") << Glyph::YellowCreature << QSize(16, 16);
    QTest::newRow("dog face") << Glyph::DogFace << QSize(16, 16);
    QTest::newRow("cat face") << Glyph::CatFace << QSize(16, 16);
}

void PicturesTest::glyphHasItsSizeAndArtwork() {
    QFETCH(Glyph, glyph);
    QFETCH(QSize, size);
    CheckArtwork(GlyphPixmap(glyph), size);
}

void PicturesTest::imageListEntryHasArtwork_data() {
    QTest::addColumn<Picture>("picture");
    for (int index = 0; index < 3; ++index) {
        QTest::addRow("tree %d", index) << Picture([index] { return TreeImage(index); });
    }
    for (int index = 0; index < 16; ++index) {
        QTest::addRow("list %d", index) << Picture([index] { return ListImage(index); });
    }
}

void PicturesTest::imageListEntryHasArtwork() {
    QFETCH(Picture, picture);
    CheckArtwork(picture(), QSize(16, 16));
}

void PicturesTest::outsideTheListsGivesNull_data() {
    QTest::addColumn<Picture>("picture");
    QTest::newRow("tree -1") << Picture([] { return TreeImage(-1); });
    QTest::newRow("tree 3") << Picture([] { return TreeImage(3); });
    QTest::newRow("list -1") << Picture([] { return ListImage(-1); });
    QTest::newRow("list 16") << Picture([] { return ListImage(16); });
    QTest::newRow("list INT_MAX") << Picture([] { return ListImage(INT_MAX); });
    QTest::newRow("glyph past the last")
        << Picture([] { return GlyphPixmap(static_cast<Glyph>(kGlyphCount)); });
    QTest::newRow("glyph -1") << Picture([] { return GlyphPixmap(static_cast<Glyph>(-1)); });
    QTest::newRow("scale 0") << Picture([] { return GlyphPixmap(Glyph::Carrot, 0); });
    QTest::newRow("scale -2") << Picture([] { return ListImage(1, -2); });
    QTest::newRow("scale too large to draw") << Picture([] { return TreeImage(0, 17); });
}

void PicturesTest::outsideTheListsGivesNull() {
    QFETCH(Picture, picture);
    QVERIFY(picture().isNull());
}

// The designed lists: three tree pictures and sixteen list pictures, no
// more. Two entries showing the same picture would mean a resource mapped
// twice.
void PicturesTest::everyPictureOfAListIsDifferent() {
    for (int i = 0; i < 3; ++i)
        QVERIFY(!TreeImage(i).isNull());
    QVERIFY(TreeImage(3).isNull());
    for (int i = 0; i < 16; ++i)
        QVERIFY(!ListImage(i).isNull());
    QVERIFY(ListImage(16).isNull());
    const auto checkDistinct = [](const std::function<QPixmap(int)>& entry, int count) {
        for (int a = 0; a < count; ++a) {
            for (int b = a + 1; b < count; ++b) {
                QVERIFY2(entry(a).toImage() != entry(b).toImage(),
                         qPrintable(QStringLiteral("%1 and %2").arg(a).arg(b)));
            }
        }
    };
    checkDistinct([](int i) { return TreeImage(i); }, kTreeImageCount);
    checkDistinct([](int i) { return ListImage(i); }, kListImageCount);
    checkDistinct([](int i) { return GlyphPixmap(static_cast<Glyph>(i)).scaled(32, 32); },
                  kGlyphCount);
}

void PicturesTest::secondRequestIsTheCachedPixmap() {
    QCOMPARE(GlyphPixmap(Glyph::ClockArrow).cacheKey(), GlyphPixmap(Glyph::ClockArrow).cacheKey());
    QCOMPARE(ListImage(7).cacheKey(), ListImage(7).cacheKey());
    QVERIFY(ListImage(7).cacheKey() != ListImage(7, 2).cacheKey());
}

void PicturesTest::scaledPictureKeepsItsLogicalSize() {
    const QPixmap sharp = GlyphPixmap(Glyph::QuestionDisc, 4);
    QCOMPARE(sharp.size(), QSize(128, 128));
    QCOMPARE(sharp.devicePixelRatio(), 4.0);
    QCOMPARE(sharp.deviceIndependentSize(), QSizeF(32, 32));
    CheckArtwork(TreeImage(2, 3), QSize(48, 48));
}

void PicturesTest::drawnAheadAndLazyIconsLookAsDrawnWhenAsked() {
    const auto everyPlainPicture = [] {
        std::vector<QImage> images;
        for (int i = 0; i < kGlyphCount; ++i)
            images.push_back(GlyphPixmap(static_cast<Glyph>(i)).toImage());
        for (int i = 0; i < kTreeImageCount; ++i)
            images.push_back(TreeImage(i).toImage());
        for (int i = 0; i < kListImageCount; ++i)
            images.push_back(ListImage(i).toImage());
        return images;
    };
    QPixmapCache::clear();
    const std::vector<QImage> whenAsked = everyPlainPicture();
    QPixmapCache::clear();
    sonatrix::gui::PicturesDrawnAhead ahead;
    QVERIFY(everyPlainPicture() == whenAsked);

    // A glyph button's icon, drawn when first shown, is greyed when it is
    // disabled as an icon made of the picture would be.
    for (int i = 0; i < kGlyphCount; ++i) {
        const auto glyph = static_cast<Glyph>(i);
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled})
            QCOMPARE(GlyphIcon(glyph).pixmap(GlyphSize(glyph), mode).toImage(),
                     QIcon(GlyphPixmap(glyph)).pixmap(GlyphSize(glyph), mode).toImage());
    }
}

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
