// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QtGlobal>
#include <QtMath>
#include <array>
#include <future>
#include <map>
#include <vector>

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

void RegisterOnce() {
    static const bool registered = (RegisterPictureResources(), true);
    Q_UNUSED(registered);
}

// A null image when the resource is not a drawing.
QImage Draw(const QString& resource, QSize size, int scale) {
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
    return image;
}

// Image list entries are named by their index: ":/pictures/list/7.svg".
QString ImageListResource(const char* list, int index) {
    return QStringLiteral(":/pictures/%1/%2.svg").arg(list).arg(index);
}

QString CacheKey(const QString& resource, int scale) {
    return QStringLiteral("sonatrix%1@%2").arg(resource).arg(scale);
}

// Every picture at its plain size, drawn on another thread; taken whole by
// the first plain picture asked for.
using Drawings = std::map<QString, QImage>;
std::future<Drawings>& PlainDrawingsAhead() {
    static std::future<Drawings> ahead;
    return ahead;
}

Drawings DrawPlainPictures() {
    Drawings drawn;
    for (const PictureSource& source : kGlyphSources) {
        const QString resource = QString::fromLatin1(source.resource);
        drawn[resource] = Draw(resource, {source.width, source.height}, 1);
    }
    for (const auto& [list, count] :
         {std::pair{"tree", kTreeImageCount}, {"list", kListImageCount}})
        for (int i = 0; i < count; ++i)
            drawn[ImageListResource(list, i)] =
                Draw(ImageListResource(list, i), {kImageListSide, kImageListSide}, 1);
    return drawn;
}

QPixmap Render(const QString& resource, QSize size, int scale) {
    if (scale < 1 || scale > kLargestScale) {
        return {};
    }
    QPixmap cached;
    if (QPixmapCache::find(CacheKey(resource, scale), &cached)) {
        return cached;
    }
    if (scale == 1 && PlainDrawingsAhead().valid()) {
        for (const auto& [drawn, image] : PlainDrawingsAhead().get())
            if (!image.isNull())
                QPixmapCache::insert(CacheKey(drawn, 1), QPixmap::fromImage(image));
        if (QPixmapCache::find(CacheKey(resource, scale), &cached)) {
            return cached;
        }
    }

    RegisterOnce();
    const QImage image = Draw(resource, size, scale);
    if (image.isNull()) {
        return {};
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(CacheKey(resource, scale), pixmap);
    return pixmap;
}

QPixmap ImageListEntry(const char* list, int count, int index, int scale) {
    if (index < 0 || index >= count) {
        return {};
    }
    return Render(ImageListResource(list, index), QSize(kImageListSide, kImageListSide), scale);
}

// Draws its glyph when it is first painted, at the screen's scale, greyed
// as the style greys any disabled picture: the main window is built before
// its pictures are needed.
class GlyphIconEngine : public QIconEngine {
  public:
    explicit GlyphIconEngine(Glyph glyph) : glyph_(glyph) {}

    QIconEngine* clone() const override { return new GlyphIconEngine(glyph_); }
    QSize actualSize(const QSize&, QIcon::Mode, QIcon::State) override { return GlyphSize(glyph_); }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1);
    }
    QPixmap scaledPixmap(const QSize&, QIcon::Mode mode, QIcon::State, qreal scale) override {
        QPixmap picture = GlyphPixmap(glyph_, qCeil(scale));
        if (mode == QIcon::Disabled && !picture.isNull()) {
            QStyleOption option;
            option.palette = QApplication::palette();
            picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        }
        return picture;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(
            rect, scaledPixmap(rect.size(), mode, state, painter->device()->devicePixelRatio()));
    }

  private:
    Glyph glyph_;
};

}  // namespace

PicturesDrawnAhead::PicturesDrawnAhead() {
    RegisterOnce();
    PlainDrawingsAhead() = std::async(std::launch::async, DrawPlainPictures);
}

PicturesDrawnAhead::~PicturesDrawnAhead() {
    // Not left drawing while the application goes.
    if (PlainDrawingsAhead().valid())
        PlainDrawingsAhead() = {};
}

QSize GlyphSize(Glyph glyph) {
    const auto index = static_cast<int>(glyph);
    if (index < 0 || index >= kGlyphCount) {
        return {};
    }
    const PictureSource& source = kGlyphSources[static_cast<size_t>(index)];
    return {source.width, source.height};
}

QIcon GlyphIcon(Glyph glyph) {
    return QIcon(new GlyphIconEngine(glyph));
}

QPixmap GlyphPixmap(Glyph glyph) {
    return GlyphPixmap(glyph, 1);
}

QPixmap GlyphPixmap(Glyph glyph, int scale) {
    const auto index = static_cast<int>(glyph);
    if (index < 0 || index >= kGlyphCount) {
        return {};
    }
    return Render(QString::fromLatin1(kGlyphSources[static_cast<size_t>(index)].resource),
                  GlyphSize(glyph), scale);
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
