// A host's one-line text field as a control fills it (type-ahead completion:
// the found text with its unmatched rest selected), whatever widget carries
// it. Kept free of Qt so the controls' plain models can take one.
#pragma once

#include <string>

namespace ui {

class EditField {
public:
    virtual ~EditField() = default;
    // The whole text, as Windows-1252 bytes.
    virtual void setText(const std::string& text) = 0;
    // Selects length characters from start; the cursor ends behind them.
    virtual void setSelection(int start, int length) = 0;
};

}  // namespace ui
