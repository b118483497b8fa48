#include "platform/ui/drawing/font_mapping.h"

#include <QFontMetrics>
#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "platform/ui/drawing/qt_text.h"

namespace ui {
namespace {

struct FamilyMapping {
    std::string_view from;
    const char* to;
};

constexpr std::array<FamilyMapping, 6> kFamilies = {{
    {"ms sans serif", "Liberation Sans"},
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
    {"times new roman", "Liberation Serif"},
}};

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

}  // namespace

QString mapFontFamily(std::string_view name) {
    if (name.empty()) return QStringLiteral("Liberation Sans");
    const std::string key = lower(name);
    for (const FamilyMapping& m : kFamilies) {
        if (key == m.from) return QString::fromLatin1(m.to);
    }
    return toQString(name);
}

QFont toQFont(const Font& font, int pixelsPerInch) {
    QFont f(mapFontFamily(font.name));
    f.setStyleStrategy(QFont::PreferMatch);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    f.setKerning(false);
    const int height = font.height(pixelsPerInch);
    if (height < 0) {
        f.setPixelSize(-height);
    } else if (height > 0) {
        // A positive height is the whole text cell: scale the character
        // height so ascent plus descent come out at that height.
        f.setPixelSize(height);
        const int cell = QFontMetrics(f).height();
        if (cell > 0 && cell != height) f.setPixelSize(std::max(1, height * height / cell));
    }
    return f;
}

}  // namespace ui
