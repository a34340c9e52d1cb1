#pragma once
// What a link saw of the radio before it gave up, and one line that tells the user what to
// check, in the style of the port-problem lines. Any link that follows the pattern of the
// program-mode handshake, the data blocks and the reply time-out (read, write, adjustment)
// fills in what it observed and shows the line under its failure message.

#include <string>

namespace nv {

struct LinkObservation {
    enum Kind {
        NoAnswer,           // not a byte came back
        NotIdentification,  // something answered, but not with this radio's identification
        StoppedPartWay,     // the radio identified itself, then its answers stopped
        Garbled,            // a reply did not hold what was asked for (block blocksDone + 1)
    };
    Kind kind = NoAnswer;
    bool dataPhase = false;  // StoppedPartWay: after the handshake
    int blocksDone = 0;      // StoppedPartWay in the data phase: blocks completed
    int blocks = 0;          // ... out of this many
    std::string device;      // the device behind the port ("" when unknown)
    std::string name;        // the port as the user named it, when not COMn (a device path)

    // Of two observations of one transfer, the one that tells more (the later one when they
    // tell as much): the further the radio got, the more it says about the trouble.
    static LinkObservation mostTelling(const LinkObservation& a, const LinkObservation& b);
};

std::string describeLinkFailure(const LinkObservation& seen, int port, bool chinese);

}  // namespace nv
