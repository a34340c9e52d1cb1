#pragma once
// The user guide: Markdown pages compiled into the program, one per window, in English and in
// Chinese, shown in one window of their own beside the main window.

#include <QWidget>

class QTextBrowser;

namespace nv {

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    // Shows the page (a file name such as "channels.md") in the given language, in the help
    // window of the owner, made when it is not there yet.
    static HelpWindow* showPage(QWidget* owner, const QString& page, bool chinese);
    // The guide's page about the named window; the contents page for a window without one.
    static QString pageFor(const QString& windowName);
    // The resource path of a page.
    static QString pagePath(const QString& page, bool chinese);

    QTextBrowser* Text_guide;

  private:
    explicit HelpWindow(QWidget* owner);
};

}  // namespace nv
