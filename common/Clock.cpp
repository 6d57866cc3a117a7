#include "common/Clock.h"

namespace {
std::function<QDateTime()>& clockOverride() {
    static std::function<QDateTime()> instance;
    return instance;
}
}  // namespace

QDateTime Now() { return clockOverride() ? clockOverride()() : QDateTime::currentDateTime(); }

void SetClock(std::function<QDateTime()> c) { clockOverride() = std::move(c); }

QString GeneralDateTime(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
}
