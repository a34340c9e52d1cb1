#pragma once
// Every message of the program goes through here: an exclamation icon, an OK button, a title
// in the active language. Tests replace the real modal box with a recorder.

#include <QMessageBox>
#include <QString>
#include <functional>

#include "core/AppState.h"

class QDialog;
class QWidget;

namespace nv {

using MessageHandler =
    std::function<void(QWidget* parent, const QString& title, const QString& text)>;

// Runs a modal dialog, then gives the keyboard back to the widget that had it before, so that
// the next key (Ctrl+V, Ctrl+S) goes where it went before the dialog, without a click.
int execKeepingFocus(QDialog& dialog);

// Installs a replacement for the modal box; an empty handler restores the real one.
void setMessageHandler(MessageHandler handler);
void showMessage(QWidget* parent, const QString& title, const QString& text);

// A question with the toolkit's standard buttons (their texts follow the toolkit's catalogue of
// the language of the moment); the answer is the button pressed, Cancel when the box is closed.
using QuestionHandler = std::function<QMessageBox::StandardButton(
    QWidget* parent, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons)>;
void setQuestionHandler(QuestionHandler handler);
// With `armAfterMs`, the buttons (and Enter and Escape) take no answer for that long: for a box
// that comes up where another one just went, under a click meant for that one.
QMessageBox::StandardButton ask(QWidget* parent, const QString& title, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton, int armAfterMs = 0);

// Title "Operate prompt" / "操作提示".
void prompt(const AppState& s, QWidget* parent, const QString& chinese, const QString& english);
// Closes the message boxes still open over the window, as if OK had been pressed.
void dismissMessages(QWidget* parent);

// Title "Operate Prompt" / "操作提示", used by the link completion messages.
void promptDone(const AppState& s, QWidget* parent, const QString& chinese, const QString& english);

inline QString qpick(const AppState& s, const char* chinese, const char* english) {
    return QString::fromUtf8(pick(s, chinese, english));
}
inline QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace nv
