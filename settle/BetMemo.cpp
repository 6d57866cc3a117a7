#include "settle/BetMemo.h"

#include <QStringDecoder>

#include "racedata/Cp932.h"

QString DecodeMemoFile(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(view);
        if (!utf8.hasError()) return text;
    }
    {
        const QString text = DecodeCp932(view);
        if (!text.contains(QChar(QChar::ReplacementCharacter))) return text;
    }
    QStringDecoder system(QStringDecoder::System);
    return system.decode(view);
}
