#pragma once
// One read reply as it comes in from the cable, at the positions the reply table uses: the
// first reply of a session from position 1, every later one (which carries one more leading
// byte) from position 0. The data start four bytes after the "X" header; the reply is complete
// only when all 64 data bytes have arrived, so nothing is ever taken from a position no byte
// reached.

#include <array>

namespace nv {

// The position of the first "X" header from `first` to `last` among the `received` positions
// of `bytes`, or -1 when there is none.
int findReplyHeader(const int* bytes, int received, int first, int last);

class ReadReply {
  public:
    static constexpr int Positions = 80;
    // A reply's header may sit at any position up to this one.
    static constexpr int LastHeaderPosition = 5;
    // Where the data start when no header is found.
    static constexpr int PlainDataStart = 5;

    // firstPosition: 1 for the first reply (68 bytes), 0 for later ones (69 bytes).
    void reset(int firstPosition);
    bool waitsForMore() const { return !complete(); }
    void take(int byte);
    bool complete() const;
    int minimumLength() const { return 68 + (1 - first_); }
    int dataStart() const;
    int data(int i) const { return bytes_[dataStart() + i]; }
    int at(int position) const { return bytes_[position]; }
    int taken() const { return taken_; }

  private:
    int received() const { return first_ + taken_; }

    std::array<int, Positions> bytes_{};
    int first_ = 1;
    int taken_ = 0;
};

}  // namespace nv
