#pragma once
// Replaces the modal message box for the lifetime of the recorder.

#include <QString>
#include <QStringList>

#include "widgets/Messages.h"

namespace nv::test {

struct RecordedMessage {
    QString title;
    QString text;
};

class MessageRecorder {
  public:
    MessageRecorder() {
        setMessageHandler([this](QWidget*, const QString& title, const QString& text) {
            messages.push_back({title, text});
            if (onMessage) onMessage();
        });
    }
    ~MessageRecorder() { setMessageHandler({}); }
    QString lastText() const { return messages.isEmpty() ? QString() : messages.back().text; }
    QString lastTitle() const { return messages.isEmpty() ? QString() : messages.back().title; }

    QList<RecordedMessage> messages;
    std::function<void()> onMessage;
};

}  // namespace nv::test
