#include "ui/options/LoadedTextValidator.h"

#include <QLineEdit>

namespace brevlin {

namespace {

// Deleting characters keeps the others in their order: `text` is a subsequence of `from`.
bool IsLeftOf(const QString& text, const QString& from) {
    qsizetype at = 0;
    for (const QChar c : text) {
        at = from.indexOf(c, at);
        if (at < 0)
            return false;
        ++at;
    }
    return true;
}

} // namespace

LoadedTextValidator::LoadedTextValidator(QLineEdit* box) : QValidator(box) {
    connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { m_shown = text; });
}

int LoadedTextValidator::MaxLengthFor(const QString& text) const {
    if (text.size() > m_limit && IsLeftOf(text, m_loaded))
        return static_cast<int>(text.size());
    return m_limit;
}

QValidator::State LoadedTextValidator::validate(QString& input, int& /*position*/) const {
    // Over the limit, only by deleting from the loaded text: a text that once fitted, or
    // was typed, cannot grow past the limit again, even with letters of the loaded one.
    if (input.size() <= m_limit || (IsLeftOf(input, m_shown) && IsLeftOf(input, m_loaded)))
        return Acceptable;
    return Invalid;
}

} // namespace brevlin
