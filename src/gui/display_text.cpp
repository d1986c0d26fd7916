#include "display_text.h"

#include <QFile>
#include <QStringDecoder>

namespace sonatrix::gui {

QString DisplayText(std::string_view bytes) {
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

std::string CoreBytes(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

}  // namespace sonatrix::gui
