// The channel grid's whole-channel commands: selection, clipboard, moves and settings for many.
// The work on the image is done by the record operations; here they meet the grid.

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QTableWidget>

#include "channels/ChannelBlock.h"
#include "channels/csv/Writer.h"
#include "channels/ChannelPaste.h"
#include "channels/ChannelSetDialogs.h"
#include "channels/ChannelTable.h"
#include "channels/frm_chann.h"
#include "widgets/Messages.h"

namespace nv {

namespace {

const char* const ChannelsMime = "application/x-nv742-channel-rows";

struct CommandDef {
    const char* name;
    const char* chinese;
    const char* english;
    QKeySequence::StandardKey standard;
    const char* keys;  // when there is no standard key
};

// In menu order; nullptr names a separator.
const CommandDef Commands[] = {
    {"Channel_copy", "复制", "Copy", QKeySequence::Copy, nullptr},
    {"Channel_cut", "剪切", "Cut", QKeySequence::Cut, nullptr},
    {"Channel_paste", "粘贴", "Paste", QKeySequence::Paste, nullptr},
    {"Channel_select_all", "全选", "Select All", QKeySequence::SelectAll, nullptr},
    {nullptr, nullptr, nullptr, QKeySequence::UnknownKey, nullptr},
    {"Channel_delete", "删除", "Delete", QKeySequence::UnknownKey, "Del"},
    {"Channel_insert", "插入空信道", "Insert Empty Channel", QKeySequence::UnknownKey,
     "Ins"},
    {"Channel_remove", "移除（下方信道上移）", "Remove (Channels Below Move Up)",
     QKeySequence::UnknownKey, nullptr},
    {"Channel_up", "上移", "Move Up", QKeySequence::UnknownKey, "Alt+Up"},
    {"Channel_down", "下移", "Move Down", QKeySequence::UnknownKey, "Alt+Down"},
    {"Channel_sort", "按接收频率排序", "Sort by Receive Frequency", QKeySequence::UnknownKey, nullptr},
    {nullptr, nullptr, nullptr, QKeySequence::UnknownKey, nullptr},
    {"Channel_set_power_high", "发射功率：高", "TX Power: High", QKeySequence::UnknownKey, nullptr},
    {"Channel_set_power_low", "发射功率：低", "TX Power: Low", QKeySequence::UnknownKey, nullptr},
    {"Channel_set_wide", "信道带宽：宽带", "W/N: Wide", QKeySequence::UnknownKey, nullptr},
    {"Channel_set_narrow", "信道带宽：窄带", "W/N: Narrow", QKeySequence::UnknownKey, nullptr},
    {"Channel_set_scan_on", "扫描添加：有", "Scan Add: Yes", QKeySequence::UnknownKey, nullptr},
    {"Channel_set_scan_off", "扫描添加：无", "Scan Add: None", QKeySequence::UnknownKey, nullptr},
    {"Channel_set_tones", "设置音频…", "Set Tones…", QKeySequence::UnknownKey, nullptr},
    {"Channel_set_offset", "设置中继频差…", "Set Repeater Offset…", QKeySequence::UnknownKey, nullptr},
};

QString joined(const std::vector<int>& channels) {
    QStringList t;
    for (int n : channels) t << QString::number(n);
    return t.join(", ");
}

}  // namespace

void frm_chann::buildCommands() {
    menu_ = new QMenu(this);
    menu_->setObjectName("Menu_channels");
    for (const CommandDef& d : Commands) {
        if (!d.name) {
            menu_->addSeparator();
            continue;
        }
        auto* a = new QAction(this);
        a->setObjectName(d.name);
        if (d.standard != QKeySequence::UnknownKey)
            a->setShortcuts(d.standard);
        else if (d.keys)
            a->setShortcut(QKeySequence(QString::fromLatin1(d.keys)));
        // Only while the grid itself has the keyboard: in an open editor these keys are the
        // editor's (its own copy, paste, delete and arrows).
        a->setShortcutContext(Qt::WidgetShortcut);
        MSF_chann->addAction(a);
        menu_->addAction(a);
    }
    captionCommands();
    auto on = [this](const char* name, auto handler) {
        connect(findChild<QAction*>(name), &QAction::triggered, this, handler);
    };
    on("Channel_copy", &frm_chann::Channel_copy_Click);
    on("Channel_cut", &frm_chann::Channel_cut_Click);
    on("Channel_paste", &frm_chann::Channel_paste_Click);
    on("Channel_select_all", [this] { table_->selectAllChannels(); });
    on("Channel_delete", &frm_chann::Channel_delete_Click);
    on("Channel_insert", &frm_chann::Channel_insert_Click);
    on("Channel_remove", &frm_chann::Channel_remove_Click);
    on("Channel_up", &frm_chann::Channel_up_Click);
    on("Channel_down", &frm_chann::Channel_down_Click);
    on("Channel_sort", &frm_chann::Channel_sort_Click);
    const Image& im = state.RadioImage;
    on("Channel_set_power_high",
       [this, &im] { setForSelected(setFieldFor(im, selectedChannels(), ch::HighPower, 1)); });
    on("Channel_set_power_low",
       [this, &im] { setForSelected(setFieldFor(im, selectedChannels(), ch::HighPower, 0)); });
    on("Channel_set_wide",
       [this, &im] { setForSelected(setFieldFor(im, selectedChannels(), ch::Wide, 1)); });
    on("Channel_set_narrow",
       [this, &im] { setForSelected(setFieldFor(im, selectedChannels(), ch::Wide, 0)); });
    on("Channel_set_scan_on",
       [this, &im] { setForSelected(setScanFor(im, selectedChannels(), true)); });
    on("Channel_set_scan_off",
       [this, &im] { setForSelected(setScanFor(im, selectedChannels(), false)); });
    on("Channel_set_tones", &frm_chann::Channel_set_tones_Click);
    on("Channel_set_offset", &frm_chann::Channel_set_offset_Click);

    MSF_chann->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MSF_chann, &QWidget::customContextMenuRequested, this, &frm_chann::showContextMenu);
    // From the keyboard the menu opens at the cursor's cell.
    auto* menuKey = new QAction(this);
    menuKey->setObjectName("Channel_menu");
    menuKey->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    menuKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(menuKey, &QAction::triggered, this, [this] {
        const QModelIndex at = MSF_chann->model()->index(std::max(1, MSF_chann->currentRow()),
                                                         std::max(0, MSF_chann->currentColumn()));
        showContextMenu(MSF_chann->visualRect(at).center());
    });
    MSF_chann->addAction(menuKey);
    table_->dragData = [this] { return channelData(selectedChannels()); };
    table_->dropChannels = [this](const std::vector<int>& channels, int before, bool copy) {
        dropChannels(channels, before, copy);
    };
    table_->dropData = [this](const QMimeData* data, int at) { pasteData(data, at); };
}

// The entries follow the language of the moment, as message boxes do.
void frm_chann::captionCommands() {
    for (const CommandDef& d : Commands)
        if (d.name) findChild<QAction*>(d.name)->setText(qpick(state, d.chinese, d.english));
}

QMenu* frm_chann::contextMenu() {
    captionCommands();
    return menu_;
}

void frm_chann::showContextMenu(const QPoint& at) {
    contextMenu()->popup(MSF_chann->viewport()->mapToGlobal(at));
}

// With no whole channels selected, the channel under the cursor; with the cursor on the title
// row (Home, Page Up, or no cell yet), the channel clicked last.
std::vector<int> frm_chann::selectedChannels() const {
    std::vector<int> channels = table_->selectedChannels();
    if (!channels.empty()) return channels;
    const int cursor = MSF_chann->currentRow();
    const int n = cursor >= 1 && cursor <= ChannelCount ? cursor : state.CurrentChannel;
    if (n >= 1 && n <= ChannelCount) channels.push_back(n);
    return channels;
}

void frm_chann::selectChannels(const std::vector<int>& channels) {
    table_->selectChannels(channels);
}

void frm_chann::applyImage(const Image& image, const std::vector<int>& select, int cursorRow) {
    disarmEditor();
    if (image != state.RadioImage) {
        state.RadioImage = image;
        for (QMdiSubWindow* sub : workspace.workArea()->subWindowList())
            if (auto* w = qobject_cast<MdiChild*>(sub->widget()); w && w != this) w->refresh();
    }
    refreshAll();
    if (cursorRow >= 1) moveTo(cursorRow, MSF_chann->currentColumn());
    selectChannels(select);
}

void frm_chann::setForSelected(const Image& image) { applyImage(image, table_->selectedChannels()); }

// ---- clipboard ---------------------------------------------------------------------------------

QMimeData* frm_chann::channelData(const std::vector<int>& channels) const {
    auto* data = new QMimeData;
    data->setData(ChannelsMime,
                  QByteArray::fromStdString(channelClipText(state.RadioImage, channels)));
    const QByteArray csv =
        QByteArray::fromStdString(exportChannelRowsCsv(state, state.RadioImage, channels).text);
    data->setText(QString::fromUtf8(csv));
    data->setData("text/csv", csv);
    return data;
}

void frm_chann::Channel_copy_Click() {
    QGuiApplication::clipboard()->setMimeData(channelData(selectedChannels()));
}

void frm_chann::Channel_cut_Click() {
    Channel_copy_Click();
    Channel_delete_Click();
}

void frm_chann::Channel_paste_Click() {
    const std::vector<int> selected = selectedChannels();
    if (selected.empty()) return;
    pasteData(QGuiApplication::clipboard()->mimeData(), selected.front());
}

void frm_chann::pasteData(const QMimeData* data, int first) {
    if (!data) return;
    PasteResult r{state.RadioImage, {}, {}, {}};
    std::optional<std::vector<ChannelSlot>> own;
    if (data->hasFormat(ChannelsMime)) own = readChannelClip(data->data(ChannelsMime).toStdString());
    if (own)
        r = pasteSlots(state.RadioImage, *own, first);
    else if (data->hasText())
        r = pasteText(state, state.RadioImage, data->text().toStdString(), first);
    else
        return;
    if (!r.ok()) {
        QStringList zh{QStringLiteral("没有粘贴任何信道：")}, en{QStringLiteral("Nothing was pasted:")};
        for (const PasteProblem& p : r.problems) {
            zh << qs(pasteProblemText(p, true));
            en << qs(pasteProblemText(p, false));
        }
        prompt(state, this, zh.join('\n'), en.join('\n'));
        return;
    }
    applyImage(r.image, r.channels);
    if (r.snaps.empty()) return;
    QStringList zh{QStringLiteral("已粘贴；以下频率不在信道步进上：")},
        en{QStringLiteral("Pasted; these frequencies are off the channel raster:")};
    for (const CsvNote& n : r.snaps) {
        zh << qs(csvNoteText(n, true));
        en << qs(csvNoteText(n, false));
    }
    prompt(state, this, zh.join('\n'), en.join('\n'));
}

// ---- moves -------------------------------------------------------------------------------------

void frm_chann::Channel_delete_Click() {
    const std::vector<int> selected = selectedChannels();
    applyImage(deleteChannels(state.RadioImage, selected), table_->selectedChannels());
}

void frm_chann::Channel_insert_Click() {
    const std::vector<int> selected = selectedChannels();
    if (selected.empty()) return;
    const auto out = insertChannel(state.RadioImage, selected.front());
    if (!out) {
        prompt(state, this, "信道 16 已被使用，无法插入空信道。",
               "Channel 16 is in use: no empty channel can be inserted.");
        return;
    }
    applyImage(*out, {selected.front()});
}

void frm_chann::Channel_remove_Click() {
    const std::vector<int> selected = selectedChannels();
    if (selected.empty()) return;
    applyImage(removeChannels(state.RadioImage, selected), {selected.front()});
}

void frm_chann::Channel_up_Click() { moveSelected(-1); }
void frm_chann::Channel_down_Click() { moveSelected(1); }

// The cursor goes along with the channel it is on.
void frm_chann::moveSelected(int step) {
    const std::vector<int> selected = selectedChannels();
    const auto out = moveChannels(state.RadioImage, selected, step);
    if (!out) return;
    const int cursor = MSF_chann->currentRow();
    const bool carried = std::find(selected.begin(), selected.end(), cursor) != selected.end();
    applyImage(*out, movedSelection(selected, step), carried ? cursor + step : 0);
}

void frm_chann::Channel_sort_Click() {
    applyImage(sortChannels(state.RadioImage, table_->selectedChannels()),
               table_->selectedChannels());
}

void frm_chann::dropChannels(const std::vector<int>& channels, int before, bool copy) {
    if (channels.empty()) return;
    if (!copy) {
        applyImage(dragChannels(state.RadioImage, channels, before),
                   draggedSelection(channels, before));
        return;
    }
    std::vector<ChannelSlot> carried;
    for (int n : channels) carried.push_back(takeChannel(state.RadioImage, n));
    const PasteResult r = pasteSlots(state.RadioImage, carried, std::min(before, ChannelCount));
    if (!r.ok()) {
        prompt(state, this, qs(pasteProblemText(r.problems.front(), true)),
               qs(pasteProblemText(r.problems.front(), false)));
        return;
    }
    applyImage(r.image, r.channels);
}

// ---- settings for many -------------------------------------------------------------------------

void frm_chann::Channel_set_tones_Click() {
    const std::vector<int> selected = selectedChannels();
    Dialog_tones dialog(state, this);
    if (execKeepingFocus(dialog) != QDialog::Accepted) return;
    setForSelected(setTonesFor(state.RadioImage, selected, dialog.decode(), dialog.encode()));
}

void frm_chann::Channel_set_offset_Click() {
    const std::vector<int> selected = selectedChannels();
    Dialog_offset dialog(state, this);
    OffsetResult result;
    const auto check = [&] {
        const QString offset = dialog.Text_offset->text().trimmed();
        if (offset.isEmpty() || offset.count('.') > 1 || offset == ".") {
            prompt(state, &dialog, "请输入以 MHz 为单位的频差。", "Please give the offset in MHz.");
            return false;
        }
        result = setOffsetFor(state, state.RadioImage, selected, offset.toStdString(), dialog.up());
        if (result.ok()) return true;
        prompt(state, &dialog,
               QStringLiteral("发射频率超出范围 ！信道 %1，未作更改。").arg(joined(result.outsideBand)),
               QStringLiteral("Over the range of transmit frequency . Channels %1: nothing was "
                              "changed.")
                   .arg(joined(result.outsideBand)));
        return false;
    };
    dialog.check = check;
    if (execKeepingFocus(dialog) != QDialog::Accepted || !check()) return;
    setForSelected(result.image);
}

}  // namespace nv
