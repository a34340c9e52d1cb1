#include "link/CommWindows.h"

#include "link/ReadLink.h"
#include "link/WriteLink.h"

namespace nv {

Form_Comm_Read::Form_Comm_Read(AppState& s, Workspace& workspace)
    : LinkWindow(s, workspace, "Form_Comm_Read",
                 {"从对讲机读取数据", "Read Data From Radio", "读取", "Read", "Command_read"}) {}

std::unique_ptr<LinkEngine> Form_Comm_Read::makeEngine(SerialPort& port, LinkTimers& timers,
                                                       nv::LinkView& view) {
    return std::make_unique<ReadLink>(state, port, timers, view);
}

Form_Comm_Write::Form_Comm_Write(AppState& s, Workspace& workspace)
    : LinkWindow(s, workspace, "Form_Comm_Write",
                 {"写数据到对讲机", "Write Data to Radio", "写入", "Write", "Command_write"}) {}

std::unique_ptr<LinkEngine> Form_Comm_Write::makeEngine(SerialPort& port, LinkTimers& timers,
                                                        nv::LinkView& view) {
    return std::make_unique<WriteLink>(state, port, timers, view);
}

}  // namespace nv
