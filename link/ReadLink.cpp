#include "link/ReadLink.h"

namespace nv {

void ReadLink::expectReply(int firstPosition) {
    reply_.reset(firstPosition, (BlockCounter - 1) * ReadLength);
}

void ReadLink::startDataPhase() {
    putFrame(readRequest(0));
    BlockCounter = 1;
    expectReply(1);
    sendFrame();
    port_.discardInput();
    LinkState = 3;
}

void ReadLink::receiveData() {
    if (LinkState < 3) return;
    if (reply_.garbled()) {  // no reply: the time-out restarts the read
        port_.discardInput();
        return;
    }
    if (reply_.taken() == 0 && port_.bytesWaiting() < reply_.minimumLength()) return;
    while (reply_.waitsForMore() && port_.bytesWaiting() > 0) reply_.take(port_.readByte());
    if (reply_.garbled()) {
        replyGarbled();
        port_.discardInput();
        return;
    }
    if (reply_.waitsForMore()) return;  // the rest comes, or the time-out does
    timers_.stop(Timer2);
    const int first = LinkState == 3 ? 1 : 0;
    LinkState = 4;
    for (int p = first; p < first + reply_.taken() && p < ReplyPositions; ++p)
        state_.ReplyTable(BlockCounter, p) = static_cast<Int16>(reply_.at(p));
    dataStart_[BlockCounter] = reply_.dataStart();
    port_.discardInput();
    port_.writeByte(Ack);  // straight to the port: no time-out is started by it
    if (BlockCounter >= LastBlock) {
        finish();
        return;
    }
    putFrame(readRequest(BlockCounter * ReadLength));
    ++BlockCounter;
    expectReply(0);
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
        for (int p = dataStart_[n]; p < dataStart_[n] + ReadLength; ++p, ++i)
            state_.RadioImage(i / 16, i % 16) = state_.ReplyTable(n, p);
    view_.setProgress(100);
    port_.flush();  // and the end byte before the port closes
    closePort();
    text("数据读出正常 ！", "Read Data in gear. ");
    transferOver();
    if (completed) completed();
    view_.message(say("从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."),
                  true);
    TransferDone = true;
}

}  // namespace nv
