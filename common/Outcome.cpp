#include "common/Outcome.h"

QString OutcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::Hit:
            return QStringLiteral("的中");
        case Outcome::Miss:
            return QStringLiteral("不的中");
        case Outcome::Refund:
            return QStringLiteral("返還");
        case Outcome::Pending:
            return QStringLiteral("未確定");
        case Outcome::PayoutUnknown:
            return QStringLiteral("払戻不明");
    }
    return QString();
}
