#include "platform/ui/drawing/qt_text.h"

#include "platform/core/codepage.h"

namespace ui {

QString toQString(std::string_view cp1252) {
    QString out(static_cast<qsizetype>(cp1252.size()), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char c : cp1252) {
        // Every Windows-1252 character lies in the basic plane.
        *dst++ = QChar(static_cast<char16_t>(
            platform::cp1252ToUnicode(static_cast<unsigned char>(c))));
    }
    return out;
}

std::string fromQString(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (const QChar ch : text) {
        const int b = platform::unicodeToCp1252(ch.unicode());
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

}  // namespace ui
