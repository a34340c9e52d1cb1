#include "link/WriteLink.h"

namespace nv {

void WriteLink::putRow(int row) {
    putFrame(writeRequestHead(row * WriteLength));
    for (int c = 0; c < 16; ++c) SendBuffer[SendCount++] = sent_(row, c) & 0xFF;
}

void WriteLink::startDataPhase() {
    putRow(0);
    BlockCounter = 1;
    port_.discardInput();
    sendFrame();
    port_.discardInput();
}

void WriteLink::receiveData() {
    const int byte = port_.readByte();
    // An acknowledge before the request has left (within the 15 ms of the sender) is not ours.
    if (byte != Ack || !FrameSent) return;
    timers_.stop(Timer2);
    if (BlockCounter > LastBlock) {
        finish();
        return;
    }
    view_.setProgress(BlockCounter * 100 / LastBlock);
    view_.setLabel(label("正在写入  ", "Writing  ") + std::to_string(BlockCounter - 1) +
                   label("  数据块", "  Data Block"));
    putRow(BlockCounter);
    ++BlockCounter;
    sendFrame();
}

void WriteLink::finish() {
    timers_.stop(Timer1);
    timers_.stop(Timer2);
    timers_.stop(Timer3);
    timers_.start(Timer4, 500);
    TransferDone = true;
    Busy = false;
    port_.writeByte(EndOfTransfer);
    port_.flush();
    closePort();
    if (completed) completed();
    transferOver();
    view_.message(say("向对讲机写入数据完毕 ！", "Complete writing Data to the transceiver."),
                  true);
    text("数据写入完毕 ！", "Complete writing Data ");
}

}  // namespace nv
