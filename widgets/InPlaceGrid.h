#pragma once
// What the grids edited in place share: the grid whose first row is a fixed title row set from
// a format text, and the text box laid exactly over the cell being edited.

#include <QObject>
#include <QString>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace nv {

// Fills the grid with cells; row 0 becomes the title row (bold, button face, not selectable).
// The table's own headers are hidden and no cell edits itself.
void setUpInPlaceGrid(QTableWidget* grid);

// Sets the title row from a format text: columns separated by "|", "^" centres a column.
void setTitleRow(QTableWidget* grid, const QString& format);

// For a grid taller than its window: the title row's texts go to a header that stays in view
// while the rows scroll, and row 0 itself (which keeps its texts) is hidden.
void keepTitleRowInView(QTableWidget* grid);

// Lets the keyboard open a cell as a click does: F2, Enter or Return on the grid itself (no
// editor open) hands the current cell to `open`. Up stops at row 1, the first channel.
// With OpenOnTyping a character typed on a cell opens it too and goes into the editor that took
// the focus, as in a spreadsheet; typing never moves the cursor to another row.
enum class Typing { Ignored, OpenOnTyping };
void openCellsWithKeys(QTableWidget* grid, std::function<void(int row, int col)> open,
                       Typing typing = Typing::Ignored);

// The text box over a cell. It keeps to its cell when the columns or rows change size or a
// scroll bar follows a new size of the grid (a maximised window), and takes the ASCII digits and
// the point only. When the user scrolls, it either hides or moves with its cell. Enter and the
// loss of the focus are handed to the window.
class CellEditor : public QObject {
    Q_OBJECT
  public:
    enum OnScroll { HideOnUserScroll, MoveOnScroll };
    CellEditor(QTableWidget* grid, const char* name, OnScroll onScroll);

    QLineEdit* box() const { return box_; }
    // Shows the box over the cell with the cell's text, all selected, with the focus.
    void open(int row, int col);
    // Hides and empties the box.
    void close();
    int row() const { return row_; }
    int col() const { return col_; }
    // Puts the box back over its cell.
    void follow();

    std::function<void()> onEnter;
    std::function<void()> onFocusLost;
    // Up and Down (-1, +1), Tab and Shift+Tab (+1, -1) and Escape; when unset the box handles
    // them itself.
    std::function<void(int rows)> onMove;
    std::function<void(int step)> onTab;
    std::function<void()> onEscape;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place();
    bool filterKey(QKeyEvent* key);

    QTableWidget* grid_;
    QWidget* viewport_;  // kept: asking the grid while it is being destroyed is not allowed
    QLineEdit* box_;
    int row_ = 1;
    int col_ = 0;
};

}  // namespace nv
