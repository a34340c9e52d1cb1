#include "widgets/Messages.h"

#include <QMessageBox>

namespace nv {

namespace {
MessageHandler& handler() {
    static MessageHandler h;
    return h;
}
QuestionHandler& questionHandler() {
    static QuestionHandler h;
    return h;
}
}  // namespace

void setMessageHandler(MessageHandler h) { handler() = std::move(h); }

void showMessage(QWidget* parent, const QString& title, const QString& text) {
    if (handler()) {
        handler()(parent, title, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void setQuestionHandler(QuestionHandler h) { questionHandler() = std::move(h); }

QMessageBox::StandardButton ask(QWidget* parent, const QString& title, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton) {
    if (questionHandler()) return questionHandler()(parent, title, text, buttons);
    QMessageBox box(QMessageBox::Question, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    const int answer = box.exec();
    return buttons.testFlag(static_cast<QMessageBox::StandardButton>(answer))
               ? static_cast<QMessageBox::StandardButton>(answer)
               : QMessageBox::Cancel;
}

void dismissMessages(QWidget* parent) {
    for (QMessageBox* box : parent->findChildren<QMessageBox*>(Qt::FindDirectChildrenOnly))
        box->done(QMessageBox::Ok);
}

void prompt(const AppState& s, QWidget* parent, const QString& chinese, const QString& english) {
    showMessage(parent,
                s.LanguageChinese ? QStringLiteral("操作提示") : QStringLiteral("Operate prompt"),
                s.LanguageChinese ? chinese : english);
}

void promptDone(const AppState& s, QWidget* parent, const QString& chinese,
                const QString& english) {
    showMessage(parent,
                s.LanguageChinese ? QStringLiteral("操作提示") : QStringLiteral("Operate Prompt"),
                s.LanguageChinese ? chinese : english);
}

}  // namespace nv
