#include "engine/Languages.h"

#include "text/BrevlinError.h"
#include "text/UiText.h"

namespace brevlin {

Language& Languages::Add(const Text& name) {
    if (ItemByName(name) != nullptr)
        throw BrevlinError(errors::DuplicateName, UiText::Translate("Languages", "Name重複"));
    auto language = std::make_shared<Language>();
    language->SetName(name);
    m_items.push_back(language);
    language->SetIndex(Count());
    return *language;
}

std::shared_ptr<Language> Languages::ItemShared(int index) const {
    if (index < 1 || index > Count())
        ThrowSubscriptOutOfRange();
    return m_items[static_cast<std::size_t>(index - 1)];
}

Language& Languages::Item(int index) {
    return *ItemShared(index);
}

const Language& Languages::Item(int index) const {
    return *ItemShared(index);
}

Language* Languages::ItemByName(const Text& name) const {
    for (const auto& language : m_items) {
        if (language->Name() == name)
            return language.get();
    }
    return nullptr;
}

void Languages::Clear() {
    while (!m_items.empty())
        m_items.pop_back();
}

void Languages::Remove(int index) {
    if (index < 1 || index > Count())
        ThrowSubscriptOutOfRange();
    m_items.erase(m_items.begin() + (index - 1));
    for (int i = index; i <= Count(); ++i)
        m_items[static_cast<std::size_t>(i - 1)]->SetIndex(i);
}

} // namespace brevlin
