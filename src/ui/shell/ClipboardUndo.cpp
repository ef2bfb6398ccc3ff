#include "ui/shell/ClipboardUndo.h"

#include "ui/shell/ClipboardText.h"

#include <QClipboard>
#include <QMimeData>

namespace brevlin::shell {

ClipboardUndo::Content ClipboardUndo::Content::Of(const QMimeData* data) {
    Content content;
    if (data == nullptr)
        return content;
    content.text = data->text();
    if (data->hasHtml())
        content.html = data->html();
    return content;
}

void ClipboardUndo::Converted(Content before, const QString& result) {
    m_before = std::move(before);
    m_result = result;
    m_kept = true;
}

bool ClipboardUndo::Available(const QClipboard& clipboard) const {
    return m_kept && clipboard.text(QClipboard::Clipboard) == m_result;
}

bool ClipboardUndo::Restore(QClipboard& clipboard) {
    m_kept = false;
    return ClipboardText::Replace(clipboard, m_before.text, m_before.html);
}

} // namespace brevlin::shell
