// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <QtGlobal>
#include <array>

// The resources live in a static library: nothing references their
// registration, so the linker would drop it unless it is called by name.
static void RegisterPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace sonatrix::gui {
namespace {

struct PictureSource {
    const char* resource;
    int width;
    int height;
};

constexpr std::array<PictureSource, kGlyphCount> kGlyphSources{{
    {":/pictures/glyphs/qq_badge.svg", 19, 18},
    {":/pictures/glyphs/page_folder_arrow.svg", 24, 24},
    {":/pictures/glyphs/record_disc.svg", 24, 24},
    {":/pictures/glyphs/magnifying_glass.svg", 24, 24},
    {":/pictures/glyphs/carrot.svg", 16, 16},
    {":/pictures/glyphs/question_disc.svg", 32, 32},
    {":/pictures/glyphs/clock_arrow.svg", 24, 24},
    {":/pictures/glyphs/clipboard.svg", 24, 24},
    {":/pictures/glyphs/teddy_bear.svg", 16, 16},
    {":/pictures/glyphs/dragon_head.svg", 16, 16},
    {":/pictures/glyphs/yellow_creature.svg", 16, 16},
    {":/pictures/glyphs/dog_face.svg", 16, 16},
    {":/pictures/glyphs/cat_face.svg", 16, 16},
}};

constexpr int kImageListSide = 16;
// Beyond this a picture is no longer a picture for a screen but a failed
// allocation.
constexpr int kLargestScale = 16;

QPixmap Render(const QString& resource, QSize size, int scale) {
    if (scale < 1 || scale > kLargestScale) {
        return {};
    }
    const QString key = QStringLiteral("sonatrix%1@%2").arg(resource).arg(scale);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) {
        return cached;
    }

    static const bool registered = (RegisterPictureResources(), true);
    Q_UNUSED(registered);
    QSvgRenderer renderer{resource};
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, image.width(), image.height()));
    }
    image.setDevicePixelRatio(scale);
    QPixmap pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

// Image list entries are named by their index: ":/pictures/list/7.svg".
QPixmap ImageListEntry(const char* list, int count, int index, int scale) {
    if (index < 0 || index >= count) {
        return {};
    }
    const QString resource = QStringLiteral(":/pictures/%1/%2.svg").arg(list).arg(index);
    return Render(resource, QSize(kImageListSide, kImageListSide), scale);
}

}  // namespace

QPixmap GlyphPixmap(Glyph glyph) {
    return GlyphPixmap(glyph, 1);
}

QPixmap GlyphPixmap(Glyph glyph, int scale) {
    const auto index = static_cast<int>(glyph);
    if (index < 0 || index >= kGlyphCount) {
        return {};
    }
    const PictureSource& source = kGlyphSources[static_cast<size_t>(index)];
    return Render(QString::fromLatin1(source.resource), QSize(source.width, source.height), scale);
}

QPixmap TreeImage(int index) {
    return TreeImage(index, 1);
}

QPixmap TreeImage(int index, int scale) {
    return ImageListEntry("tree", kTreeImageCount, index, scale);
}

QIcon TreeIcon(int index) {
    const QPixmap picture = TreeImage(index);
    QIcon icon;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Selected})
        icon.addPixmap(picture, mode);
    return icon;
}

QPixmap ListImage(int index) {
    return ListImage(index, 1);
}

QPixmap ListImage(int index, int scale) {
    return ImageListEntry("list", kListImageCount, index, scale);
}

}  // namespace sonatrix::gui
