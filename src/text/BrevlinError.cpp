#include "text/BrevlinError.h"

#include "text/UiText.h"

namespace brevlin {

void ThrowSubscriptOutOfRange() {
    throw BrevlinError(errors::SubscriptOutOfRange,
                       UiText::Translate("Text", "インデックスが有効範囲にありません。"));
}

} // namespace brevlin
