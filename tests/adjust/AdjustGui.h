#pragma once
// A started main window whose COM8 is the built-in virtual radio, with message boxes
// recorded, and the adjustment window opened through its hidden menu command.

#include <QAction>
#include <QtTest>
#include <memory>

#include "adjust/frm_Adj_Txp.h"
#include "link/PortDirectory.h"
#include "link/RoutedPort.h"
#include "support/MessageRecorder.h"
#include "ui/MDImain.h"

namespace nv::test {

struct AdjustGui {
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    std::unique_ptr<PortDirectory> directory = std::make_unique<PortDirectory>();
    std::shared_ptr<VirtualRadioLine> line = std::make_shared<VirtualRadioLine>();
    std::unique_ptr<MessageRecorder> messages = std::make_unique<MessageRecorder>();
    std::unique_ptr<MDImain> main;

    AdjustGui() {
        directory->assign(8, PortDirectory::VirtualRadio);
        PortLayer layer;
        layer.create = [this] { return std::make_unique<RoutedPort>(*directory, line); };
        layer.describe = [this](int n) { return directory->target(n).toStdString(); };
        main = std::make_unique<MDImain>(*state, layer);
        main->showServiceCommands();
        main->Form_Load();
    }
    ~AdjustGui() {
        main.reset();
        messages.reset();
    }
    AdjustTable& table() { return state->AdjustImage; }
    // The hidden "Other" command, as the service menu shows it.
    frm_Adj_Txp* openAdjust() {
        main->findChild<QAction*>("Other")->trigger();
        return qobject_cast<frm_Adj_Txp*>(main->child("frm_Adj_Txp"));
    }
    bool waitForMessages(int count, int ms = 10000) {
        QElapsedTimer t;
        t.start();
        while (messages->messages.size() < count && t.elapsed() < ms) QTest::qWait(5);
        return messages->messages.size() >= count;
    }
};

}  // namespace nv::test
