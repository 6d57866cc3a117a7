#include "common/Module.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <map>
#include <memory>
#include <string>

QFunctionPointer ModuleSymbol(const char* module, const char* symbol, QString* error) {
    static std::map<std::string, std::unique_ptr<QLibrary>> loaded;
    std::unique_ptr<QLibrary>& library = loaded[module];
    if (!library) {
        library = std::make_unique<QLibrary>(
            QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(module)));
    }
    QFunctionPointer entry = library->load() ? library->resolve(symbol) : nullptr;
    if (!entry && error) *error = library->errorString();
    return entry;
}
