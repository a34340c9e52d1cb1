#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "channels/ChannelBlock.h"
#include "channels/frm_chann.h"
#include "core/ChannelFile.h"
#include "core/Frequency.h"
#include "files/Form_import_csv.h"
#include "support/GuiFixture.h"
#include "support/Shots.h"

using namespace nv;

class ChannelCommandsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    frm_chann* grid = nullptr;

    void clickNumber(int r, Qt::KeyboardModifiers mods = {}) {
        QTableWidget* t = grid->MSF_chann;
        const QRect rect = t->visualRect(t->model()->index(r, 0));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, mods, rect.center());
    }
    void key(int k, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(grid->MSF_chann, static_cast<Qt::Key>(k), mods);
    }
    std::vector<int> selected() {
        std::vector<int> v;
        for (const QModelIndex& i : grid->MSF_chann->selectionModel()->selectedRows())
            v.push_back(i.row());
        std::sort(v.begin(), v.end());
        return v;
    }
    QAction* action(const char* name) { return grid->findChild<QAction*>(name); }
    // Channel n receives 400 + n MHz, so that every channel can be told apart.
    void numberChannels() {
        for (int n = 1; n <= ChannelCount; ++n) {
            const std::string f = std::to_string(400 + n) + ".00000";
            textToFrequency(f, gui->image(), n, ch::RxFreq);
            textToFrequency(f, gui->image(), n, ch::TxFreq);
            setScanBit(gui->image(), n, n % 2 == 1);
        }
        grid->refreshAll();
    }
    std::string rx(int n) { return frequencyToText(gui->image(), n, ch::RxFreq); }
    void undo() { gui->main->runCommand("Edit_undo"); }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        grid = gui->window<frm_chann>("frm_chann");
        QVERIFY(grid);
        QVERIFY(test::activated(gui->main.get()));
        numberChannels();
        QTest::qWait(1);  // the start-up state is where undo stops
    }
    void cleanup() { gui.reset(); }

    void numberColumnSelectsWholeChannels() {
        clickNumber(3);
        QCOMPARE(selected(), (std::vector<int>{3}));
        QCOMPARE(gui->state->CurrentChannel, 3);
        clickNumber(6, Qt::ShiftModifier);
        QCOMPARE(selected(), (std::vector<int>{3, 4, 5, 6}));
        clickNumber(4, Qt::ControlModifier);
        QCOMPARE(selected(), (std::vector<int>{3, 5, 6}));
        test::shot(gui->main.get(), "grid_en_selection");
        QTest::mouseClick(grid->MSF_chann->viewport(), Qt::LeftButton, {},
                          grid->MSF_chann->visualRect(grid->MSF_chann->model()->index(2, 5)).center());
        QVERIFY(selected().empty());  // another column: one cell, as always
        QVERIFY(grid->Combo_edit->isVisible());
        clickNumber(1);
        key(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(selected().size(), std::size_t(16));
    }

    void deleteInsertRemoveAndMovesWithKeys() {
        const Image start = gui->image();
        clickNumber(2);
        clickNumber(3, Qt::ShiftModifier);
        key(Qt::Key_Delete);
        QVERIFY(isEmptyChannel(gui->image(), 2) && isEmptyChannel(gui->image(), 3));
        QVERIFY(!scanBit(gui->image(), 3));
        QCOMPARE(grid->MSF_chann->item(3, 1)->text(), QString());
        undo();
        QCOMPARE(gui->image(), start);

        clickNumber(5);
        key(Qt::Key_Insert);  // channel 16 is in use
        QCOMPARE(gui->messages->lastText(),
                 QString("Channel 16 is in use: no empty channel can be inserted."));
        QCOMPARE(gui->image(), start);
        clickNumber(16);
        action("Channel_remove")->trigger();  // 16 becomes empty
        QVERIFY(isEmptyChannel(gui->image(), 16));
        clickNumber(5);
        key(Qt::Key_Insert);
        QVERIFY(isEmptyChannel(gui->image(), 5));
        QCOMPARE(rx(6), std::string("405.00000"));
        QVERIFY(scanBit(gui->image(), 6));  // channel 5 (scanned) took its bit along
        QVERIFY(!scanBit(gui->image(), 5));
        undo();
        undo();
        QCOMPARE(gui->image(), start);

        clickNumber(7);  // the scan bit travels with Alt+Down, across cells 14 and 15
        clickNumber(8, Qt::ControlModifier);
        key(Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(rx(8), std::string("407.00000"));
        QCOMPARE(rx(9), std::string("408.00000"));
        QCOMPARE(rx(7), std::string("409.00000"));
        QVERIFY(scanBit(gui->image(), 8) && !scanBit(gui->image(), 9) && scanBit(gui->image(), 7));
        QCOMPARE(selected(), (std::vector<int>{8, 9}));
        key(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(gui->image(), start);
    }

    void copyAndPasteInsideTheProgramAreExact() {
        gui->image()(2, 12) = 0x8B;  // signalling bits the grid does not show
        grid->refreshAll();
        clickNumber(2);
        clickNumber(3, Qt::ShiftModifier);
        key(Qt::Key_C, Qt::ControlModifier);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data->hasFormat("application/x-nv742-channel-rows"));
        QVERIFY(data->text().startsWith("Location,Name,Frequency"));
        QVERIFY(data->text().contains("402.000000"));
        QVERIFY(data->hasFormat("text/csv"));
        clickNumber(10);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(takeChannel(gui->image(), 10), takeChannel(gui->image(), 2));
        QCOMPARE(takeChannel(gui->image(), 11), takeChannel(gui->image(), 3));
        QVERIFY(!scanBit(gui->image(), 10));  // channel 2 is off the scan list
        const Image pasted = gui->image();
        clickNumber(16);
        key(Qt::Key_V, Qt::ControlModifier);  // two channels from 16: refused
        QCOMPARE(gui->image(), pasted);
        QVERIFY(gui->messages->lastText().startsWith("Nothing was pasted:\n2 channels do not fit"));
        clickNumber(4);
        key(Qt::Key_X, Qt::ControlModifier);
        QVERIFY(isEmptyChannel(gui->image(), 4));
        undo();
        QCOMPARE(gui->image(), pasted);
    }

    void pasteOfTextFromOtherPrograms() {
        clickNumber(4);
        QGuiApplication::clipboard()->setText("446.00625\n438.5\t431.1\n");
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rx(4), std::string("446.00625"));
        QCOMPARE(frequencyToText(gui->image(), 5, ch::TxFreq), std::string("431.10000"));
        QCOMPARE(grid->MSF_chann->item(5, 2)->text(), QString("431.10000"));
        const Image before = gui->image();
        QGuiApplication::clipboard()->setText(
            "Location\tName\tFrequency\tMode\n71\tPMR1\t446.00625\tNFM\n72\tx\t520\tFM\n");
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(gui->image(), before);
        QCOMPARE(gui->messages->lastText(),
                 QString("Nothing was pasted:\nline 3: Frequency 520 MHz is outside the band "
                         "400 - 481 MHz"));
        QGuiApplication::clipboard()->setText(
            "Location,Name,Frequency,Mode\n71,PMR1,446.00625,NFM\n");
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rx(4), std::string("446.00625"));
        QCOMPARE(getField(gui->image(), 4, ch::Wide), 0);
        undo();
        QCOMPARE(gui->image(), before);
    }

    void settingsForSeveralChannels() {
        ClearChannel(gui->image(), 6);
        grid->refreshAll();
        clickNumber(5);
        clickNumber(7, Qt::ShiftModifier);
        const Image before = gui->image();
        action("Channel_set_power_low")->trigger();
        action("Channel_set_narrow")->trigger();
        action("Channel_set_scan_off")->trigger();
        for (int n : {5, 7}) {
            QCOMPARE(getField(gui->image(), n, ch::HighPower), 0);
            QCOMPARE(getField(gui->image(), n, ch::Wide), 0);
            QVERIFY(!scanBit(gui->image(), n));
        }
        QCOMPARE(takeChannel(gui->image(), 6), emptySlot());
        QCOMPARE(gui->image()(5, 13) & 0x8F, before(5, 13) & 0x8F);
        QCOMPARE(grid->MSF_chann->item(7, 5)->text(), QString("Low"));

        QTimer::singleShot(0, this, [] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->findChild<QComboBox*>("Combo_decode")->setCurrentIndex(13);  // 100.0 Hz
            d->findChild<QComboBox*>("Combo_encode")->setCurrentIndex(1);   // 67.0 Hz
            d->accept();
        });
        action("Channel_set_tones")->trigger();
        QCOMPARE(gui->image()(5, 8), 0xE8);
        QCOMPARE(gui->image()(7, 10), 0x9E);

        QTimer::singleShot(0, this, [] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->findChild<QComboBox*>("Combo_direction")->setCurrentIndex(1);
            QTest::keyClicks(d->findChild<QLineEdit*>("Text_offset"), "5");
            d->accept();
        });
        action("Channel_set_offset")->trigger();
        QCOMPARE(frequencyToText(gui->image(), 7, ch::TxFreq), std::string("402.00000"));
        QCOMPARE(frequencyToText(gui->image(), 5, ch::TxFreq), std::string("400.00000"));

        const Image withOffset = gui->image();
        clickNumber(1);  // 401 - 5 is outside the band
        QTimer::singleShot(0, this, [] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            d->findChild<QComboBox*>("Combo_direction")->setCurrentIndex(1);
            d->findChild<QLineEdit*>("Text_offset")->setText("5");
            d->accept();
        });
        action("Channel_set_offset")->trigger();
        QCOMPARE(gui->image(), withOffset);
        QVERIFY(gui->messages->lastText().contains("Channels 1"));
    }

    void sortAndContextMenuInBothLanguages() {
        textToFrequency("450.00000", gui->image(), 1, ch::RxFreq);
        ClearChannel(gui->image(), 2);
        grid->refreshAll();
        clickNumber(1);
        action("Channel_sort")->trigger();  // one channel selected: all 16 are sorted
        QCOMPARE(rx(1), std::string("403.00000"));
        QCOMPARE(rx(15), std::string("450.00000"));
        QVERIFY(isEmptyChannel(gui->image(), 16));

        QMenu* menu = grid->contextMenu();
        QCOMPARE(action("Channel_copy")->text(), QString("Copy"));
        menu->popup(grid->mapToGlobal(QPoint(40, 60)));
        QTRY_VERIFY(menu->isVisible());
        test::shot(menu, "grid_en_context_menu");
        menu->hide();
        gui->main->Language_chn_Click();
        grid->contextMenu();
        QCOMPARE(action("Channel_copy")->text(), QString("复制"));
        QCOMPARE(action("Channel_delete")->shortcut(), QKeySequence(Qt::Key_Delete));
        QCOMPARE(action("Channel_up")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Up));
        menu->popup(grid->mapToGlobal(QPoint(40, 60)));
        QTRY_VERIFY(menu->isVisible());
        test::shot(menu, "grid_zh_context_menu");
        menu->hide();
        gui->main->runCommand("Channel_edit");
        grid = gui->window<frm_chann>("frm_chann");
        clickNumber(2);
        clickNumber(5, Qt::ShiftModifier);
        test::shot(gui->main.get(), "grid_zh_selection");
    }

    void windowMenuTilesCascadesAndListsTheOpenWindows() {
        auto* menu = gui->main->findChild<QMenu*>("Window");
        QVERIFY(menu);
        // The Window menu follows the described menus; only the Help menu comes after it.
        const QList<QAction*> menus = gui->main->menuBar()->actions();
        QCOMPARE(menus.at(menus.size() - 2), menu->menuAction());
        QCOMPARE(menus.last()->objectName(), QString("Help"));
        QCOMPARE(menu->menuAction()->text(), QString("Window"));
        gui->main->runCommand("Scan_edit");
        gui->main->runCommand("Window_tile");
        auto* area = gui->main->findChild<QMdiArea*>("MDIArea");
        QCOMPARE(area->subWindowList().size(), 2);
        QVERIFY(!area->subWindowList()[0]->geometry().intersects(area->subWindowList()[1]->geometry()));
        gui->main->runCommand("Window_cascade");
        emit menu->aboutToShow();
        QStringList listed;
        for (QAction* a : menu->actions())
            if (a->objectName() == "Window_list") listed << a->text();
        QCOMPARE(listed.size(), 2);
        QVERIFY(listed[0].contains("Channel Information"));
        gui->main->Language_chn_Click();
        QCOMPARE(menu->menuAction()->text(), QString("窗口"));
        QCOMPARE(gui->main->findChild<QAction*>("Window_tile")->text(), QString("平铺"));
        QApplication::processEvents();
        QMenuBar* bar = gui->main->menuBar();  // every menu stays in view on the bar
        QVERIFY(bar->rect().contains(bar->actionGeometry(menu->menuAction())));
    }

    void drop(QWidget* target, QMimeData* data, QPoint at) {
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &dropped);
    }

    void droppedTextAndChannelFiles() {
        QTableWidget* t = grid->MSF_chann;
        auto text = std::make_unique<QMimeData>();
        text->setText("440.1 445.1\n");
        drop(t->viewport(), text.get(), t->visualRect(t->model()->index(6, 1)).center());
        QCOMPARE(rx(6), std::string("440.10000"));
        QCOMPARE(frequencyToText(gui->image(), 6, ch::TxFreq), std::string("445.10000"));

        QTemporaryDir dir;
        Image other = gui->image();
        textToFrequency("470.00000", other, 1, ch::RxFreq);
        QFile f(dir.filePath("fleet.chann"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(channelFileText(other)));
        f.close();
        auto file = std::make_unique<QMimeData>();
        file->setUrls({QUrl::fromLocalFile(f.fileName())});
        drop(gui->main.get(), file.get(), QPoint(200, 200));
        QCOMPARE(rx(1), std::string("470.00000"));
        QCOMPARE(t->item(1, 1)->text(), QString("470.00000"));
        QCOMPARE(QString::fromStdString(gui->state->CurrentFilePath), f.fileName());

        QFile csv(dir.filePath("pmr.csv"));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("Location,Name,Frequency\n2,PMR1,446.00625\n");
        csv.close();
        file->setUrls({QUrl::fromLocalFile(csv.fileName())});
        drop(gui->main.get(), file.get(), QPoint(200, 200));
        auto* dialog = gui->main->findChild<Form_import_csv*>("Form_import_csv");
        QVERIFY(dialog);  // the rows first, then the import
        QTest::mouseClick(dialog->Command_import, Qt::LeftButton);
        QCOMPARE(rx(2), std::string("446.00625"));
        QVERIFY(gui->main->child("Form_Csv_Import"));
        QCOMPARE(grid->MSF_chann->item(2, 1)->text(), QString("446.00625"));
    }

    void rightClickOpensTheMenuOnTheClickedChannel() {
        QTableWidget* t = grid->MSF_chann;
        const QPoint at = t->visualRect(t->model()->index(9, 3)).center();
        QTest::mousePress(t->viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(t->viewport(), Qt::RightButton, {}, at);
        QCOMPARE(selected(), (std::vector<int>{9}));
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, t->viewport()->mapToGlobal(at));
        QApplication::sendEvent(t->viewport(), &event);
        auto* menu = grid->findChild<QMenu*>("Menu_channels");
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(action("Channel_delete")).center());
        QTRY_VERIFY(!menu->isVisible());
        QVERIFY(isEmptyChannel(gui->image(), 9));
        QVERIFY(!isEmptyChannel(gui->image(), 8));
        QTest::qWait(1);
        undo();
        QCOMPARE(rx(9), std::string("409.00000"));
    }

    void keysInAnOpenEditorStayTheEditors() {
        const Image before = gui->image();
        QTableWidget* t = grid->MSF_chann;
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {},
                          t->visualRect(t->model()->index(3, 1)).center());
        QVERIFY(grid->Text_Edit->isVisible());
        QGuiApplication::clipboard()->setText("x");
        QTest::keyClick(grid->Text_Edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(grid->Text_Edit, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasFormat("application/x-nv742-channel-rows"));
        QTest::keyClick(grid->Text_Edit, Qt::Key_Delete);  // the box's Delete, not the channel's
        QCOMPARE(grid->Text_Edit->text(), QString());
        QVERIFY(grid->Text_Edit->isVisible());
        QCOMPARE(gui->image(), before);
    }
};

QTEST_MAIN(ChannelCommandsTest)
#include "ChannelCommandsTest.moc"
