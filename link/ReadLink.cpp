#include "link/ReadLink.h"

namespace nv {

void ReadLink::startDataPhase() {
    putFrame(readRequest(0));
    BlockCounter = 1;
    sendFrame();
    port_.discardInput();
    LinkState = 3;
}

void ReadLink::receiveData() {
    const bool first = LinkState == 3;
    const int length = first ? 68 : 69;
    if (LinkState < 3 || port_.bytesWaiting() < length) return;
    timers_.stop(Timer2);
    LinkState = 4;
    for (int i = 0; i < length; ++i)
        state_.ReplyTable(BlockCounter, (first ? 1 : 0) + i) = static_cast<Int16>(port_.readByte());
    port_.discardInput();
    port_.writeByte(Ack);  // straight to the port: no time-out is started by it
    if (BlockCounter >= LastBlock) {
        finish();
        return;
    }
    putFrame(readRequest(BlockCounter * ReadLength));
    ++BlockCounter;
    sendFrame();
    view_.setProgress(BlockCounter * 100 / (LastBlock + 1));
    view_.setLabel(label("正在读取 ", "Reading ") + std::to_string(BlockCounter) +
                   label(" 数据块", " Data Block"));
}

void ReadLink::finish() {
    port_.flush();  // the acknowledge leaves before the end byte
    timers_.stop(Timer1);
    timers_.stop(Timer2);
    timers_.stop(Timer3);
    Busy = false;
    port_.writeByte(EndOfTransfer);
    int i = 0;
    for (int n = 1; n <= ReadRequests; ++n)
        for (int p = 5; p <= 68; ++p, ++i)
            state_.RadioImage(i / 16, i % 16) = state_.ReplyTable(n, p);
    view_.setProgress(100);
    port_.flush();  // and the end byte before the port closes
    closePort();
    text("数据读出正常 ！", "Read Data in gear. ");
    view_.transferEnded();
    if (completed) completed();
    view_.message(say("从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."),
                  true);
    TransferDone = true;
}

}  // namespace nv
