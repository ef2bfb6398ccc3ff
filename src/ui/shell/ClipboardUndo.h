#pragma once

#include <QString>

#include <optional>

class QClipboard;
class QMimeData;

namespace brevlin::shell {

// Undo of the last conversion: what the clipboard held before it (its text and, where there
// was one, its HTML) and what the conversion put there. The undo is offered while the
// clipboard still holds that result; once something else was copied it no longer applies.
class ClipboardUndo {
public:
    struct Content {
        QString text;
        std::optional<QString> html;
        static Content Of(const QMimeData* data);
    };

    // A conversion replaced `before` with `result`.
    void Converted(Content before, const QString& result);
    bool Available(const QClipboard& clipboard) const;
    // Puts the earlier content back, once Available said the undo applies; false when the
    // clipboard did not take it. The undo is used up either way.
    bool Restore(QClipboard& clipboard);

private:
    bool m_kept = false;
    Content m_before;
    QString m_result;
};

} // namespace brevlin::shell
