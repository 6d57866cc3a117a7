#pragma once

#include <QLocale>

// Loads the toolkit's own translations (the buttons, file, print and message
// dialogs that Qt draws) for the given locale, so that a Japanese desktop gets
// はい/いいえ instead of Yes/No. ZEM's own texts are Japanese already and are not
// translated. Returns whether a translation was found and installed; a locale
// the toolkit has no translation for (English, say) leaves Qt's own texts.
bool InstallToolkitTranslations(const QLocale& locale = QLocale::system());

// Removes what InstallToolkitTranslations installed (for tests that switch locales).
void RemoveToolkitTranslations();
