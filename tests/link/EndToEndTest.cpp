// The whole programming job through the real serial-port layer: the virtual radio serves a
// pseudo-terminal on a thread, the application opens it with QSerialPort.

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <ctime>
#include <memory>
#include <thread>

#include "channels/frm_chann.h"
#include "core/ChannelFile.h"
#include "files/ChannelFileDialogs.h"
#include "link/CommWindows.h"
#include "link/PortDirectory.h"
#include "link/RoutedPort.h"
#include "sim/PtyServer.h"
#include "support/MessageRecorder.h"
#include "ui/MDImain.h"

using namespace nv;

namespace {
double processorSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}
}  // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

  private slots:
    void aPulledCableEndsInTheTimeOutAndThePortMessageWithoutSpinning() {
        VirtualRadio radio;
        auto server = std::make_unique<PtyServer>(radio);
        server->emulateBaudRate = true;  // a read takes over a second
        std::string error;
        const std::string pty = server->open(&error);
        QVERIFY2(!pty.empty(), error.c_str());
        std::atomic<bool> stop{false};
        std::thread serving([&] { server->serve(stop); });

        AppState state;
        PortDirectory directory;
        directory.assign(2, QString::fromStdString(pty));
        auto line = std::make_shared<VirtualRadioLine>();
        PortLayer layer;
        layer.create = [&] { return std::make_unique<RoutedPort>(directory, line); };
        layer.describe = [&](int n) { return directory.target(n).toStdString(); };
        test::MessageRecorder messages;
        MDImain main(state, layer);
        main.Form_Load();
        main.runCommand("Prog_read");
        auto* reader = qobject_cast<Form_Comm_Read*>(main.child("Form_Comm_Read"));
        QTest::mouseClick(reader->Command_start, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(reader->engine().LinkState >= 4, 15000);

        stop = true;  // the cable is pulled: the device goes away
        serving.join();
        server.reset();
        const double before = processorSeconds();
        QTRY_COMPARE_WITH_TIMEOUT(messages.messages.size(), 1, 15000);
        const double used = processorSeconds() - before;
        // Another test running at the same time may be given the freed pseudo-terminal's
        // number: then the next attempt reaches no radio of ours and the link fails instead.
        const QString gone =
            "Communication port is error, please setting right communication port . ！\n" +
            QString::fromStdString(pty) + ": the device does not exist.";
        QVERIFY2(messages.lastText() == gone ||
                     messages.lastText().startsWith("Fail connect with transceiver.\n"),
                 qPrintable(messages.lastText()));
        QVERIFY2(used < 0.3, qPrintable(QString("%1 s of processor time").arg(used)));
        QVERIFY(main.child("Form_Comm_Read"));
    }

    void readEditWriteSaveLoad() {
        VirtualRadio radio;
        PtyServer server(radio);
        std::string error;
        const std::string pty = server.open(&error);
        QVERIFY2(!pty.empty(), error.c_str());
        std::atomic<bool> stop{false};
        std::thread serving([&] { server.serve(stop); });

        AppState state;
        PortDirectory directory;
        directory.assign(2, QString::fromStdString(pty));
        auto line = std::make_shared<VirtualRadioLine>();
        PortLayer layer;
        layer.create = [&] { return std::make_unique<RoutedPort>(directory, line); };
        layer.describe = [&](int n) { return directory.target(n).toStdString(); };
        test::MessageRecorder messages;
        {
            MDImain main(state, layer);
            main.Form_Load();
            QCOMPARE(state.CommPortNumber, 2);  // the probe found the pseudo-terminal

            main.runCommand("Prog_read");
            auto* reader = qobject_cast<Form_Comm_Read*>(main.child("Form_Comm_Read"));
            QTest::mouseClick(reader->Command_start, Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(messages.messages.size(), 1, 10000);
            QCOMPARE(messages.lastText(), QString("Complete reading the data from transceiver."));
            const VirtualRadio::Memory before = radio.memory;  // the radio is idle now
            for (int a = 0; a < 1024; ++a)
                QCOMPARE(int(state.RadioImage(a / 16, a % 16)), int(before[a]));

            // Edit channel 2's receive frequency in the grid.
            auto* grid = qobject_cast<frm_chann*>(main.child("frm_chann"));
            QTRY_VERIFY(!main.child("Form_Comm_Read"));
            QTableWidget* t = grid->MSF_chann;
            QTest::mouseClick(t->viewport(), Qt::LeftButton, {},
                              t->visualRect(t->model()->index(2, 1)).center());
            grid->Text_Edit->selectAll();
            QTest::keyClicks(grid->Text_Edit, "447.5");
            QTest::mouseClick(t->viewport(), Qt::LeftButton, {},
                              t->visualRect(t->model()->index(3, 0)).center());
            QCOMPARE(int(state.RadioImage(2, 2)), 0x75);
            QCOMPARE(int(state.RadioImage(2, 3)), 0x44);

            main.runCommand("Prog_write");
            auto* writer = qobject_cast<Form_Comm_Write*>(main.child("Form_Comm_Write"));
            QTest::mouseClick(writer->Command_start, Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(messages.messages.size(), 2, 10000);
            QCOMPARE(messages.lastText(), QString("Complete writing Data to the transceiver."));
            QTRY_VERIFY(radio.ended);

            // Save, change the image, load back.
            QTemporaryDir dir;
            state.CurrentFilePath = dir.filePath("x.chann").toStdString();
            main.runCommand("File_save");
            auto* save = qobject_cast<Form_save_chann*>(main.child("Form_save_chann"));
            save->Text1->setText("job.chann");
            QTest::mouseClick(save->Command_enter, Qt::LeftButton);
            const Image saved = state.RadioImage;
            for (int c = 0; c < 16; ++c) state.RadioImage(2, c) = 0xFF;
            main.runCommand("File_Open");
            auto* load = qobject_cast<Form_open_chann*>(main.child("Form_open_chann"));
            load->Text1->setText("job.chann");
            QTest::mouseClick(load->Command_enter, Qt::LeftButton);
            QCOMPARE(messages.lastText(), QString("Succeed fold the channel parameter from file."));
            QCOMPARE(state.RadioImage, saved);
        }
        stop = true;
        serving.join();
        for (int a = 0; a < 49 * 16; ++a)
            QCOMPARE(int(radio.memory[a]), int(state.RadioImage(a / 16, a % 16)));
        QCOMPARE(radio.writesStored, 49);
    }
};

QTEST_MAIN(EndToEndTest)
#include "EndToEndTest.moc"
