#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace brevlin {

// The character limit of a rule editor's box, for what the user types: a text within the
// limit is accepted, and so is a text loaded longer than it (from a language file or the
// store) and what remains of that text as characters are deleted from it. Nothing can be
// added to such a text until it fits the limit, and what is typed afresh keeps to it.
class LoadedTextValidator : public QValidator {
    Q_OBJECT
public:
    // Validates `box` and follows what it shows.
    explicit LoadedTextValidator(QLineEdit* box);

    void SetLoaded(const QString& text) { m_loaded = text; }
    void SetLimit(int limit) { m_limit = limit; }
    int Limit() const { return m_limit; }
    // The box's MaxLength for `text`: the limit, or the length of `text` when it is the
    // loaded one or a part of it left by deleting.
    int MaxLengthFor(const QString& text) const;

    State validate(QString& input, int& position) const override;

private:
    QString m_loaded;
    // The box's text before the edit being validated.
    QString m_shown;
    int m_limit = 0;
};

} // namespace brevlin
