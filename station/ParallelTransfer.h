#pragma once
// Several radios at once: one link per port, each with its own engine, timers and retries,
// all on one event loop. A write may be followed by a read of the same radio, so that the
// caller can check what the radio really holds.

#include <memory>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "link/ConsoleTransfer.h"
#include "link/SerialPort.h"

namespace nv {

struct RadioJob {
    std::string name;                  // the port as the user named it
    std::unique_ptr<SerialPort> port;  // opened as port state.CommPortNumber
    AppState state;                    // the job's own: port number, image to write, language
    bool readBack = false;             // read the radio again after a completed write
};

struct RadioJobResult {
    bool written = false;
    bool readBackDone = false;
    std::string message;  // the last message of the link: why it failed, or its completion
    Image readBack;       // the radio's memory as read after the write
    double seconds = 0;   // from the start to the end of the job
    bool interrupted = false;  // stopped by Ctrl+C or SIGTERM; the radio got the end byte
    int rowsWritten = 0;       // rows the radio took when a write was stopped
};

// Writes every job's image to its radio at the same time and returns when all have ended.
// The callbacks hear the progress and the messages of every job (useful with one job).
std::vector<RadioJobResult> writeRadios(std::vector<RadioJob>& jobs,
                                        const TransferCallbacks& callbacks = {});

}  // namespace nv
