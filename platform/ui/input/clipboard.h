// The clipboard service: plain text, OEM text (raw bytes in a private format
// plus plain text), "HTML Format" with its byte-offset header (also offered
// as text/html so other programs can paste it) and other named formats such
// as "TDateTime". Texts are Windows-1252 or OEM (code page 850) bytes.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ui {

constexpr const char* kHtmlFormat = "HTML Format";
constexpr const char* kOemTextFormat = "OEM Text";

// The MIME type under which a named format travels.
QString formatMimeType(const std::string& name);

// What one copy puts on the clipboard, all formats at once.
class ClipboardContent {
public:
    void setText(std::string cp1252) { text_ = std::move(cp1252); }
    // The bytes as they are, and the same text as plain text.
    void setOemText(std::string oemBytes) { oem_ = std::move(oemBytes); }
    // Bytes with the header whose StartHTML/EndHTML offsets frame the HTML;
    // that part is also offered as text/html.
    void setHtmlFormat(std::string bytes) { setFormat(kHtmlFormat, std::move(bytes)); }
    void setFormat(const std::string& name, std::string bytes);

private:
    friend bool putOnClipboard(const ClipboardContent&);
    std::optional<std::string> text_;
    std::optional<std::string> oem_;
    std::vector<std::pair<std::string, std::string>> formats_;
};

// Replaces the clipboard's contents; false when there is no clipboard.
bool putOnClipboard(const ClipboardContent& content);

// Reads never go past the data on the clipboard; texts end at a NUL in it.
bool clipboardHasText();
std::optional<std::string> clipboardText();  // Windows-1252
// True also for plain text, which reads as OEM text converted to code page 850.
bool clipboardHasOemText();
std::optional<std::string> clipboardOemText();
bool clipboardHasFormat(const std::string& name);
std::optional<std::string> clipboardFormat(const std::string& name);  // exact bytes
void clearClipboard();

// The HTML between the StartHTML and EndHTML offsets of an "HTML Format"
// text; the whole text when the header is missing or its offsets do not fit.
std::string htmlOfHtmlFormat(const std::string& bytes);

}  // namespace ui
