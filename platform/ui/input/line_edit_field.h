// The edit field over a Qt line edit, for hosts that hand their QLineEdit to
// a control's row search.
#pragma once

#include <QPointer>

#include "platform/ui/input/edit_field.h"

class QLineEdit;

namespace ui {

class LineEditField : public EditField {
public:
    // The line edit stays the host's; a destroyed one is left alone.
    explicit LineEditField(QLineEdit* edit);
    void setText(const std::string& text) override;
    void setSelection(int start, int length) override;

private:
    QPointer<QLineEdit> edit_;
};

}  // namespace ui
