#pragma once
// A channel file dropped on the main window opens as "Open" opens it; a CSV file is imported
// as "Import CSV…" imports it.

#include <QObject>

class QMainWindow;

namespace nv {

struct AppState;
class Workspace;

class FileDrop : public QObject {
    Q_OBJECT
  public:
    FileDrop(AppState& state, Workspace& workspace, QMainWindow* frame);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AppState& state_;
    Workspace& workspace_;
};

}  // namespace nv
