#include "pictures.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <QtGlobal>
#include <array>

// The resources live in a static library: nothing references their
// registration, so the linker would drop it unless it is called by name.
static void RegisterPictureResources() { Q_INIT_RESOURCE(pictures); }

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

constexpr std::array<const char*, kTreeImageCount> kTreeSources{{
    ":/pictures/tree/0.svg",
    ":/pictures/tree/1.svg",
    ":/pictures/tree/2.svg",
}};

constexpr std::array<const char*, kListImageCount> kListSources{{
    ":/pictures/list/0.svg",  ":/pictures/list/1.svg",  ":/pictures/list/2.svg",
    ":/pictures/list/3.svg",  ":/pictures/list/4.svg",  ":/pictures/list/5.svg",
    ":/pictures/list/6.svg",  ":/pictures/list/7.svg",  ":/pictures/list/8.svg",
    ":/pictures/list/9.svg",  ":/pictures/list/10.svg", ":/pictures/list/11.svg",
    ":/pictures/list/12.svg", ":/pictures/list/13.svg", ":/pictures/list/14.svg",
    ":/pictures/list/15.svg",
}};

constexpr int kImageListSide = 16;

QPixmap Render(const PictureSource& source, int scale) {
    if (scale < 1) {
        return {};
    }
    const QString key = QStringLiteral("sonatrix/%1@%2").arg(source.resource).arg(scale);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) {
        return cached;
    }

    static const bool registered = (RegisterPictureResources(), true);
    Q_UNUSED(registered);
    QSvgRenderer renderer{QString::fromLatin1(source.resource)};
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(source.width * scale, source.height * scale,
                 QImage::Format_ARGB32_Premultiplied);
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

template <typename Sources>
QPixmap ImageListEntry(const Sources& sources, int index, int scale) {
    if (index < 0 || index >= static_cast<int>(sources.size())) {
        return {};
    }
    return Render({sources[static_cast<size_t>(index)], kImageListSide, kImageListSide}, scale);
}

}  // namespace

QPixmap GlyphPixmap(Glyph glyph) { return GlyphPixmap(glyph, 1); }

QPixmap GlyphPixmap(Glyph glyph, int scale) {
    const auto index = static_cast<int>(glyph);
    if (index < 0 || index >= kGlyphCount) {
        return {};
    }
    return Render(kGlyphSources[static_cast<size_t>(index)], scale);
}

QPixmap TreeImage(int index) { return TreeImage(index, 1); }

QPixmap TreeImage(int index, int scale) { return ImageListEntry(kTreeSources, index, scale); }

QPixmap ListImage(int index) { return ListImage(index, 1); }

QPixmap ListImage(int index, int scale) { return ImageListEntry(kListSources, index, scale); }

}  // namespace sonatrix::gui
