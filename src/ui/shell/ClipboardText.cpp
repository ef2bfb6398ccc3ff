#include "ui/shell/ClipboardText.h"

#include "engine/TextRoutines.h"
#include "settings/InlineStyles.h"

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

QString ClipboardText::HtmlFlavour(TextView markup, std::shared_ptr<const StyleSheet> sheet) {
    return QString::fromStdU16String(InlineStyles::Apply(std::move(sheet), markup));
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
