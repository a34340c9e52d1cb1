#pragma once
// One read reply as it comes in from the cable, at the positions the reply table uses: the
// first reply of a session from position 1, every later one (which carries one more leading
// byte) from position 0. The data start four bytes after the "X" header; the reply is complete
// only when all 64 data bytes have arrived, so nothing is ever taken from a position no byte
// reached.

#include <array>

namespace nv {

// The position of the first "X" header from `first` to `last` among the `received` positions
// of `bytes`, or -1 when there is none. With an `address`, only a whole header that names it
// and the length 0x40 counts.
int findReplyHeader(const int* bytes, int received, int first, int last, int address = -1);

class ReadReply {
  public:
    static constexpr int Positions = 80;
    // A reply's header may sit at any position up to this one.
    static constexpr int LastHeaderPosition = 5;
    // Where the data start when no header is found.
    static constexpr int PlainDataStart = 5;

    // Where the header of a reading window's reply belongs; a stray byte on the line may put it
    // one place later.
    static constexpr int HeaderPosition = 1;

    // firstPosition: 1 for the first reply (68 bytes), 0 for later ones (69 bytes). The header
    // may sit anywhere up to position 5, and the data start at 5 without one.
    void reset(int firstPosition);
    // The reply to a read of `address`: taken only with its header naming the address and the
    // length 0x40, at position 1 or 2. Anything else is garbled: no reply to the request.
    void reset(int firstPosition, int address);
    bool waitsForMore() const { return !complete() && !garbled(); }
    bool garbled() const;
    void take(int byte);
    bool complete() const;
    int minimumLength() const { return 68 + (1 - first_); }
    int dataStart() const;
    int data(int i) const { return bytes_[dataStart() + i]; }
    int at(int position) const { return bytes_[position]; }
    int taken() const { return taken_; }

  private:
    int received() const { return first_ + taken_; }
    int header() const;

    std::array<int, Positions> bytes_{};
    int first_ = 1;
    int taken_ = 0;
    int address_ = -1;  // the address asked for, when the header must name it
};

}  // namespace nv
