#include "LoadedTextValidator.h"

#include <algorithm>

namespace brevlin {

LoadedTextValidator::LoadedTextValidator(QObject* parent) : QValidator(parent) {}

bool LoadedTextValidator::IsLeftOfLoaded(const QString& text) const {
    // Deleting characters keeps the others in their order: `text` is a subsequence.
    qsizetype at = 0;
    for (const QChar c : text) {
        at = m_loaded.indexOf(c, at);
        if (at < 0)
            return false;
        ++at;
    }
    return true;
}

int LoadedTextValidator::MaxLengthFor(const QString& text) const {
    if (text.size() > m_limit && IsLeftOfLoaded(text))
        return static_cast<int>(text.size());
    return m_limit;
}

QValidator::State LoadedTextValidator::validate(QString& input, int& /*position*/) const {
    return input.size() <= m_limit || IsLeftOfLoaded(input) ? Acceptable : Invalid;
}

} // namespace brevlin
