#include "app/BenchStationWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/BenchRadios.h"
#include "app/BenchStation.h"
#include "station/Form_Station.h"
#include "ui/MDImain.h"
#include "widgets/Messages.h"

namespace nv {

namespace {

// How late the event loop comes round: a 5 ms timer notes the longest gap beyond its interval.
class StallMeter {
  public:
    StallMeter() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const double gap = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
            longest_ = std::max(longest_, gap - 5);
            clock_.restart();
        });
    }
    void start() {
        longest_ = 0;
        clock_.start();
        timer_.start();
    }
    double stop() {
        timer_.stop();
        return longest_;
    }

  private:
    QTimer timer_;
    QElapsedTimer clock_;
    double longest_ = 0;
};

// Seconds for one run of the station over the first `count` rows of the radios; < 0 when a
// radio was not verified.
double runStation(Form_Station& station, const QStringList& ports, int count) {
    QTableWidget* table = station.Table_ports;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QString port = table->item(row, Form_Station::PortColumn)->text();
        const int index = static_cast<int>(ports.indexOf(port));
        table->item(row, Form_Station::PortColumn)
            ->setCheckState(index >= 0 && index < count ? Qt::Checked : Qt::Unchecked);
    }
    QElapsedTimer clock;
    clock.start();
    station.Command_start->click();
    // The window tells the end of a run only in its controls: a look every few milliseconds.
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (!station.transferInProgress()) loop.quit();
    });
    look.start(2);
    loop.exec();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, Form_Station::PortColumn)->checkState() != Qt::Checked) continue;
        const QString result = table->item(row, Form_Station::ResultColumn)->text();
        if (result == QLatin1String("verified")) continue;
        std::fprintf(stderr, "nv742-bench: the station's radio on %s: %s\n",
                     qPrintable(table->item(row, Form_Station::PortColumn)->text()),
                     qPrintable(result));
        return -1;
    }
    return seconds;
}

}  // namespace

int benchStationWindow(const QString& simulator, int radioCount) {
    std::vector<std::unique_ptr<QProcess>> servers;
    const QStringList ports = startPacedRadios(simulator, radioCount, servers);
    if (ports.isEmpty()) return 1;
    // The backups and the log of the bench's radios stay out of the user's data folder.
    QTemporaryDir data;
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    setMessageHandler([](QWidget*, const QString&, const QString& text) {
        std::fprintf(stderr, "nv742-bench: the station said: %s\n", qPrintable(text));
    });

    double one = -1, all = -1, stall = 0;
    {
        AppState state;
        PortLayer layer;
        for (const QString& p : ports) layer.stationPorts.push_back(p.toStdString());
        MDImain main(state, layer);
        main.Form_Load();
        main.runCommand("Prog_station");
        auto* station = qobject_cast<Form_Station*>(main.child("Form_Station"));
        one = runStation(*station, ports, 1);
        StallMeter meter;
        meter.start();
        if (one > 0) all = runStation(*station, ports, radioCount);
        stall = meter.stop();
    }
    setMessageHandler({});
    if (dataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", dataHome);
    for (auto& s : servers) {
        s->terminate();
        s->waitForFinished(3000);
    }
    if (one < 0 || all < 0) return 1;
    const double ratio = all / one;
    std::printf(
        "station window, %d radios backed up, written and verified at once %.3f s  one radio "
        "%.3f s  ratio %.3f (bound %.2f)  longest stall of the event loop %.1f ms (bound %.0f)\n",
        radioCount, all, one, ratio, StationRatioBound, stall, StationStallBoundMs);
    return ratio <= StationRatioBound && stall < StationStallBoundMs ? 0 : 1;
}

}  // namespace nv
