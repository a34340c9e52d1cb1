#pragma once
// A started main window whose COM8 is the built-in virtual radio, with message boxes
// recorded: reads and writes from the windows run against it. With Service::Shown the hidden
// service commands are shown, as `nv742-cps --service` does.

#include <QPushButton>
#include <QTest>
#include <memory>

#include "link/CommWindows.h"
#include "link/PortDirectory.h"
#include "link/RoutedPort.h"
#include "support/Activation.h"
#include "support/MessageRecorder.h"
#include "ui/MDImain.h"

namespace nv::test {

struct RadioGui {
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    std::unique_ptr<PortDirectory> directory = std::make_unique<PortDirectory>();
    std::shared_ptr<VirtualRadioLine> line = std::make_shared<VirtualRadioLine>();
    std::unique_ptr<MessageRecorder> messages = std::make_unique<MessageRecorder>();
    std::unique_ptr<MDImain> main;

    enum class Service { Hidden, Shown };

    explicit RadioGui(Service service = Service::Hidden) {
        directory->assign(8, PortDirectory::VirtualRadio);
        PortLayer layer;
        layer.create = [this] { return std::make_unique<RoutedPort>(*directory, line); };
        layer.describe = [this](int n) { return directory->target(n).toStdString(); };
        main = std::make_unique<MDImain>(*state, layer);
        if (service == Service::Shown) main->showServiceCommands();
        main->Form_Load();
    }
    ~RadioGui() {
        main.reset();
        messages.reset();
    }
    VirtualRadio& radio() { return line->radio; }

    // True once `count` messages have been shown in all.
    bool waitForMessages(qsizetype count, int ms = 10000) {
        return QTest::qWaitFor([&] { return messages->messages.size() >= count; }, ms);
    }

    // Opens the read or write window and presses its start button; true once the completion
    // message has come.
    template <class W>
    bool transfer(const char* item) {
        const qsizetype before = messages->messages.size();
        main->runCommand(item);
        auto* w = qobject_cast<W*>(main->child(MDImain::windowName(W::staticMetaObject)));
        if (!w) return false;
        QTest::mouseClick(w->Command_start, Qt::LeftButton);
        return QTest::qWaitFor([&] { return messages->messages.size() > before; }, 10000);
    }
    bool read() { return transfer<Form_Comm_Read>("Prog_read"); }
};

}  // namespace nv::test
