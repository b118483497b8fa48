#include "platform/ui/clipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstring>

#include "platform/core/codepage.h"

namespace ui {
namespace {

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { clearClipboard(); }
    void TearDown() override { clearClipboard(); }
};

TEST_F(ClipboardTest, PlainTextRoundTripsInWindows1252) {
    EXPECT_FALSE(clipboardHasText());
    EXPECT_FALSE(clipboardText().has_value());
    ClipboardContent c;
    c.setText(platform::cp1252("Überstunden 5,50 €"));
    ASSERT_TRUE(putOnClipboard(c));
    EXPECT_TRUE(clipboardHasText());
    EXPECT_EQ(clipboardText(), platform::cp1252("Überstunden 5,50 €"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Überstunden 5,50 €"));
    // What another program put there reads as Windows-1252, up to a NUL.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e") + QChar(0) + "rest");
    EXPECT_EQ(clipboardText(), platform::cp1252("Grüße"));
}

TEST_F(ClipboardTest, OemTextKeepsItsBytesAndIsAlsoPlainText) {
    const std::string oem = "12.03.24 \x84\x94\x81";  // äöü in code page 850
    ClipboardContent c;
    c.setOemText(oem);
    ASSERT_TRUE(putOnClipboard(c));
    EXPECT_TRUE(clipboardHasOemText());
    EXPECT_EQ(clipboardOemText(), oem);
    EXPECT_EQ(clipboardText(), platform::cp1252("12.03.24 äöü"));
    // Plain text of another program reads as OEM text too.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Stra\xC3\x9F" "e"));
    EXPECT_TRUE(clipboardHasOemText());
    EXPECT_EQ(clipboardOemText(), "Stra\xE1" "e");
    // Raw bytes with a NUL end there; bytes after it are never read.
    ClipboardContent n;
    n.setOemText(std::string("ab\0cd", 5));
    putOnClipboard(n);
    EXPECT_EQ(clipboardOemText(), "ab");
}

// An "HTML Format" text as the table builds it: header, then the document.
std::string htmlFormatText(const std::string& body) {
    const std::string head =
        "Version:0.9\r\nStartHTML:000000000\r\nEndHTML:000000000\r\n"
        "StartFragment:000000000\r\nEndFragment:000000000\r\n";
    std::string html = "<html>\r\n<body>" + body + "</body>";
    std::string all = head + html;
    auto put = [&](const std::string& key, size_t value) {
        const size_t at = all.find(key + ":") + key.size() + 1;
        std::string digits = std::to_string(value);
        digits = std::string(9 - digits.size(), '0') + digits;
        all.replace(at, 9, digits);
    };
    put("StartHTML", head.size());
    put("EndHTML", all.size());
    put("StartFragment", head.size() + 8);
    put("EndFragment", all.size());
    return all;
}

TEST_F(ClipboardTest, HtmlFormatTravelsAsBytesAndAsHtml) {
    const std::string bytes = htmlFormatText(platform::cp1252("<table><tr><td>März</td></tr></table>"));
    ClipboardContent c;
    c.setText("Tab");
    c.setHtmlFormat(bytes);
    ASSERT_TRUE(putOnClipboard(c));
    EXPECT_EQ(clipboardFormat(kHtmlFormat), bytes);
    EXPECT_EQ(clipboardText(), "Tab");
    const QMimeData* d = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(d->hasHtml());
    EXPECT_TRUE(d->html().startsWith("<html>"));
    EXPECT_TRUE(d->html().endsWith("</body>"));
    EXPECT_TRUE(d->html().contains(QString::fromUtf8("März")));
}

TEST(HtmlOfHtmlFormat, OffsetsOutsideTheTextGiveTheWholeText) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"StartHTML:5\nEndHTML:9\nabcdefghij", "HTML"},
        {"StartHTML:5\nEndHTML:99\nabc", "StartHTML:5\nEndHTML:99\nabc"},
        {"StartHTML:9\nEndHTML:5\nabcdefghij", "StartHTML:9\nEndHTML:5\nabcdefghij"},
        {"StartHTML:\nEndHTML:5\n", "StartHTML:\nEndHTML:5\n"},
        {"no header", "no header"},
        {"StartHTML:99999999999999999999999\nEndHTML:1", "StartHTML:99999999999999999999999\nEndHTML:1"},
    };
    for (const auto& c : cases) EXPECT_EQ(htmlOfHtmlFormat(c.in), c.out) << c.in;
}

TEST_F(ClipboardTest, NamedFormatsKeepExactBytes) {
    double value = 45356.5;
    std::string bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8);
    bytes[0] = '\0';  // NULs inside binary data are kept
    ClipboardContent c;
    c.setFormat("TDateTime", bytes);
    ASSERT_TRUE(putOnClipboard(c));
    EXPECT_TRUE(clipboardHasFormat("TDateTime"));
    EXPECT_FALSE(clipboardHasFormat("HTML Format"));
    EXPECT_FALSE(clipboardHasText());
    EXPECT_EQ(clipboardFormat("TDateTime"), bytes);
    EXPECT_EQ(clipboardFormat("TDateTime")->size(), 8u);
    EXPECT_FALSE(clipboardFormat("Other").has_value());
}

}  // namespace
}  // namespace ui
