#include "ClipboardUndo.h"

#include <QClipboard>
#include <QMimeData>

namespace brevlin::shell {

ClipboardUndo::Content ClipboardUndo::Content::Of(const QMimeData* data) {
    Content content;
    if (data == nullptr)
        return content;
    content.text = data->text();
    content.hasHtml = data->hasHtml();
    if (content.hasHtml)
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
    const bool applies = Available(clipboard);
    m_kept = false;
    if (!applies)
        return false;
    auto* data = new QMimeData;
    data->setText(m_before.text);
    if (m_before.hasHtml)
        data->setHtml(m_before.html);
    clipboard.setMimeData(data, QClipboard::Clipboard);
    return clipboard.ownsClipboard() || clipboard.text(QClipboard::Clipboard) == m_before.text;
}

} // namespace brevlin::shell
