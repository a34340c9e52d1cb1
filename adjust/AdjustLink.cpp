#include "adjust/AdjustLink.h"

#include "adjust/AdjustData.h"

namespace nv {

void AdjustLink::readButton() {
    writing_ = false;
    startButton();
}

void AdjustLink::writeButton() {
    writing_ = true;
    adj::storeMarker(state_.AdjustImage);
    startButton();
}

LinkEngine::PortMessage AdjustLink::portMessage() const {
    return {"通讯端口打开错误，请正确设置通讯端口 ！", "Communication Port Open Error ！", true};
}

void AdjustLink::sendBlock(int k) {
    putFrame(writeRequestHead(AdjustAddress + WriteLength * k));
    for (int c = 0; c < adj::RowCells; ++c)
        SendBuffer[SendCount++] = sent_(k, c) & 0xFF;
    sendFrame();
}

void AdjustLink::sendRequest(int n) {
    putFrame(readRequest(AdjustAddress + ReadLength * n));
    AdjReplies[n + 1].reset(n == 0 ? 1 : 0);
    sendFrame();
}

void AdjustLink::startDataPhase() {
    BlockCounter = 1;
    if (writing_) {
        sendBlock(0);
        return;
    }
    sendRequest(0);
    port_.discardInput();
    LinkState = 3;
}

void AdjustLink::receiveData() {
    if (WriteMode)
        receiveAcknowledge();
    else
        receiveReply();
}

void AdjustLink::receiveAcknowledge() {
    const int byte = port_.readByte();
    if (byte != Ack || !FrameSent) return;
    timers_.stop(Timer2);
    if (BlockCounter >= AdjustWriteBlocks) {
        finishWrite();
        return;
    }
    const int k = BlockCounter;
    view_.setProgress((k + 1) * 100 / AdjustWriteBlocks);
    view_.setLabel(label("正在写入  ", "Writing  ") + std::to_string(k + 1) +
                   label("  数据块", "  Data Block"));
    ++BlockCounter;
    sendBlock(k);
}

void AdjustLink::receiveReply() {
    if (LinkState < 3 || BlockCounter < 1 || BlockCounter > AdjustReadRequests) return;
    AdjustReply& reply = AdjReplies[BlockCounter];
    if (reply.taken() == 0 && port_.bytesWaiting() < reply.minimumLength()) return;
    while (reply.waitsForMore() && port_.bytesWaiting() > 0) reply.take(port_.readByte());
    if (reply.waitsForMore()) return;  // the rest comes, or the time-out does
    LinkState = 4;
    timers_.stop(Timer2);
    port_.discardInput();
    port_.discardInput();
    pause(AckPauseMs);
    port_.writeByte(Ack);  // straight to the port: no time-out is started by it
    if (BlockCounter < AdjustReadRequests) {
        const int n = BlockCounter;
        ++BlockCounter;
        sendRequest(n);
        view_.setProgress(BlockCounter * 100 / 4);
        view_.setLabel(label("正在读取 ", "Reading ") + std::to_string(BlockCounter) +
                       label(" 数据块", " Data Block"));
        return;
    }
    finishRead();
}

void AdjustLink::finishWrite() {
    timers_.stop(Timer1);
    timers_.stop(Timer2);
    timers_.stop(Timer3);
    Busy = false;
    port_.writeByte(EndOfTransfer);
    pause(EndPauseMs);
    closePort();
    if (written) written();
    transferOver();
    view_.message(
        say("调整参数写入完毕 ！", "Complete writing optional parameters to the transceiver."),
        true);
    text("调整参数写入完毕 ！", "Complete writing optional parameters ");
    view_.setProgress(100);
}

void AdjustLink::finishRead() {
    pause(EndPauseMs);
    timers_.stop(Timer1);
    timers_.stop(Timer2);
    timers_.stop(Timer3);
    Busy = false;
    port_.writeByte(EndOfTransfer);
    pause(EndPauseMs);
    closePort();
    // Replies 1 and 2 hold rows 0 to 7; the table changes only now that all three are in.
    for (int n = 1; n <= 2; ++n)
        for (int i = 0; i < 64; ++i)
            state_.AdjustImage(4 * (n - 1) + i / 16, i % 16) =
                static_cast<Int16>(AdjReplies[n].data(i) & 0xFF);
    if (showTable) showTable();
    transferOver();
    view_.setProgress(100);
    text("调整参数读出正常 ！", "Read optional parameters in gear. ");
    view_.message(
        say("从对讲机中读取调整数据完毕 ！", "Complete reading the data from transceiver."), true);
}

}  // namespace nv
