#pragma once

#include "engine/Languages.h"

class QWidget;

namespace brevlin {

// What the handlers of the options dialog share: the live languages and the page shown.
struct OptionsContext {
    Languages& languages;
    QWidget* form;
    // -1 before the first page switch, 0 for the general page, k for language k.
    int lCurrentIndex = -1;

    Language& Current() { return languages.Item(lCurrentIndex); }
    bool ShowsLanguage() const { return lCurrentIndex >= 1 && lCurrentIndex <= languages.Count(); }
};

} // namespace brevlin
