#pragma once

#include <QHash>
#include <QString>

namespace brevlin {

// The context help texts by help ID, read from a pop-up text file:
//
//   .topic 1000
//   text of the pop-up, one or more lines
//
// Lines before the first ".topic" and blank lines around a text are ignored; a missing or
// unreadable file gives no texts.
class HelpPopups {
public:
    HelpPopups() = default;
    explicit HelpPopups(const QString& path);

    static HelpPopups Parse(const QString& content);

    // The text for the ID; empty when the file has none.
    QString Text(int helpId) const { return m_texts.value(helpId); }
    qsizetype Count() const { return m_texts.size(); }

private:
    QHash<int, QString> m_texts;
};

} // namespace brevlin
