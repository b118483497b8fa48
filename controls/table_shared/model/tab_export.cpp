#include "controls/table_shared/model/tab_export.h"

#include <algorithm>
#include <cstdio>

#include "platform/core/codepage.h"

namespace table {
namespace {

int sichtbar(const Tabdefinition& t) {
    return std::clamp(t.SichtSpalten, 0, t.Spalten);
}

const char* trenner(int modus) {
    switch (modus) {
        case 1:
        case 4:
            return "\t";
        case 2:
        case 5:
            return ";";
        case 3:
        case 6:
            return "#";
        default:
            return nullptr;
    }
}

bool gedeckt(const RowDef& rd, int c) {
    return rd.Gruppe > c;
}

// Rows below `row` that continue its group at column c.
int gruppenSpanne(const Tabdefinition& t, int row, int c) {
    int n = 1;
    for (int r = row + 1; r < t.rowCount(); ++r) {
        const RowDef& rd = t.Rows[static_cast<size_t>(r)];
        if ((rd.Art & kTitelZeile) || !gedeckt(rd, c)) break;
        ++n;
    }
    return n;
}

void zeileHtml(const Tabdefinition& t, int i, size_t& k, std::string& out) {
    const RowDef& rd = t.Rows[static_cast<size_t>(i)];
    const bool fix = i < t.FixedRows;
    const int n = sichtbar(t);
    const size_t zellen = t.Zellen.size();
    out += "<tr";
    if (rd.Art == kGraueZeile || (fix && rd.Art == 0)) out += " bgcolor=#dddddd";
    out += ">\r\n";
    if (rd.Art & kTitelZeile) {
        out += "<td align=left colspan=" + std::to_string(n) + ">";
        if (k < zellen) out += htmlText(t.Zellen[k]);
        out += "</td>";
        k += static_cast<size_t>(t.Spalten);
    } else {
        for (int c = 0; c < n; ++c, ++k) {
            if (gedeckt(rd, c)) continue;  // the cell above spans this one
            if (fix) {
                out += "<th";
            } else {
                out += "<td";
                const int spanne = gruppenSpanne(t, i, c);
                if (spanne > 2) out += " valign=top ";
                if (spanne > 1) out += " rowspan=" + std::to_string(spanne);
            }
            out += ">";
            out += k < zellen && !t.Zellen[k].empty() ? htmlText(t.Zellen[k]) : "&nbsp;";
            out += fix ? "</th>" : "</td>";
            out += "\r\n";
        }
        k += static_cast<size_t>(t.Spalten - n);
    }
    out += "</tr>\r\n";
}

void zifferFeld(std::string& out, size_t pos, size_t wert) {
    char neun[16];
    std::snprintf(neun, sizeof neun, "%09zu", wert);
    out.replace(pos, 9, neun, 9);
}

bool unreserviert(unsigned char b) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
           b == '.' || b == '_' || b == '~';
}

std::string prozentKodiert(const std::string& cp1252) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : platform::cp1252ToUtf8(cp1252)) {
        const auto b = static_cast<unsigned char>(ch);
        if (unreserviert(b)) {
            out += ch;
        } else {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 15];
        }
    }
    return out;
}

}  // namespace

std::string tabellenText(const Tabdefinition& t) {
    std::string out;
    const int n = sichtbar(t);
    for (int r = 0; r < t.rowCount(); ++r) {
        if (r > 0) out += "\r\n";
        for (int c = 0; c < n; ++c) {
            if (c > 0) out += '\t';
            out += t.zelle(r, c);
        }
    }
    return out;
}

std::string exportText(const Tabdefinition& t, int modus) {
    const char* sep = trenner(modus);
    std::string out;
    if (sep == nullptr) return out;
    const bool gruppe = modus >= 4;
    const int n = sichtbar(t);
    const size_t zellen = t.Zellen.size();
    size_t k = 0;
    for (int r = 0; r < t.rowCount() && k < zellen; ++r) {
        const RowDef& rd = t.Rows[static_cast<size_t>(r)];
        for (int c = 0; c < n && k < zellen; ++c, ++k) {
            if (c > 0) out += sep;
            out += gruppe && gedeckt(rd, c) ? std::string(" ") : t.Zellen[k];
        }
        k += static_cast<size_t>(t.Spalten - n);
        out += "\r\n";
    }
    return out;
}

std::string htmlText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        switch (b) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case 0xC4:
                out += "&Auml;";
                break;
            case 0xD6:
                out += "&Ouml;";
                break;
            case 0xDC:
                out += "&Uuml;";
                break;
            case 0xE4:
                out += "&auml;";
                break;
            case 0xF6:
                out += "&ouml;";
                break;
            case 0xFC:
                out += "&uuml;";
                break;
            case 0xDF:
                out += "&szlig;";
                break;
            case 0:
                // HTML has no character NUL (a reference to it reads as a
                // replacement sign), and a raw one would end the clipboard
                // text before the length its header states: left out.
                break;
            default:
                if ((b >= 0x20 && b < 0x7F) || b == '\t' || b == '\r' || b == '\n') {
                    out += ch;
                } else if (b < 0x80) {
                    // The other control bytes stay in the text, but never raw.
                    out += "&#" + std::to_string(static_cast<unsigned>(b)) + ";";
                } else {
                    out += "&#" +
                           std::to_string(static_cast<unsigned>(platform::cp1252ToUnicode(b))) +
                           ";";
                }
        }
    }
    return out;
}

std::string htmlKopie(const std::vector<const Tabdefinition*>& tabellen, const std::string* caption,
                      bool mitKopf) {
    std::string out;
    if (tabellen.empty()) return out;
    if (mitKopf) {
        out =
            "Version:1.0\r\n"
            "StartHTML:000000151\r\n"
            "EndHTML:000000000\r\n"
            "StartFragment:000000159\r\n"
            "EndFragment:000000000\r\n"
            "StartSelection:000000159\r\n"
            "EndSelection:000000000\r\n";
    }
    out += "<html>\r\n<body>\r\n";
    if (caption != nullptr)
        out += "<caption><h2>\r\n" + htmlText(*caption) + "\r\n</h2></caption>\r\n";
    for (size_t i = 0; i < tabellen.size(); ++i) {
        const Tabdefinition& t = *tabellen[i];
        if (i > 0) out += "<br>\r\n";
        out += "<table cellspacing=0 cellpadding=3 border=1>\r\n";
        size_t k = 0;
        for (int r = 0; r < t.rowCount(); ++r) zeileHtml(t, r, k, out);
        out += "</table>\r\n";
    }
    out += "</body>";
    if (mitKopf) {
        zifferFeld(out, 42, out.size());   // EndHTML
        zifferFeld(out, 90, out.size());   // EndFragment
        zifferFeld(out, 140, out.size());  // EndSelection
    }
    return out;
}

std::string mailLink(const std::string& caption) {
    return "mailto:?Subject=" + prozentKodiert(caption) + "&body=" +
           prozentKodiert(
               "Bitte Tabelle per Hand einf\xFCgen. Text markieren und klick auf 'Einf\xFCgen'");
}

std::string exportDateiName(const std::string& name) {
    const size_t schnitt = name.find_last_of("/\\");
    const size_t punkt = name.find('.', schnitt == std::string::npos ? 0 : schnitt + 1);
    if (punkt == std::string::npos && name.size() < 236) return name + ".txt";
    return name;
}

}  // namespace table
