// SPDX-License-Identifier: GPL-3.0-or-later
// The program's pictures: the glyph buttons' pictures and the two image
// lists, drawn from the vector sources in data/icons.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace sonatrix::gui {

enum class Glyph {
    QQBadge,          // SpeedButton3, 19 x 18: a circular badge with the letters QQ
    PageFolderArrow,  // SpeedButton13, 24 x 24: a page and a folder with a green arrow
    RecordDisc,       // SpeedButton2, 24 x 24: a blue record disc
    MagnifyingGlass,  // SpeedButton1, 24 x 24
    Carrot,           // SpeedButton6, 16 x 16: a small orange carrot with green leaves
    QuestionDisc,     // SpeedButton9, 32 x 32: a blue disc with a question mark
    ClockArrow,       // SpeedButton14/15/16/4, 24 x 24: a green curved arrow over a clock face
    Clipboard,        // SpeedButton12, 24 x 24: a clipboard with a page
    TeddyBear,        // SpeedButton5, 16 x 16: a yellow teddy bear
    DragonHead,       // SpeedButton7, 16 x 16: a green dragon's head
    YellowCreature,   // SpeedButton8, 16 x 16: a yellow cartoon creature's face
    DogFace,          // SpeedButton10, 16 x 16: a cartoon dog's face
    CatFace,          // SpeedButton11, 16 x 16: a black-and-white cat's face
};

inline constexpr int kGlyphCount = 13;

// The glyph at the size the window shows it.
// While it lives, every picture is drawn at its plain size on another
// thread, so that the main window finds them drawn when it is first
// painted; the first plain picture asked for takes them all. Without one,
// each picture is drawn when first asked for. One at a time, made after
// the application and gone before it.
class PicturesDrawnAhead {
  public:
    PicturesDrawnAhead();
    ~PicturesDrawnAhead();  // waits for the drawing to end
    PicturesDrawnAhead(const PicturesDrawnAhead&) = delete;
    PicturesDrawnAhead& operator=(const PicturesDrawnAhead&) = delete;
};

QPixmap GlyphPixmap(Glyph glyph);
// The glyph's size in the window, in device-independent pixels.
QSize GlyphSize(Glyph glyph);
// An icon that draws the glyph only when it is first shown.
QIcon GlyphIcon(Glyph glyph);

// ImageList1, the library tree's node pictures (16 x 16): 0 a folder with a
// picture on it, 1 a plain folder, 2 a gold loudspeaker.
QPixmap TreeImage(int index);
inline constexpr int kTreeImageCount = 3;

// TreeImage as a node's icon: the same picture whether or not the node is
// selected (without a picture of its own for the selected mode, the style
// would tint it with the highlight colour).
QIcon TreeIcon(int index);

// ImageList2, the target list's icons (16 x 16), sixteen images: 1 a penguin
// with a red scarf, 2 a penguin with a red crest, 3 a multicoloured
// butterfly-like figure, 4 a blue loudspeaker, 6 a blue mobile phone, 7 a red
// desk telephone with ringing rays, 9 an envelope with a red and yellow flash.
QPixmap ListImage(int index);
inline constexpr int kListImageCount = 16;

// The same pictures drawn with `scale` device pixels per pixel, for dense
// screens: the pixmap's device pixel ratio is `scale`, so it keeps the
// logical size above. A scale outside 1 to 16 gives a null pixmap.
QPixmap GlyphPixmap(Glyph glyph, int scale);
QPixmap TreeImage(int index, int scale);
QPixmap ListImage(int index, int scale);

}  // namespace sonatrix::gui
