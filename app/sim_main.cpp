// nv742-sim: the virtual radio on a pseudo-terminal. Prints the device path as its first line
// and serves until stopped; point the programming software at it with --port N=PATH.

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "core/ChannelFile.h"
#include "core/Startup.h"
#include "sim/PtyServer.h"

namespace {

std::atomic<bool> stopRequested{false};
std::atomic<bool> saveRequested{false};
void onStop(int) { stopRequested = true; }
void onSave(int) { saveRequested = true; }

void usage() {
    std::printf(
        "usage: nv742-sim [options]\n"
        "Serves the virtual NV-742 radio on a pseudo-terminal; the first line printed is its "
        "device path.\nIt answers the programming traffic and, entered in adjustment mode, the "
        "adjustment traffic.\n\n"
        "  --load FILE.chann   start with the memory of a channel file\n"
        "  --save FILE.chann   write the memory to a channel file on exit (SIGINT, SIGTERM) and on "
        "SIGUSR1\n"
        "  --baud              pace the bytes at 9600 baud (960 bytes per second) like a real "
        "line\n"
        "  --fault NAME[=N]    misbehave: silent, wrong-ident, stop-after=N, no-write-ack=N,\n"
        "                      wrong-write-ack=N, extra-byte, garbage, late-header (one byte\n"
        "                      before the header of every read reply), and at read reply N:\n"
        "                      stray-byte=N (a byte before the header), wrong-address=N (the\n"
        "                      header names another address), flip-bit=N (one data bit)\n"
        "  --every-session     stray-byte, wrong-address and flip-bit strike in every session,\n"
        "                      not only in the first\n"
        "  --quiet             no log of the sessions on stderr\n"
        "  -h, --help          this text\n"
        "  -v, --version       the version\n");
}

nv::Image imageOf(const nv::VirtualRadio& radio) {
    nv::Image im;
    for (int a = 0; a < nv::VirtualRadio::MemorySize; ++a) im(a / 16, a % 16) = radio.memory[a];
    return im;
}

bool saveMemory(const nv::VirtualRadio& radio, const std::string& path) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream f(temp, std::ios::binary);
        f << nv::channelFileText(imageOf(radio));
        if (!f.flush()) return false;
    }
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

bool quiet = false;
void logSession(const nv::VirtualRadio& radio) {
    if (!quiet)
        std::fprintf(stderr,
                     "nv742-sim: session %d ended (%d read replies, %d rows written so far)\n",
                     radio.sessions, radio.readReplies, radio.writesStored);
}

}  // namespace

int main(int argc, char* argv[]) {
    nv::VirtualRadio radio;
    nv::PtyServer server(radio);
    std::string savePath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "nv742-sim: %s needs a value\n", arg.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        } else if (arg == "--version" || arg == "-v") {
            std::printf("nv742-sim %s\n", nv::Version);
            return 0;
        } else if (arg == "--load") {
            const std::string path = value();
            std::ifstream f(path, std::ios::binary);
            std::stringstream text;
            text << f.rdbuf();
            nv::Image im = imageOf(radio);
            if (!f || nv::loadChannelFileText(text.str(), im).kind != nv::NumberListError::None) {
                std::fprintf(stderr, "nv742-sim: %s is not a usable channel file\n", path.c_str());
                return 2;
            }
            for (int a = 0; a < nv::VirtualRadio::MemorySize; ++a)
                radio.memory[a] = static_cast<std::uint8_t>(im(a / 16, a % 16) & 0xFF);
        } else if (arg == "--save") {
            savePath = value();
        } else if (arg == "--baud") {
            server.emulateBaudRate = true;
        } else if (arg == "--fault") {
            if (!nv::VirtualRadio::parseFault(value(), &radio.fault, &radio.faultBlock)) {
                std::fprintf(stderr, "nv742-sim: unknown fault\n");
                return 2;
            }
        } else if (arg == "--every-session") {
            radio.faultEverySession = true;
        } else if (arg == "--quiet") {
            quiet = true;
        } else {
            std::fprintf(stderr, "nv742-sim: unknown option %s\n", arg.c_str());
            usage();
            return 2;
        }
    }
    std::string error;
    const std::string path = server.open(&error);
    if (path.empty()) {
        std::fprintf(stderr, "nv742-sim: %s\n", error.c_str());
        return 1;
    }
    // A script that reads the path may signal at once: the handlers are set before it is told.
    std::signal(SIGINT, onStop);
    std::signal(SIGTERM, onStop);
    std::signal(SIGHUP, onStop);
    std::signal(SIGUSR1, onSave);
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    server.onSessionEnd = logSession;

    server.onIdle = [&] {
        if (saveRequested.exchange(false) && !savePath.empty() && !saveMemory(radio, savePath))
            std::fprintf(stderr, "nv742-sim: cannot save %s\n", savePath.c_str());
    };
    server.serve(stopRequested);
    if (!savePath.empty() && !saveMemory(radio, savePath)) {
        std::fprintf(stderr, "nv742-sim: cannot save %s\n", savePath.c_str());
        return 1;
    }
    return 0;
}
