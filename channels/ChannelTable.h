#pragma once
// The grid of the channel window. Beside what a table does, its channel-number column selects
// whole channels: a click selects one, a drag or a Shift-click a run of them, a Ctrl-click adds
// or takes out one; from the keyboard Shift+Up and Shift+Down extend a run from the cursor's
// channel and Shift+Space selects that channel. Channels selected so are dragged by that column
// to another place.

#include <QTableWidget>
#include <functional>
#include <vector>

namespace nv {

class ChannelTable : public QTableWidget {
    Q_OBJECT
  public:
    ChannelTable(int rows, int columns, QWidget* parent);

    // The channels (rows 1 to 16) selected whole, in order.
    std::vector<int> selectedChannels() const;
    void selectChannels(const std::vector<int>& channels);
    void selectAllChannels();

    // What a drag of the selected channels carries.
    std::function<QMimeData*()> dragData;
    // Channels of this grid dropped before channel `before` (17: after the last); `copy` when
    // Ctrl was held.
    std::function<void(const std::vector<int>& channels, int before, bool copy)> dropChannels;
    // Data from elsewhere dropped on channel `at`.
    std::function<void(const QMimeData* data, int at)> dropData;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Typing edits the cell under the cursor; it never jumps to another channel.
    void keyboardSearch(const QString&) override {}
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    int channelAt(const QPoint& pos) const;  // 1..16, or 0 outside the channel rows
    void selectRun(int from, int to);
    int dropTarget(const QPoint& pos) const;

    int anchor_ = 0;          // where a run of channels starts
    int pressed_ = 0;         // channel whose number was pressed, while the button is down
    bool mayDrag_ = false;    // pressed on a selected channel: moving starts a drag
    QPoint pressPos_;
};

}  // namespace nv
