// SPDX-License-Identifier: GPL-3.0-or-later
#include "display_text.h"

#include <QFile>
#include <QStringDecoder>

namespace sonatrix::gui {

namespace {

QString LineText(std::string_view bytes) {
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    // Only available when Qt was built with ICU.
    QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
    if (gbk.isValid()) {
        QString decoded = gbk.decode(view);
        if (!gbk.hasError())
            return decoded;
    }
    return text;
}

}  // namespace

QString DisplayText(std::string_view bytes) {
    // Line by line: a question in UTF-8 may list a file name that came as
    // GBK bytes from the disk.
    QString text;
    for (std::size_t start = 0;;) {
        const std::size_t end = bytes.find('\n', start);
        text += LineText(bytes.substr(start, end - start));
        if (end == std::string_view::npos)
            return text;
        text += QLatin1Char('\n');
        start = end + 1;
    }
}

std::string CoreBytes(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

}  // namespace sonatrix::gui
