#include "settle/BetMemo.h"

#include <QStringDecoder>

#include "racedata/Cp932.h"

QString DecodeMemoFile(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    // UTF-16 by its byte-order mark (Notepad's "Unicode"), either byte order.
    if (view.startsWith("\xFF\xFE") || view.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(view.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                         : QStringDecoder::Utf16BE);
        return utf16.decode(view.sliced(2));
    }
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
