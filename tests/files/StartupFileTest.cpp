// A channel file named on the command line (a double click in a file manager): loaded after
// start-up has opened the grid, with the open dialog's checks and messages.

#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "channels/ChannelRecord.h"
#include "channels/frm_chann.h"
#include "core/ChannelFile.h"
#include "files/ChannelFileDialogs.h"
#include "sim/VirtualRadio.h"
#include "support/GuiFixture.h"

using namespace nv;

class StartupFileTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    std::unique_ptr<QTemporaryDir> dir;

    QString path(const QString& name) const { return dir->filePath(name); }
    void writeFile(const QString& name, const QByteArray& data) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    // A configuration that differs from the factory defaults in every channel.
    static Image radioImage() {
        Image im;
        const VirtualRadio::Memory memory = VirtualRadio::plausibleMemory();
        for (int a = 0; a < VirtualRadio::MemorySize; ++a) im(a / 16, a % 16) = memory[a];
        im(53, 21) = 77;  // a spare cell travels with the file
        return im;
    }
    QString gridCell(int row, int col) const {
        return gui->window<frm_chann>("frm_chann")->MSF_chann->item(row, col)->text();
    }
    bool open(const QString& argument) {
        return openChannelFileAtStartup(*gui->state, *gui->main, argument);
    }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup() {
        gui.reset();
        dir.reset();
    }

    void loadsTheFileIntoTheOpenGrid() {
        const Image file = radioImage();
        writeFile("radio.chann", QByteArray::fromStdString(channelFileText(file)));
        QVERIFY(gui->window<frm_chann>("frm_chann"));
        const QString defaultFrequency = gridCell(1, 1);
        gui->image()(60, 3) = 5;  // rows above the file stay
        QString shownWithTheMessage;
        gui->messages->onMessage = [&] { shownWithTheMessage = gridCell(1, 1); };

        QVERIFY(open(path("radio.chann")));
        QCOMPARE(gui->messages->lastTitle(), QString("Operate prompt"));
        QCOMPARE(gui->messages->lastText(),
                 QString("Succeed fold the channel parameter from file."));
        QCOMPARE(gui->messages->messages.size(), 1);
        for (int r = 0; r < ChannelFileRows; ++r)
            for (int c = 0; c < ChannelFileCells; ++c) QCOMPARE(gui->image()(r, c), file(r, c));
        QCOMPARE(gui->image()(60, 3), 5);
        QCOMPARE(QString::fromStdString(gui->state->CurrentFilePath),
                 QDir(dir->path()).canonicalPath() + "/radio.chann");

        // The grid shows the file at once, before the message, not only when it is next
        // activated.
        QVERIFY(gridCell(1, 1) != defaultFrequency);
        QCOMPARE(shownWithTheMessage, gridCell(1, 1));
        for (int n = 1; n <= ChannelCount; ++n) {
            const auto texts = gridRowTexts(*gui->state, n, false);
            for (int c = 1; c < 10; ++c) QCOMPARE(gridCell(n, c), QString::fromStdString(texts[c]));
        }
        test::shot(gui->main.get(), "startup_file_en");
    }

    void relativeNamesAndUpperCaseSuffix() {
        writeFile("RADIO.CHANN", QByteArray::fromStdString(channelFileText(radioImage())));
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir->path());
        const bool loaded = open("RADIO.CHANN");
        QDir::setCurrent(before);
        QVERIFY(loaded);
        QCOMPARE(QString::fromStdString(gui->state->CurrentFilePath),
                 QDir(dir->path()).canonicalPath() + "/RADIO.CHANN");
    }

    void refusedNamesTouchNothing() {
        writeFile("notes.txt", QByteArray::fromStdString(channelFileText(radioImage())));
        writeFile("my#radio.chann", QByteArray::fromStdString(channelFileText(radioImage())));
        const Image before = gui->image();
        const QList<std::pair<QString, QString>> cases = {
            {"notes.txt", "Nullity file suffix name of channel parameter."},
            {"radio.Chann", "Nullity file suffix name of channel parameter."},
            {"", "Nullity file suffix name of channel parameter."},
            {"my#radio.chann", "Open the file name of channel parameter is nullity "},
            {"a$b.chann", "Open the file name of channel parameter is nullity "},
        };
        for (const auto& [name, message] : cases) {
            QVERIFY(!open(name.isEmpty() ? name : path(name)));
            QCOMPARE(gui->messages->lastText(), message);
            QCOMPARE(gui->messages->lastTitle(), QString("Operate prompt"));
        }
        QCOMPARE(gui->image(), before);
        QVERIFY(gui->state->CurrentFilePath.empty());
    }

    void brokenFilesLeaveTheDefaults() {
        const QByteArray text = QByteArray::fromStdString(channelFileText(Image{}));
        writeFile("short.chann", text.left(text.size() / 2));
        QDir(dir->path()).mkdir("folder.chann");
        const Image before = gui->image();
        const QString shownBefore = gridCell(1, 1);
        const QList<std::pair<QString, QString>> cases = {
            {"short.chann",
             "The channel parameter file is incomplete: it holds 594 values, 1188 are needed."},
            {"missing.chann", "The channel parameter file cannot be opened: " +
                                  path("missing.chann") + " does not exist"},
            {"folder.chann", "The channel parameter file cannot be opened: " +
                                 path("folder.chann") + " is a folder"},
        };
        for (const auto& [name, message] : cases) {
            QVERIFY(!open(path(name)));
            QCOMPARE(gui->messages->lastText(), message);
            // As with the open dialog, the name passed its check: it is the current file.
            QCOMPARE(QString::fromStdString(gui->state->CurrentFilePath),
                     QDir(dir->path()).canonicalPath() + "/" + name);
        }
        QCOMPARE(gui->image(), before);
        QCOMPARE(gridCell(1, 1), shownBefore);
    }
};

QTEST_MAIN(StartupFileTest)
#include "StartupFileTest.moc"
