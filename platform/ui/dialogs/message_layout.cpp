#include "platform/ui/dialogs/message_layout.h"

#include <QFontMetrics>
#include <algorithm>

namespace ui {
namespace {

// Lines of up to this many characters stay whole; longer ones wrap.
constexpr int kWholeLineChars = 80;
// Longer lines wrap at this many average characters at least.
constexpr int kReadableChars = 60;

// The longest start of `word` that fits into `width`, one character at
// least, so the walk always advances; a surrogate pair stays together.
qsizetype fittingPrefix(const QString& word, const QFontMetrics& fm, int width) {
    const qsizetype first = word.size() > 1 && word.at(0).isHighSurrogate() ? 2 : 1;
    qsizetype n = first;
    while (n < word.size() && fm.horizontalAdvance(word.left(n + 1)) <= width) ++n;
    if (n > first && n < word.size() && word.at(n - 1).isHighSurrogate()) --n;
    return n;
}

void wrapOne(const QString& line, const QFontMetrics& fm, int width, QStringList& out) {
    if (fm.horizontalAdvance(line) <= width) {
        out << line;
        return;
    }
    QString current;
    for (QString word : line.split(QLatin1Char(' '))) {
        const QString joined = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (fm.horizontalAdvance(joined) <= width) {
            current = joined;
            continue;
        }
        if (!current.isEmpty()) out << current;
        // A word wider than the line goes in pieces.
        while (fm.horizontalAdvance(word) > width) {
            const qsizetype n = fittingPrefix(word, fm, width);
            if (n >= word.size()) break;  // one character wider than the line
            out << word.left(n);
            word = word.mid(n);
        }
        current = word;
    }
    out << current;
}

}  // namespace

QStringList wrapLines(const QString& text, const QFontMetrics& fm, int width) {
    QStringList out;
    const int w = std::max(width, 1);
    for (const QString& line : text.split(QLatin1Char('\n'))) wrapOne(line, fm, w, out);
    return out;
}

int messageWrapWidth(const QString& text, const QFontMetrics& fm, int limit) {
    int width = 0;
    bool longLine = false;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.size() > kWholeLineChars)
            longLine = true;
        else
            width = std::max(width, fm.horizontalAdvance(line));
    }
    if (longLine) width = std::max(width, fm.averageCharWidth() * kReadableChars);
    return std::max(1, std::min(width, limit));
}

int messageBoxLimit(int screenWidth) {
    return screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
}

}  // namespace ui
