#include "common/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace {

std::unique_ptr<QTranslator>& installed() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

}  // namespace

bool InstallToolkitTranslations(const QLocale& locale) {
    RemoveToolkitTranslations();
    auto translator = std::make_unique<QTranslator>();
    // qtbase_<lang>.qm holds every dialog and button text of the widgets module.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    if (!QCoreApplication::installTranslator(translator.get())) return false;
    installed() = std::move(translator);
    return true;
}

void RemoveToolkitTranslations() {
    if (!installed()) return;
    QCoreApplication::removeTranslator(installed().get());
    installed().reset();
}
