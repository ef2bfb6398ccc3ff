#include "ClipboardText.h"

#include "engine/TextRoutines.h"

#include <QClipboard>
#include <QMimeData>

namespace brevlin::shell {

Text ClipboardText::ToEngine(const QString& text) {
    return ToCrLf(TextView(reinterpret_cast<const char16_t*>(text.utf16()),
                           static_cast<std::size_t>(text.size())));
}

QString ClipboardText::FromEngine(TextView text) {
    return QString::fromStdU16String(ToLf(text));
}

QString ClipboardText::HtmlFlavour(const QString& markup) {
    // Receivers read text/html as UTF-8 only when told.
    return QStringLiteral("<meta charset=\"utf-8\"><pre>") + markup + QStringLiteral("</pre>");
}

bool ClipboardText::Replace(QClipboard& clipboard, const QString& text,
                            const std::optional<QString>& html) {
    clipboard.clear(QClipboard::Clipboard);
    if (html) {
        auto* data = new QMimeData;
        data->setText(text);
        data->setHtml(*html);
        clipboard.setMimeData(data, QClipboard::Clipboard);
    } else {
        clipboard.setText(text, QClipboard::Clipboard);
    }
    // Owning the clipboard is asked of the X server; platforms that cannot tell are asked
    // for the text itself.
    return clipboard.ownsClipboard() || clipboard.text(QClipboard::Clipboard) == text;
}

} // namespace brevlin::shell
