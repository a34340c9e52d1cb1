#include "link/LinkFailure.h"

namespace nv {

LinkObservation LinkObservation::mostTelling(const LinkObservation& a, const LinkObservation& b) {
    auto reach = [](const LinkObservation& o) {
        return o.kind * 1000000 + (o.dataPhase ? 1000 : 0) + o.blocksDone;
    };
    return reach(b) >= reach(a) ? b : a;
}

std::string describeLinkFailure(const LinkObservation& observed, int port, bool chinese) {
    // A port named by its device path is that path, not "COM1 is /dev/pts/4".
    LinkObservation seen = observed;
    const std::string com = seen.name.empty() ? "COM" + std::to_string(port) : seen.name;
    if (!seen.name.empty()) seen.device.clear();
    switch (seen.kind) {
        case LinkObservation::NoAnswer:
            if (chinese)
                return "对讲机完全没有应答：请检查对讲机是否已开机、编程线是否插牢、端口是否选对"
                       "：" +
                       (seen.device.empty() ? com + "。" : com + " 对应 " + seen.device + "。");
            return "The radio did not answer at all: check that the radio is switched on, the "
                   "cable is plugged in firmly and the right port is chosen" +
                   (seen.device.empty() ? " (" + com + ")."
                                        : ": " + com + " is " + seen.device + ".");
        case LinkObservation::NotIdentification: {
            const std::string where =
                seen.device.empty()
                    ? com
                    : com + (chinese ? "（" : " (") + seen.device + (chinese ? "）" : ")");
            if (chinese)
                return "收到了应答，但不是本对讲机的识别码：请检查编程线连接的是否为 NV-742 "
                       "对讲机，以及 " +
                       where + (seen.device.empty() ? " " : "") + "是否就是这条编程线。";
            return "An answer came, but not this radio's identification: check that the cable "
                   "leads to an NV-742 radio and that " +
                   where + " is that cable.";
        }
        case LinkObservation::StoppedPartWay: {
            const std::string done =
                std::to_string(seen.blocksDone) + " / " + std::to_string(seen.blocks);
            if (chinese)
                return "对讲机有应答，但中途停止了（" +
                       (seen.dataPhase ? "已完成 " + done + " 个数据块"
                                       : std::string("联络过程中")) +
                       "）：请检查编程线是否插牢、对讲机电池电量是否充足，然后重试。";
            return "The radio answered, then stopped part-way (" +
                   (seen.dataPhase ? "after " + std::to_string(seen.blocksDone) + " of " +
                                         std::to_string(seen.blocks) + " blocks"
                                   : std::string("during the handshake")) +
                   "): check that the cable is plugged in firmly and the radio's battery is "
                   "charged, then try again.";
        }
        case LinkObservation::Garbled: {
            const std::string block = std::to_string(seen.blocksDone + 1);
            const std::string blocks = std::to_string(seen.blocks);
            if (chinese)
                return "对讲机的应答数据错乱（第 " + block + " / " + blocks +
                       " 个数据块）：请检查编程线是否插牢、有无破损，并让它远离干扰源，然后重试。";
            return "The radio's answers were garbled (at block " + block + " of " + blocks +
                   "): check that the cable is plugged in firmly, is not damaged and lies away "
                   "from sources of interference, then try again.";
        }
    }
    return {};
}

}  // namespace nv
