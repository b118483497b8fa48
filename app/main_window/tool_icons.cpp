#include "app/main_window/tool_icons.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <map>

#include "app/main_window/sheet_bitmaps.h"

namespace app {
namespace {

constexpr int kSize = 16;

QPixmap leer() {
    QPixmap p(kSize, kSize);
    p.fill(Qt::transparent);
    return p;
}

// A short bold text in a thin frame.
QIcon textBild(const QString& text, const QColor& farbe) {
    QPixmap p = leer();
    QPainter g(&p);
    g.setRenderHint(QPainter::TextAntialiasing);
    g.setPen(QColor(0x60, 0x60, 0x60));
    g.drawRect(0, 0, kSize - 1, kSize - 1);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(text.size() > 1 ? 8 : 11);
    f.setBold(true);
    g.setFont(f);
    g.setPen(farbe);
    g.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
    return QIcon(p);
}

// The private car: a body, a cabin and two wheels.
QIcon autoBild() {
    QPixmap p = leer();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0x1d, 0x6f, 0xb8));
    g.drawRect(1, 7, 14, 4);
    g.drawRect(4, 4, 7, 4);
    g.setBrush(QColor(0x30, 0x30, 0x30));
    g.drawEllipse(QRectF(2.5, 9.5, 4, 4));
    g.drawEllipse(QRectF(9.5, 9.5, 4, 4));
    return QIcon(p);
}

// The sheet's own glyph of a line kind, centred.
QIcon artBild(char art, const QImage& strip) {
    QPixmap p = leer();
    QPainter g(&p);
    g.setPen(QColor(0x60, 0x60, 0x60));
    g.drawRect(0, 0, kSize - 1, kSize - 1);
    if (!strip.isNull()) g.drawImage(QPoint(4, 1), strip, QRect(glyphOffset(art), 0, 8, 14));
    return QIcon(p);
}

}  // namespace

void setzeIconThema() { QIcon::setFallbackThemeName(QStringLiteral("breeze")); }

QIcon werkzeugBild(const std::string& command, const QImage& artGlyphen) {
    static const std::map<std::string, const char*> themen = {
        {"NeuSeite", "document-new"},     {"Laden", "document-open"},
        {"Speichern", "document-save"},   {"ToolButton10", "document-print"},
        {"Anmelden", "user-identity"},    {"Abmelden", "system-log-out"},
        {"Bilanz", "view-statistics"},    {"Loeschen", "edit-delete"},
        {"ToolButton22", "go-jump-today"}, {"ToolButton7", "go-previous"},
        {"ToolButton9", "go-next"},       {"ADA", "insert-text"},
        {"ToolButton20", "help-contents"},
    };
    static const std::map<std::string, char> arten = {
        {"Extra_Kronlauf", '!'}, {"Freizeitausgleich", '-'}, {"UeStundenKonto", '+'},
        {"AZVerlagern", 'V'},    {"Mehrarbeit", 'M'},
    };
    if (auto a = arten.find(command); a != arten.end()) return artBild(a->second, artGlyphen);
    if (command == "PKW_Berechnung") return autoBild();
    if (command == "ZAutomatik") return textBild(QStringLiteral("A"), QColor(0x00, 0x60, 0x00));
    if (command == "ZHand") return textBild(QStringLiteral("H"), QColor(0x00, 0x60, 0x00));
    if (auto t = themen.find(command); t != themen.end()) {
        const QIcon thema = QIcon::fromTheme(QString::fromLatin1(t->second));
        if (!thema.isNull()) return thema;
    }
    // No theme at all: the first letters of the command say what it is.
    static const std::map<std::string, const char*> notfall = {
        {"NeuSeite", "N"},      {"Laden", "L"},        {"Speichern", "S"},
        {"ToolButton10", "Dr"}, {"Anmelden", "An"},    {"Abmelden", "Ab"},
        {"Bilanz", "J"},        {"Loeschen", "X"},     {"ToolButton22", "H"},
        {"ToolButton7", "<"},   {"ToolButton9", ">"},  {"ADA", "T"},
        {"ToolButton20", "?"},
    };
    auto n = notfall.find(command);
    return textBild(QString::fromLatin1(n != notfall.end() ? n->second : "?"), Qt::black);
}

}  // namespace app
