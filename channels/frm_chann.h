#pragma once
// The channel grid: one row per channel, edited in place with a text box over frequency
// cells and a combo box over tone and attribute cells. Every commit writes the image at once.

#include <vector>

#include "core/AppState.h"
#include "widgets/MdiChild.h"

class QAction;
class QKeyEvent;
class QComboBox;
class QMenu;
class QMimeData;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace nv {

class CellEditor;
class ChannelTable;

class frm_chann : public MdiChild {
    Q_OBJECT
  public:
    frm_chann(AppState& state, Workspace& workspace);
    void load() override;
    void activated() override;
    void refresh() override;
    int neededWidth() const override;

    // Redraws channel n from the image (an empty channel is cleared in the image too).
    void refreshRow(int n);
    void refreshAll();
    void setCaption();

    void Command_clear_Click();
    void Command_def_Click();
    void Command_Edit_Click();
    void Command_close_Click();

    // Whole-channel commands, on the context menu and on keys while no editor is open. They
    // work on the channels selected whole, or else on the channel under the cell cursor.
    std::vector<int> selectedChannels() const;
    void selectChannels(const std::vector<int>& channels);
    void Channel_copy_Click();
    void Channel_cut_Click();
    void Channel_paste_Click();
    void Channel_delete_Click();
    void Channel_insert_Click();
    void Channel_remove_Click();
    void Channel_up_Click();
    void Channel_down_Click();
    void Channel_sort_Click();
    void Channel_set_tones_Click();
    void Channel_set_offset_Click();
    // The context menu as it opens, in the language of the moment.
    QMenu* contextMenu();

    QTableWidget* MSF_chann;
    QLineEdit* Text_Edit;
    QComboBox* Combo_edit;
    QPushButton* Command_clear;
    QPushButton* Command_def;
    QPushButton* Command_Edit;
    QPushButton* Command_help;
    QPushButton* Command_close;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void spreadColumns();
    void followGridSize();
    void placeEditors();  // over the cell being edited, exactly
    void setHeader();
    void sizeColumns();
    QString cellText(int row, int col) const;
    void setCellText(int row, int col, const QString& text);

    void onCurrentCellChanged(int row, int col);
    void onCellClicked(int row, int col);
    void openEditor(int row, int col);
    bool hasEditor(int row, int col) const;
    void fillCombo(int col);
    void hideEditors();
    void disarmEditor();

    void commit();
    void commitReceive(int r);
    void commitTransmit(int r);
    void commitTone(int r, int c);
    void pick(int index);

    void enterPressed();
    void leaveByArrow(int rows);
    void moveTo(int row, int col);  // moves the current cell without a commit
    void cancelEdit();
    bool tabFrom(int step);
    static bool isTab(const QKeyEvent* key);

    bool filterComboKey(QKeyEvent* key);
    void comboTextEdited(const QString& text);

    void buildCommands();
    void captionCommands();
    void showContextMenu(const QPoint& at);
    QAction* command(const char* name, const char* chinese, const char* english);
    // The image after a command: every open window shows it at once.
    void applyImage(const Image& image, const std::vector<int>& select, int cursorRow = 0);
    void moveSelected(int step);
    QMimeData* channelData(const std::vector<int>& channels) const;
    void pasteData(const QMimeData* data, int first);
    void dropChannels(const std::vector<int>& channels, int before, bool copy);
    void setForSelected(const Image& image);

    ChannelTable* table_;
    QMenu* menu_ = nullptr;
    CellEditor* textEditor_;
    int editRow_ = 1;
    int editCol_ = 0;
    bool armed_ = false;    // an editor was opened on (editRow_, editCol_) and not yet committed
    QString openedText_;    // the cell's text when its editor opened
    Image openedImage_;     // the image then, for Escape
    QString lastGoodText_;  // the combo's last good text
    bool moving_ = false;   // current cell moved by code: no commit
    int naturalWidths_[10] = {};
};

}  // namespace nv
