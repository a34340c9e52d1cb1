// The adjustment window against nv742-sim on a pseudo-terminal, through the real serial port:
// what a write puts into the radio comes back by a read.

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "adjust/AdjustData.h"
#include "adjust/frm_Adj_Txp.h"
#include "core/Defaults.h"
#include "link/PortDirectory.h"
#include "link/RoutedPort.h"
#include "support/MessageRecorder.h"
#include "ui/MDImain.h"

using namespace nv;

class AdjustEndToEndTest : public QObject {
    Q_OBJECT
    QProcess server;

    QString startServer(const QStringList& args) {
        server.start(QStringLiteral(NV742_BIN_DIR "/nv742-sim"), args);
        if (!server.waitForReadyRead(5000)) return {};
        return QString::fromLocal8Bit(server.readLine()).trimmed();
    }

    void writeThenRead(const QStringList& serverArgs) {
        const QString pty = startServer(serverArgs);
        QVERIFY(pty.startsWith("/dev/"));
        AppState state;
        PortDirectory directory;
        directory.assign(4, pty);
        auto line = std::make_shared<VirtualRadioLine>();
        PortLayer layer;
        layer.create = [&] { return std::make_unique<RoutedPort>(directory, line); };
        layer.describe = [&](int n) { return directory.target(n).toStdString(); };
        test::MessageRecorder messages;
        {
            MDImain main(state, layer);
            main.Form_Load();
            QCOMPARE(state.CommPortNumber, 4);
            main.runCommand("Other");
            auto* w = qobject_cast<frm_Adj_Txp*>(main.child("frm_Adj_Txp"));
            QVERIFY(w);
            // A write sends what a read or a file gave, changed by the user.
            QTest::mouseClick(w->Command_read, Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(messages.messages.size(), 1, 15000);
            QCOMPARE(messages.lastText(), QString("Complete reading the data from transceiver."));
            w->Combo_dev_Voice->setCurrentIndex(90);
            w->Combo_Txp_H[7]->setCurrentIndex(41);
            state.AdjustImage(5, 2) = 0xA5;  // carried, not edited
            state.AdjustImage(6, 15) = 0x5A;
            state.AdjustImage(3, 0) = 'Q';
            const AdjustTable written = state.AdjustImage;

            QTest::mouseClick(w->Command_write, Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(messages.messages.size(), 2, 15000);
            QCOMPARE(messages.lastText(),
                     QString("Complete writing optional parameters to the transceiver."));

            buildDefaultAdjustImage(state.AdjustImage);
            QTest::mouseClick(w->Command_read, Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(messages.messages.size(), 3, 15000);
            QCOMPARE(messages.lastText(), QString("Complete reading the data from transceiver."));
            for (int r = 0; r <= 6; ++r)
                for (int c = 0; c < 16; ++c)
                    QCOMPARE(int(state.AdjustImage(r, c)), int(written(r, c)));
            QCOMPARE(w->Combo_dev_Voice->currentIndex(), 90);
            QCOMPARE(w->Label_version->text(), QString::fromStdString(adj::versionText(written)));
            QVERIFY(w->Label_version->text().startsWith("Q"));
        }
        server.terminate();
        QVERIFY(server.waitForFinished(5000));
    }

  private slots:
    void cleanup() {
        if (server.state() != QProcess::NotRunning) {
            server.kill();
            server.waitForFinished(5000);
        }
    }
    void writeThenReadReturnsTheSameRows() { writeThenRead({"--quiet"}); }
    void theSameWithTheHeaderOnePlaceLaterAtNineThousandSixHundredBaud() {
        writeThenRead({"--quiet", "--baud", "--fault", "late-header"});
    }
};

QTEST_MAIN(AdjustEndToEndTest)
#include "AdjustEndToEndTest.moc"
