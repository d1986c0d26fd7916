// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include "bundled_font.h"

namespace sonatrix::gui {
namespace {

const QStringList& SongtiNames() {
    static const QStringList names = {QStringLiteral("宋体"), QStringLiteral("SimSun")};
    return names;
}

int CALLBACK FoundOne(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Asked of the system itself: no QApplication, so no font database, yet.
bool SystemHasSongti() {
    HDC screen = GetDC(nullptr);
    bool found = false;
    for (const QString& name : SongtiNames()) {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        const std::wstring face = name.toStdWString();
        if (face.size() >= LF_FACESIZE)
            continue;
        face.copy(wanted.lfFaceName, face.size());
        EnumFontFamiliesExW(screen, &wanted, FoundOne, reinterpret_cast<LPARAM>(&found), 0);
        if (found)
            break;
    }
    ReleaseDC(nullptr, screen);
    return found;
}

}  // namespace

void ChooseTextRasteriser() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || SystemHasSongti())
        return;
    qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
}

QString UseBundledFontWhereSongtiIsMissing(const QString& appDir) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : SongtiNames())
        if (installed.contains(family, Qt::CaseInsensitive))
            return {};
    const QDir fonts(QDir(appDir).filePath(QStringLiteral("fonts")));
    for (const QString& file : fonts.entryList({"*.ttf", "*.ttc", "*.otf"}, QDir::Files)) {
        const int id = QFontDatabase::addApplicationFont(fonts.filePath(file));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty())
            continue;
        // Qt tries a family's substitutes when no family of the font's list
        // is installed.
        for (const QString& family : SongtiNames())
            QFont::insertSubstitution(family, families.first());
        return families.first();
    }
    return {};
}

QFont::HintingPreference WindowFontHinting() {
    // Another preference would move the text to DirectWrite, with other
    // metrics than the GDI ones the windows were laid out for.
    return QFont::PreferDefaultHinting;
}

}  // namespace sonatrix::gui
