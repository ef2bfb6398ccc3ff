#include "ClipboardText.h"

namespace brevlin::shell {

Text ClipboardText::ToEngine(const QString& text) {
    Text result;
    result.reserve(static_cast<std::size_t>(text.size()) +
                   static_cast<std::size_t>(text.count(u'\n')));
    char16_t previous = 0;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'\n' && previous != u'\r')
            result += u'\r';
        result += unit;
        previous = unit;
    }
    return result;
}

QString ClipboardText::FromEngine(TextView text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        result += QChar(text[i]);
    }
    return result;
}

} // namespace brevlin::shell
