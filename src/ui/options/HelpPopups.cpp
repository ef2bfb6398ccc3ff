#include "ui/options/HelpPopups.h"

#include <QFile>
#include <QStringList>

namespace brevlin {

HelpPopups::HelpPopups(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        *this = Parse(QString::fromUtf8(file.readAll()));
}

HelpPopups HelpPopups::Parse(const QString& content) {
    HelpPopups popups;
    int current = 0;
    bool inTopic = false;
    QStringList lines;
    const auto finish = [&]() {
        if (!inTopic)
            return;
        while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
            lines.removeLast();
        while (!lines.isEmpty() && lines.front().trimmed().isEmpty())
            lines.removeFirst();
        popups.m_texts.insert(current, lines.join(QLatin1Char('\n')));
        lines.clear();
    };
    for (QString line : content.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QStringLiteral(".topic"))) {
            finish();
            bool ok = false;
            current = line.mid(6).trimmed().toInt(&ok);
            inTopic = ok; // a topic without a number is skipped whole
            continue;
        }
        if (inTopic)
            lines.append(line);
    }
    finish();
    return popups;
}

} // namespace brevlin
