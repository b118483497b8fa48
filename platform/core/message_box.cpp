#include "platform/core/message_box.h"

#include <cstdio>

#include "platform/core/codepage.h"

namespace platform {
namespace {

Answer defaultHandler(const MessageRequest& r) {
    std::fprintf(stderr, "[%s] %s\n", cp1252ToUtf8(r.caption).c_str(),
                 cp1252ToUtf8(r.text).c_str());
    return firstButton(r.buttons);
}

MessageHandler& handler() {
    static MessageHandler h = defaultHandler;
    return h;
}

}  // namespace

Answer firstButton(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
        case Buttons::OkCancel: return Answer::Ok;
        case Buttons::YesNo:
        case Buttons::YesNoCancel: return Answer::Yes;
        case Buttons::RetryCancel: return Answer::Retry;
    }
    return Answer::Ok;
}

Answer MessageBox(const std::string& text, const std::string& caption, Buttons buttons,
                  Icon icon) {
    return handler()(MessageRequest{text, caption, buttons, icon});
}

void setMessageHandler(MessageHandler h) { handler() = h ? std::move(h) : defaultHandler; }

ScriptedMessages::ScriptedMessages() {
    setMessageHandler([this](const MessageRequest& r) {
        shown_.push_back(r);
        if (answers_.empty()) return firstButton(r.buttons);
        const Answer a = answers_.front();
        answers_.pop_front();
        return a;
    });
}

ScriptedMessages::~ScriptedMessages() { setMessageHandler(nullptr); }

}  // namespace platform
