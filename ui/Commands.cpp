#include "ui/Commands.h"

#include "adjust/AdjustFileDialogs.h"
#include "adjust/Form_Edit_Test.h"
#include "adjust/frm_Adj_Txp.h"
#include "channels/Form_Chann_Edit.h"
#include "channels/frm_chann.h"
#include "features/Form_Edit_Message.h"
#include "features/Form_Edit_scan.h"
#include "features/Form_edit_Key.h"
#include "features/frm_option.h"
#include "files/ChannelFileDialogs.h"
#include "files/CsvWindows.h"
#include "link/CommWindows.h"
#include "link/CompareWindow.h"
#include "station/Form_Station.h"
#include "ui/Form_setup.h"
#include "ui/Form_type.h"

namespace nv {

namespace {
template <class W>
void add(QHash<QString, WindowFactory>& windows, const char* name) {
    windows[QString::fromLatin1(name)] = [](AppState& s, Workspace& w) -> MdiChild* {
        return new W(s, w);
    };
}
}  // namespace

void registerWindows(QHash<QString, WindowFactory>& windows, QHash<QString, QString>& commands) {
    add<frm_chann>(windows, "frm_chann");
    add<Form_Chann_Edit>(windows, "Form_Chann_Edit");
    add<Form_open_chann>(windows, "Form_open_chann");
    add<Form_save_chann>(windows, "Form_save_chann");
    add<Form_Comm_Read>(windows, "Form_Comm_Read");
    add<Form_Comm_Write>(windows, "Form_Comm_Write");
    add<Form_setup>(windows, "Form_setup");
    add<Form_type>(windows, "Form_type");
    add<frm_option>(windows, "frm_option");
    add<Form_Edit_scan>(windows, "Form_Edit_scan");
    add<Form_edit_Key>(windows, "Form_edit_Key");
    add<Form_Edit_Message>(windows, "Form_Edit_Message");
    add<Form_Csv_Export>(windows, "Form_Csv_Export");
    add<Form_Csv_Import>(windows, "Form_Csv_Import");
    add<Form_Comm_Compare>(windows, "Form_Comm_Compare");
    add<Form_Station>(windows, "Form_Station");
    add<frm_Adj_Txp>(windows, "frm_Adj_Txp");
    add<Form_open_adj>(windows, "Form_open_adj");
    add<Form_save_adj>(windows, "Form_save_adj");
    add<Form_Edit_Test>(windows, "Form_Edit_Test");

    commands["File_Open"] = "Form_open_chann";
    commands["File_save"] = "Form_save_chann";
    commands["File_saveas"] = "Form_save_chann";
    commands["Channel_edit"] = "frm_chann";
    commands["Prog_read"] = "Form_Comm_Read";
    commands["Prog_write"] = "Form_Comm_Write";
    commands["proc_setup"] = "Form_setup";
    commands["proc_type"] = "Form_type";
    commands["Optional_edit"] = "frm_option";
    commands["Scan_edit"] = "Form_Edit_scan";
    commands["key_edit"] = "Form_edit_Key";
    commands["Message_edit"] = "Form_Edit_Message";
    commands["File_export_csv"] = "Form_Csv_Export";
    commands["File_import_csv"] = "Form_Csv_Import";
    commands["Prog_compare"] = "Form_Comm_Compare";
    commands["Prog_station"] = "Form_Station";
    commands["Other"] = "frm_Adj_Txp";
    commands["Test_edit"] = "Form_Edit_Test";
}

// The station's command brings its window to the front: replacing the window would end the
// run of every port.
bool activatesOpenWindow(const QString& item) {
    return item == QLatin1String("Other") || item == QLatin1String("Prog_station");
}

}  // namespace nv
