#include "protocol/ReadReply.h"

#include <algorithm>

#include "protocol/Frames.h"

namespace nv {

int findReplyHeader(const int* bytes, int received, int first, int last) {
    for (int p = first; p <= last && p < received; ++p)
        if (bytes[p] == ReplyHeader) return p;
    return -1;
}

void ReadReply::reset(int firstPosition) {
    bytes_.fill(0);
    first_ = firstPosition;
    taken_ = 0;
}

void ReadReply::take(int byte) {
    if (received() < Positions) bytes_[received()] = byte;
    ++taken_;
}

int ReadReply::dataStart() const {
    const int header =
        findReplyHeader(bytes_.data(), std::min(received(), Positions), first_, LastHeaderPosition);
    return header < 0 ? PlainDataStart : header + ReplyHeaderLength;
}

bool ReadReply::complete() const {
    return taken_ >= minimumLength() && received() >= dataStart() + ReadLength;
}

}  // namespace nv
