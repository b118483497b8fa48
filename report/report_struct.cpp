#include "report/report_struct.h"

namespace report {

DruckReport_Struct Neues_Objekt(const Vorgaben& v) {
    DruckReport_Struct r;
    r.top = v.top;
    r.left = v.left;
    r.width = v.width;
    r.height = v.height;
    r.count = v.count;
    r.hAlign = v.hAlign;
    r.vAlign = v.vAlign;
    r.groupMask = v.groupMask;
    r.penWidth = v.penWidth;
    r.autoSize = v.autoSize;
    r.table = v.table;
    r.colour = v.colour;
    r.background = v.background;
    r.numberType = v.numberType;
    r.font.size = v.fontSize;
    r.font.style = v.fontStyle;
    return r;
}

FAktion& NeuAktion(std::vector<FAktion>& list) {
    return list.emplace_back();
}

std::ostream& operator<<(std::ostream& os, const DruckReport_Struct& r) {
    os << "{type " << int(r.type) << ", parent " << r.parent << ", top " << r.top << ", left "
       << r.left << ", width " << r.width << ", height " << r.height << ", count " << r.count
       << ", step " << r.step << ", angle " << r.textAngle << ", font " << r.font.name << "/"
       << r.font.size << "/" << int(r.font.style) << ", text \"" << r.text << "\", second \""
       << r.secondText << "\", align " << int(r.hAlign) << "/" << int(r.vAlign) << ", groups 0x"
       << std::hex << r.groupMask << std::dec << ", pen " << r.penWidth << ", columns " << r.columns
       << ", auto " << int(r.autoSize) << ", recordText " << int(r.recordText) << ", number "
       << int(r.numberType) << ", format " << int(r.displayFormat) << ", table " << int(r.table)
       << ", conditions 0x" << std::hex << r.conditions << ", colour 0x" << r.colour
       << ", background 0x" << r.background << std::dec;
    if (r.value) os << ", value \"" << *r.value << "\"";
    for (const FAktion& a : r.actions) os << ", add \"" << a.text << "\"";
    return os << "}";
}

}  // namespace report
