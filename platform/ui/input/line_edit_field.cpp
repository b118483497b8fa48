#include "platform/ui/input/line_edit_field.h"

#include <QLineEdit>

#include "platform/ui/drawing/qt_text.h"

namespace ui {

LineEditField::LineEditField(QLineEdit* edit) : edit_(edit) {}

void LineEditField::setText(const std::string& text) {
    if (edit_) edit_->setText(toQString(text));
}

// Windows-1252 bytes map one to one onto characters, so byte positions are
// character positions.
void LineEditField::setSelection(int start, int length) {
    if (edit_) edit_->setSelection(start, length);
}

}  // namespace ui
