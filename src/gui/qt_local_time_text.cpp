// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_local_time_text.h"

#include <QDateTime>
#include <QLocale>

QString WithoutTimeZone(const QString& format) {
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.trimmed();
}

std::string QtLocalTimeText::Now() {
    const QLocale system = QLocale::system();
    const QString format = system.dateFormat(QLocale::ShortFormat) + " " +
                           WithoutTimeZone(system.timeFormat(QLocale::LongFormat));
    // Printed with the C locale: the same fields in the user's order, but
    // in ASCII digits whatever digits the user's script has, since only the
    // digits make the file name.
    return QLocale::c().toString(QDateTime::currentDateTime(), format).toStdString();
}
