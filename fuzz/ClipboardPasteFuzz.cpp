// A paste: whatever another program, a spreadsheet or this program put on the clipboard. The
// first byte chooses the first channel, the second the reader (the program's own form, else
// the text readers); the rest is the clipboard's text.
#include <set>
#include <string_view>

#include "FuzzStarted.h"
#include "FuzzTarget.h"
#include "Require.h"
#include "channels/ChannelPaste.h"
#include "channels/ChannelRecord.h"

using namespace nv;

NV742_FUZZ_TARGET(clipboard_paste) {
    if (size < 2) return 0;
    const AppState& s = fuzz::started();
    const int first = 1 + data[0] % ChannelCount;
    const bool ownForm = data[1] & 1;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    const Image& base = s.RadioImage;

    PasteResult r;
    if (ownForm) {
        const auto slots = readChannelClip(text);
        if (!slots) return 0;
        r = pasteSlots(base, *slots, first);
        if (r.ok()) {
            // What was pasted copies to the same form again.
            const auto again = readChannelClip(channelClipText(r.image, r.channels));
            fuzz::require(again && again->size() == r.channels.size(),
                          "pasted channels did not copy back");
        }
    } else {
        r = pasteText(s, base, text, first);
    }
    for (const PasteProblem& p : r.problems)
        for (bool chinese : {false, true})
            fuzz::require(fuzz::visible(pasteProblemText(p, chinese)),
                          "a paste problem shows a control character");
    if (!r.ok()) return 0;
    std::set<int> written;
    for (int n : r.channels) {
        fuzz::require(n >= first && n <= ChannelCount, "a paste wrote outside its channels");
        fuzz::require(written.insert(n).second, "a paste wrote a channel twice");
    }
    for (int row = 0; row < ImageRows; ++row)
        for (int c = 0; c < ImageCells; ++c)
            if (r.image(row, c) != base(row, c))
                fuzz::require((written.count(row) && c < 16) || row == ch::ScanRow,
                              "a paste changed a cell outside the channels it wrote");
    return 0;
}
