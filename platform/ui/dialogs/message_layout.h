// The lines of a message box's text: broken at a readable width that the
// screen can hold, so the box shows every word whatever the screen's size.
#pragma once

#include <QString>
#include <QStringList>

class QFontMetrics;

namespace ui {

// Breaks every line of `text` that is wider than `width` pixels at its
// spaces (the space at a break is dropped); a word wider than `width` is
// broken between characters. Lines that fit, empty lines and the existing
// line ends stay as they are.
QStringList wrapLines(const QString& text, const QFontMetrics& fm, int width);

// The width at which a message's lines are broken: the widest line of up to
// 80 characters stays whole, a longer line wraps at 60 average characters at
// least; never wider than `limit`.
int messageWrapWidth(const QString& text, const QFontMetrics& fm, int limit);

// The widest a message box may be on a screen whose free area is
// `screenWidth` wide: QMessageBox breaks a label wider than this anywhere,
// mid-word, so the text must fit into it already.
int messageBoxLimit(int screenWidth);

}  // namespace ui
