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

struct RecordedQuestion {
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};

class MessageRecorder {
  public:
    MessageRecorder() {
        setMessageHandler([this](QWidget*, const QString& title, const QString& text) {
            messages.push_back({title, text});
            if (onMessage) onMessage();
        });
        setQuestionHandler([this](QWidget*, const QString& title, const QString& text,
                                  QMessageBox::StandardButtons buttons) {
            questions.push_back({title, text, buttons});
            return answer;
        });
    }
    ~MessageRecorder() {
        setMessageHandler({});
        setQuestionHandler({});
    }
    QString lastText() const { return messages.isEmpty() ? QString() : messages.back().text; }
    QString lastTitle() const { return messages.isEmpty() ? QString() : messages.back().title; }

    QList<RecordedMessage> messages;
    std::function<void()> onMessage;
    // Questions are answered with `answer` without a box being shown.
    QList<RecordedQuestion> questions;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
};

}  // namespace nv::test
