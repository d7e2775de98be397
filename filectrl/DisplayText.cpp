#include "filectrl/DisplayText.h"

#include <QStringDecoder>

QString DisplayText(std::string_view bytes) {
    // Qt's decoder already puts U+FFFD for every byte it cannot take.
    QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QChar::ReplacementCharacter;
    return text;
}
