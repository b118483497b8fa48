// Modal message boxes behind a replaceable handler: the program installs Qt
// dialogs, tests install a script that answers in order and records each box.
// Texts and captions are Windows-1252 bytes.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace platform {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Information, Warning, Error, Question };

// Values as the platform numbers them (modal results of a message box).
enum class Answer { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

struct MessageRequest {
    std::string text;
    std::string caption;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
};

using MessageHandler = std::function<Answer(const MessageRequest&)>;

Answer MessageBox(const std::string& text, const std::string& caption,
                  Buttons buttons = Buttons::Ok, Icon icon = Icon::None);

// Replaces the handler; an empty handler restores the default one, which
// writes the box to stderr and answers with the first button.
void setMessageHandler(MessageHandler handler);

// Test handler: answers from a queue (the first button once the queue is
// empty) and records every box shown. Installed for its lifetime.
class ScriptedMessages {
public:
    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    void answer(Answer a) { answers_.push_back(a); }
    const std::vector<MessageRequest>& shown() const { return shown_; }
    size_t count() const { return shown_.size(); }
    const MessageRequest& last() const { return shown_.back(); }
    void clear() { shown_.clear(); }

private:
    std::deque<Answer> answers_;
    std::vector<MessageRequest> shown_;
};

Answer firstButton(Buttons buttons);

}  // namespace platform
