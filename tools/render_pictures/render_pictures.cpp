// SPDX-License-Identifier: GPL-3.0-or-later
// Usage: sonatrix_render_pictures OUT.png [NAME-PATTERN]
// One row per picture: as the window shows it, the same pixels blown up four
// times (what the eye gets at 16 x 16), and the drawing at four times.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QString>
#include <cstdio>
#include <vector>

#include "pictures.h"

namespace {

struct Entry {
    QString name;
    QPixmap plain;
    QPixmap sharp;
};

std::vector<Entry> AllPictures() {
    using namespace sonatrix::gui;
    static const char* const kGlyphNames[kGlyphCount] = {
        "QQBadge",        "PageFolderArrow", "RecordDisc", "MagnifyingGlass", "Carrot",
        "QuestionDisc",   "ClockArrow",      "Clipboard",  "TeddyBear",       "DragonHead",
        "YellowCreature", "DogFace",         "CatFace"};
    std::vector<Entry> entries;
    for (int i = 0; i < kGlyphCount; ++i) {
        const auto glyph = static_cast<Glyph>(i);
        entries.push_back({kGlyphNames[i], GlyphPixmap(glyph), GlyphPixmap(glyph, 4)});
    }
    for (int i = 0; i < kTreeImageCount; ++i) {
        entries.push_back({QStringLiteral("ImageList1 %1").arg(i), TreeImage(i), TreeImage(i, 4)});
    }
    for (int i = 0; i < kListImageCount; ++i) {
        entries.push_back({QStringLiteral("ImageList2 %1").arg(i), ListImage(i), ListImage(i, 4)});
    }
    return entries;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUT.png [NAME-PATTERN]\n", argv[0]);
        return 2;
    }
    // An optional pattern keeps only the pictures whose name matches it.
    std::vector<Entry> entries = AllPictures();
    if (argc == 3) {
        const QRegularExpression pattern(QString::fromLocal8Bit(argv[2]));
        std::erase_if(entries,
                      [&](const Entry& entry) { return !pattern.match(entry.name).hasMatch(); });
    }
    constexpr int kCell = 136;
    constexpr int kColumns = 4;
    const int rows = (static_cast<int>(entries.size()) + kColumns - 1) / kColumns;
    const int width = kColumns * (kCell * 2 + 40 + 24);
    QImage sheet(width, rows * (kCell + 24), QImage::Format_ARGB32);
    sheet.fill(QColor(0xd4, 0xd0, 0xc8));
    QPainter painter(&sheet);
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        const int x = static_cast<int>(i % kColumns) * (kCell * 2 + 40 + 24) + 4;
        const int y = static_cast<int>(i / kColumns) * (kCell + 24) + 4;
        painter.drawText(x, y + 12, entry.name);
        painter.drawPixmap(x, y + 20, entry.plain);
        const QImage blown = entry.plain.toImage().scaled(
            entry.plain.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        painter.drawImage(x + 40, y + 20, blown);
        QImage sharp = entry.sharp.toImage();
        sharp.setDevicePixelRatio(1);
        painter.drawImage(x + 40 + kCell, y + 20, sharp);
    }
    painter.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
