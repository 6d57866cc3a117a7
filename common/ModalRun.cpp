#include "common/ModalRun.h"

#include <QDialog>

namespace {
ModalRunner& runner() {
    static ModalRunner instance;
    return instance;
}
}  // namespace

int RunModal(QDialog& dialog) {
    if (runner()) return runner()(dialog);
    return dialog.exec();
}

void SetModalRunner(ModalRunner r) { runner() = std::move(r); }
