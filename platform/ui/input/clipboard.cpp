#include "platform/ui/input/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstdint>
#include <limits>

#include "platform/core/codepage.h"
#include "platform/ui/drawing/qt_text.h"

namespace ui {
namespace {

QClipboard* board() { return qGuiApp != nullptr ? QGuiApplication::clipboard() : nullptr; }

const QMimeData* current() {
    QClipboard* c = board();
    return c != nullptr ? c->mimeData() : nullptr;
}

std::string upToNul(std::string s) {
    const size_t nul = s.find('\0');
    if (nul != std::string::npos) s.resize(nul);
    return s;
}

QString fromOem(const std::string& oem) { return QString::fromStdString(platform::cp850ToUtf8(oem)); }

// The decimal value after "<key>:" in the header, or -1.
long long headerValue(const std::string& bytes, const std::string& key) {
    const size_t at = bytes.find(key + ":");
    if (at == std::string::npos) return -1;
    long long value = 0;
    size_t i = at + key.size() + 1;
    bool any = false;
    for (; i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9'; ++i) {
        if (value > (std::numeric_limits<long long>::max() - 9) / 10) return -1;
        value = value * 10 + (bytes[i] - '0');
        any = true;
    }
    return any ? value : -1;
}

}  // namespace

QString formatMimeType(const std::string& name) {
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(toQString(name));
}

void ClipboardContent::setFormat(const std::string& name, std::string bytes) {
    for (auto& [n, b] : formats_) {
        if (n == name) {
            b = std::move(bytes);
            return;
        }
    }
    formats_.emplace_back(name, std::move(bytes));
}

std::string htmlOfHtmlFormat(const std::string& bytes) {
    const long long start = headerValue(bytes, "StartHTML");
    const long long end = headerValue(bytes, "EndHTML");
    const auto size = static_cast<long long>(bytes.size());
    if (start < 0 || end < start || end > size) return bytes;
    return bytes.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

bool putOnClipboard(const ClipboardContent& content) {
    QClipboard* c = board();
    if (c == nullptr) return false;
    auto* data = new QMimeData;
    if (content.oem_) {
        data->setData(formatMimeType(kOemTextFormat), QByteArray::fromStdString(*content.oem_));
        data->setText(fromOem(upToNul(*content.oem_)));
    }
    if (content.text_) data->setText(toQString(upToNul(*content.text_)));
    for (const auto& [name, bytes] : content.formats_) {
        data->setData(formatMimeType(name), QByteArray::fromStdString(bytes));
        if (name == kHtmlFormat) data->setHtml(toQString(upToNul(htmlOfHtmlFormat(bytes))));
    }
    c->setMimeData(data);  // the clipboard owns it now
    return true;
}

bool clipboardHasText() {
    const QMimeData* d = current();
    return d != nullptr && d->hasText();
}

std::optional<std::string> clipboardText() {
    const QMimeData* d = current();
    if (d == nullptr || !d->hasText()) return std::nullopt;
    return upToNul(fromQString(d->text()));
}

bool clipboardHasOemText() { return clipboardHasFormat(kOemTextFormat) || clipboardHasText(); }

std::optional<std::string> clipboardOemText() {
    if (std::optional<std::string> raw = clipboardFormat(kOemTextFormat)) return upToNul(*raw);
    const QMimeData* d = current();
    if (d == nullptr || !d->hasText()) return std::nullopt;
    return upToNul(platform::utf8ToCp850(d->text().toStdString()));
}

bool clipboardHasFormat(const std::string& name) {
    const QMimeData* d = current();
    return d != nullptr && d->hasFormat(formatMimeType(name));
}

std::optional<std::string> clipboardFormat(const std::string& name) {
    const QMimeData* d = current();
    if (d == nullptr || !d->hasFormat(formatMimeType(name))) return std::nullopt;
    return d->data(formatMimeType(name)).toStdString();
}

void clearClipboard() {
    if (QClipboard* c = board()) c->clear();
}

}  // namespace ui
