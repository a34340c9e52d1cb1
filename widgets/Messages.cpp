#include "widgets/Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QAbstractButton>
#include <QPointer>
#include <QTimer>

#include "core/VisibleText.h"

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

int execKeepingFocus(QDialog& dialog) {
    const QPointer<QWidget> had = QApplication::focusWidget();
    const int result = dialog.exec();
    if (had && had->isVisible()) {
        had->activateWindow();
        had->setFocus(Qt::ActiveWindowFocusReason);
    }
    return result;
}

void setMessageHandler(MessageHandler h) { handler() = std::move(h); }

namespace {
// A file name or a value from a file in a message cannot turn the text around.
QString visible(const QString& text) {
    return QString::fromStdString(visibleLines(text.toStdString()));
}
}  // namespace

void showMessage(QWidget* parent, const QString& title, const QString& shownText) {
    const QString text = visible(shownText);
    if (handler()) {
        handler()(parent, title, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    execKeepingFocus(box);
}

void setQuestionHandler(QuestionHandler h) { questionHandler() = std::move(h); }

QMessageBox::StandardButton ask(QWidget* parent, const QString& title, const QString& shownText,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton, int armAfterMs) {
    const QString text = visible(shownText);
    if (questionHandler()) return questionHandler()(parent, title, text, buttons);
    QMessageBox box(QMessageBox::Question, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    if (armAfterMs > 0) {
        for (QAbstractButton* b : box.buttons()) b->setEnabled(false);
        QTimer::singleShot(armAfterMs, &box, [&box] {
            for (QAbstractButton* b : box.buttons()) b->setEnabled(true);
        });
    }
    const int answer = execKeepingFocus(box);
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
