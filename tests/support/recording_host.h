// A ZeitbuchHost that records every call as a short text, for assertions
// such as EXPECT_THAT(host.calls, Contains("status 3")).
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "book/sheet/host.h"

namespace testing_support {

class RecordingHost : public book::ZeitbuchHost {
public:
    std::vector<std::string> calls;
    std::vector<std::string> saveAnswers;  // file dialog answers, in order
    std::vector<std::string> openAnswers;

    void postStatus(int code) override;
    void beep() override;
    void repaintSheet(bool whole) override;
    void repaintTotals() override;
    void adjustScrollRange() override;
    void ensureLineVisible(int index) override;
    void setCalendar(int year, int month, int day, const book::StandbyList& standby) override;
    void setCalendarYearBlock(bool on) override;
    void enableAction(book::Action a, bool enabled) override;
    void checkAction(book::Action a, bool checked) override;
    void showAction(book::Action a, bool visible) override;
    void setCaption(const std::string& caption) override;
    void setTimeCaret(int column) override;
    void resetCaretBlink() override;
    void setTextCursor(int position, int selectionLength) override;
    std::string askSaveFileName(const std::string& filter, const std::string& defaultExt) override;
    std::string askOpenFileName(const std::string& filter, const std::string& defaultExt) override;

    // ---- Line selection (line_select.cpp) ----
    void setTextPosition(int position) override;
    // ---- User database ----
    void setControls(bool normal) override;
    void openAdministration() override;
    bool signInDialogShowing() const override { return signInShowing; }
    bool administrationOpen() const override { return adminOpen; }
    bool signInShowing = false;  // answers of the two window-state questions
    bool adminOpen = false;

    bool has(const std::string& call) const {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    size_t countOf(const std::string& call) const {
        return static_cast<size_t>(std::count(calls.begin(), calls.end(), call));
    }
    // The last standby list passed to setCalendar.
    book::StandbyList lastStandby{};

    // ---- Month loading and saving, year balance, save question ------------
    // enableAction keeps the state here; actions never set count as disabled.
    std::map<book::Action, bool> enabled;
    bool saveAsResult = false;  // what saveMonthFileAs answers
    bool actionEnabled(book::Action a) const override;
    void showYear(int year) override;
    void showMonthInList(int month) override;
    bool saveMonthFileAs() override;
};

}  // namespace testing_support
