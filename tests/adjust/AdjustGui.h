#pragma once
// A started main window whose COM8 is the built-in virtual radio, with message boxes
// recorded, and the adjustment window opened through its hidden menu command.

#include <QAction>
#include <QtTest>
#include <memory>

#include "adjust/frm_Adj_Txp.h"
#include "support/RadioGui.h"

namespace nv::test {

struct AdjustGui : RadioGui {
    AdjustGui() : RadioGui(Service::Shown) {}
    AdjustTable& table() { return state->AdjustImage; }
    // The hidden "Other" command, as the service menu shows it.
    frm_Adj_Txp* openAdjust() {
        main->findChild<QAction*>("Other")->trigger();
        return qobject_cast<frm_Adj_Txp*>(main->child("frm_Adj_Txp"));
    }
};

}  // namespace nv::test
