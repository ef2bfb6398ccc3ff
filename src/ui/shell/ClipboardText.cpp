#include "ClipboardText.h"

#include "engine/TextRoutines.h"

namespace brevlin::shell {

Text ClipboardText::ToEngine(const QString& text) {
    return ToCrLf(TextView(reinterpret_cast<const char16_t*>(text.utf16()),
                           static_cast<std::size_t>(text.size())));
}

QString ClipboardText::FromEngine(TextView text) {
    return QString::fromStdU16String(ToLf(text));
}

} // namespace brevlin::shell
