#pragma once
// The frames on the programming cable, as both ends see them: the entry sequences, the
// identification reply, the acknowledge, the read and write requests, the read reply header
// and the end byte. The host's links and the virtual radio take every byte value from here.

#include <array>
#include <cstdint>

namespace nv {

// The 8 bytes that put the radio into its programming mode.
constexpr std::array<std::uint8_t, 8> ProgramModeSequence = {0x02, 'P', 'N', 'V',
                                                             '7',  '4', '2', 0x03};
// The 8 bytes that put the radio into its adjustment mode, in which addresses 0x0340 to
// 0x03FF reach the adjustment area instead of the configuration memory.
constexpr std::array<std::uint8_t, 8> AdjustModeSequence = {0x02, 'A', 'N', 'V',
                                                            '7',  '4', '2', 0x03};

// The identification reply is 8 bytes framed by these two.
constexpr std::uint8_t IdentFirst = 0xAA;
constexpr std::uint8_t IdentLast = 0xBB;
constexpr int IdentLength = 8;

constexpr std::uint8_t Ack = 0x06;
constexpr std::uint8_t ReadCommand = 0x52;    // "R"
constexpr std::uint8_t WriteCommand = 0x57;   // "W"
constexpr std::uint8_t EndOfTransfer = 0x45;  // "E"
// A read reply starts with "X", the address high and low bytes and the length.
constexpr std::uint8_t ReplyHeader = 0x58;  // "X"
constexpr std::uint8_t AdjustReplyHeader = ReplyHeader;

constexpr int ReadLength = 0x40;   // data bytes asked for by a read request
constexpr int WriteLength = 0x10;  // data bytes carried by a write request
constexpr int RequestHeaderLength = 4;
constexpr int ReplyHeaderLength = 4;

// The adjustment area starts here, in adjustment mode.
constexpr int AdjustAddress = 0x0340;

// Addresses go high byte first.
constexpr int addressHigh(int address) { return address / 256; }
constexpr int addressLow(int address) { return address % 256; }

// The four bytes of a read request for 64 bytes at `address`.
constexpr std::array<int, 4> readRequest(int address) {
    return {ReadCommand, addressHigh(address), addressLow(address), ReadLength};
}
// The four bytes that lead a write request of 16 bytes at `address`; the data follow.
constexpr std::array<int, 4> writeRequestHead(int address) {
    return {WriteCommand, addressHigh(address), addressLow(address), WriteLength};
}
// The header of the radio's reply to a read request of `address`.
constexpr std::array<int, 4> replyHead(int address) {
    return {ReplyHeader, addressHigh(address), addressLow(address), ReadLength};
}

}  // namespace nv
