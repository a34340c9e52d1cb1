#include "ui/Commands.h"

#include "channels/frm_chann.h"
#include "files/ChannelFileDialogs.h"
#include "link/CommWindows.h"
#include "ui/Form_setup.h"
#include "ui/Form_type.h"
#include "ui/MDImain.h"

namespace nv {

void registerCommands(MDImain& main, QHash<QString, std::function<void()>>& commands) {
    MDImain* m = &main;
    commands["File_Open"] = [m] { m->openChild<Form_open_chann>(); };
    commands["File_save"] = [m] { m->openChild<Form_save_chann>(); };
    commands["File_saveas"] = [m] { m->openChild<Form_save_chann>(); };
    commands["Channel_edit"] = [m] { m->openChild<frm_chann>(); };
    commands["Prog_read"] = [m] { m->openChild<Form_Comm_Read>(); };
    commands["Prog_write"] = [m] { m->openChild<Form_Comm_Write>(); };
    commands["proc_setup"] = [m] { m->openChild<Form_setup>(); };
    commands["proc_type"] = [m] { m->openChild<Form_type>(); };
}

}  // namespace nv
