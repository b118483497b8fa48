#include "tests/support/recording_host.h"

namespace testing_support {

void RecordingHost::postStatus(int code) { calls.push_back("status " + std::to_string(code)); }
void RecordingHost::beep() { calls.push_back("beep"); }
void RecordingHost::repaintSheet(bool whole) {
    calls.push_back(whole ? "repaint whole" : "repaint");
}
void RecordingHost::repaintTotals() { calls.push_back("repaint totals"); }
void RecordingHost::adjustScrollRange() { calls.push_back("scroll range"); }
void RecordingHost::ensureLineVisible(int index) {
    calls.push_back("visible " + std::to_string(index));
}
void RecordingHost::setCalendar(int year, int month, int day, const book::StandbyList& standby) {
    lastStandby = standby;
    calls.push_back("calendar " + std::to_string(year) + " " + std::to_string(month) + " " +
                    std::to_string(day));
}
void RecordingHost::setCalendarYearBlock(bool on) {
    calls.push_back(std::string("year block ") + (on ? "on" : "off"));
}
void RecordingHost::enableAction(book::Action a, bool enabled) {
    this->enabled[a] = enabled;
    calls.push_back(std::string(enabled ? "enable " : "disable ") + book::actionName(a));
}
void RecordingHost::checkAction(book::Action a, bool checked) {
    calls.push_back(std::string(checked ? "check " : "uncheck ") + book::actionName(a));
}
void RecordingHost::showAction(book::Action a, bool visible) {
    calls.push_back(std::string(visible ? "show " : "hide ") + book::actionName(a));
}
void RecordingHost::setCaption(const std::string& caption) { calls.push_back("caption " + caption); }
void RecordingHost::setTimeCaret(int column) { calls.push_back("caret " + std::to_string(column)); }
void RecordingHost::resetCaretBlink() { calls.push_back("blink reset"); }
void RecordingHost::setTextCursor(int position, int selectionLength) {
    calls.push_back("text cursor " + std::to_string(position) + " " +
                    std::to_string(selectionLength));
}
std::string RecordingHost::askSaveFileName(const std::string& filter, const std::string&) {
    calls.push_back("save dialog " + filter);
    if (saveAnswers.empty()) return {};
    std::string a = saveAnswers.front();
    saveAnswers.erase(saveAnswers.begin());
    return a;
}
std::string RecordingHost::askOpenFileName(const std::string& filter, const std::string&) {
    calls.push_back("open dialog " + filter);
    if (openAnswers.empty()) return {};
    std::string a = openAnswers.front();
    openAnswers.erase(openAnswers.begin());
    return a;
}

// ---- Month loading and saving, year balance, save question ----------------
bool RecordingHost::actionEnabled(book::Action a) const {
    auto it = enabled.find(a);
    return it != enabled.end() && it->second;
}
void RecordingHost::showYear(int year) { calls.push_back("year " + std::to_string(year)); }
void RecordingHost::showMonthInList(int month) {
    calls.push_back("month list " + std::to_string(month));
}
bool RecordingHost::saveMonthFileAs() {
    calls.push_back("save as");
    return saveAsResult;
}

// ---- Line selection (line_select.cpp) ----
void RecordingHost::setTextPosition(int position) {
    calls.push_back("text position " + std::to_string(position));
}
void RecordingHost::setControls(bool normal) {
    calls.push_back(normal ? "controls normal" : "controls balance");
}
void RecordingHost::openAdministration() { calls.push_back("open administration"); }

}  // namespace testing_support
