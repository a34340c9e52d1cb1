#include "protocol/ReadReply.h"

#include <algorithm>

#include "protocol/Frames.h"

namespace nv {

int findReplyHeader(const int* bytes, int received, int first, int last, int address) {
    const std::array<int, 4> named = replyHead(address);
    for (int p = first; p <= last && p < received; ++p) {
        if (bytes[p] != ReplyHeader) continue;
        if (address < 0) return p;
        if (p + ReplyHeaderLength <= received && std::equal(named.begin(), named.end(), bytes + p))
            return p;
    }
    return -1;
}

void ReadReply::reset(int firstPosition) {
    bytes_.fill(0);
    first_ = firstPosition;
    taken_ = 0;
    address_ = -1;
}

void ReadReply::reset(int firstPosition, int address) {
    reset(firstPosition);
    address_ = address;
}

void ReadReply::take(int byte) {
    if (received() < Positions) bytes_[received()] = byte;
    ++taken_;
}

int ReadReply::header() const {
    const int seen = std::min(received(), Positions);
    if (address_ < 0) return findReplyHeader(bytes_.data(), seen, first_, LastHeaderPosition);
    return findReplyHeader(bytes_.data(), seen, HeaderPosition, HeaderPosition + 1, address_);
}

int ReadReply::dataStart() const {
    const int at = header();
    return at < 0 ? PlainDataStart : at + ReplyHeaderLength;
}

bool ReadReply::garbled() const {
    // Once both places the header may take have arrived whole, a missing header is final.
    return address_ >= 0 && received() >= HeaderPosition + 1 + ReplyHeaderLength && header() < 0;
}

bool ReadReply::complete() const {
    if (address_ >= 0 && header() < 0) return false;
    return taken_ >= minimumLength() && received() >= dataStart() + ReadLength;
}

}  // namespace nv
