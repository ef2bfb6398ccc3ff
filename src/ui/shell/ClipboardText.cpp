#include "ClipboardText.h"

#include "engine/TextRoutines.h"

#include <QClipboard>

namespace brevlin::shell {

Text ClipboardText::ToEngine(const QString& text) {
    return ToCrLf(TextView(reinterpret_cast<const char16_t*>(text.utf16()),
                           static_cast<std::size_t>(text.size())));
}

QString ClipboardText::FromEngine(TextView text) {
    return QString::fromStdU16String(ToLf(text));
}

bool ClipboardText::Replace(QClipboard& clipboard, const QString& text) {
    clipboard.clear(QClipboard::Clipboard);
    clipboard.setText(text, QClipboard::Clipboard);
    // Owning the clipboard is asked of the X server; platforms that cannot tell are asked
    // for the text itself.
    return clipboard.ownsClipboard() || clipboard.text(QClipboard::Clipboard) == text;
}

} // namespace brevlin::shell
