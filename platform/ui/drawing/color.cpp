#include "platform/ui/drawing/color.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace ui {
namespace {

struct SystemColor {
    TColor classic;  // the classic desktop scheme, 0x00BBGGRR
    int role;        // QPalette::ColorRole, or -1 for none
    bool inactive;   // take the role from the inactive group
};

// Indexes 0..24 of the system colours.
constexpr int kNoRole = -1;
constexpr std::array<SystemColor, 25> kSystemColors = {{
    {0xC8C8C8, QPalette::Button, false},          // scroll bar
    {0x000000, QPalette::Dark, false},            // desktop background
    {0x6A240A, QPalette::Highlight, false},       // active caption
    {0x808080, QPalette::Mid, false},             // inactive caption
    {0xFFFFFF, QPalette::Base, false},            // menu
    {0xFFFFFF, QPalette::Base, false},            // window
    {0x000000, QPalette::Shadow, false},          // window frame
    {0x000000, QPalette::Text, false},            // menu text
    {0x000000, QPalette::Text, false},            // window text
    {0xFFFFFF, QPalette::HighlightedText, false}, // caption text
    {0xD8E9EC, QPalette::Button, false},          // active border
    {0xD8E9EC, QPalette::Button, true},           // inactive border
    {0x808080, QPalette::Mid, false},             // application workspace
    {0x6A240A, QPalette::Highlight, false},       // highlight
    {0xFFFFFF, QPalette::HighlightedText, false}, // highlight text
    {0xD8E9EC, QPalette::Button, false},          // button face
    {0x99A8AC, QPalette::Dark, false},            // button shadow
    {0x808080, QPalette::PlaceholderText, false}, // grey text
    {0x000000, QPalette::ButtonText, false},      // button text
    {0xD8E9EC, QPalette::Text, true},             // inactive caption text
    {0xFFFFFF, QPalette::Light, false},           // button highlight
    {0x646F71, QPalette::Shadow, false},          // 3D dark shadow
    {0xD8E9EC, QPalette::Midlight, false},        // 3D light
    {0x000000, QPalette::ToolTipText, false},     // info text
    {0xE1FFFF, QPalette::ToolTipBase, false},     // info background
}};

QColor fromPlain(TColor c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

}  // namespace

QColor toQColor(TColor color) {
    if (color == clNone || color == clDefault) return QColor(Qt::transparent);
    if ((color & kSystemColorFlag) == 0) return fromPlain(color & 0xFFFFFF);
    const TColor index = color & 0xFF;
    if ((color & 0x7FFFFF00) != 0 || index >= kSystemColors.size()) return QColor(Qt::black);
    const SystemColor& s = kSystemColors[index];
    if (s.role != kNoRole && qGuiApp != nullptr) {
        const QPalette palette = QGuiApplication::palette();
        return palette.color(s.inactive ? QPalette::Inactive : QPalette::Active,
                             static_cast<QPalette::ColorRole>(s.role));
    }
    return fromPlain(s.classic);
}

TColor toPlainColor(TColor color) {
    if ((color & kSystemColorFlag) == 0) return color;
    return fromQColor(toQColor(color));
}

TColor fromQColor(const QColor& color) { return rgb(color.red(), color.green(), color.blue()); }

TColor fromQRgb(unsigned int argb) {
    return rgb(static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
               static_cast<int>(argb & 0xFF));
}

}  // namespace ui
