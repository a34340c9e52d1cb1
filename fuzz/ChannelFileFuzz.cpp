// The channel-file reader: whatever file a user opens, or double-clicks in a file manager.
#include <string_view>

#include "FuzzTarget.h"
#include "Require.h"
#include "core/ChannelFile.h"

using namespace nv;

NV742_FUZZ_TARGET(channel_file) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Image image;
    for (int r = 0; r < ImageRows; ++r)
        for (int c = 0; c < ImageCells; ++c) image(r, c) = static_cast<Int16>((r * 7 + c) % 251);
    const Image before = image;

    const NumberListError error = loadChannelFileText(text, image);
    if (error.kind != NumberListError::None) {
        fuzz::require(image == before, "a refused file changed the image");
        fuzz::require(error.valuesRead >= 0 && error.valuesRead < ChannelFileValues,
                      "a refused file reports more values than a file holds");
        fuzz::require(error.line >= 1, "a refused file reports no line");
        return 0;
    }
    for (int r = 0; r < ImageRows; ++r)
        for (int c = 0; c < ImageCells; ++c) {
            const bool inFile = r < ChannelFileRows && c < ChannelFileCells;
            fuzz::require(inFile || image(r, c) == before(r, c),
                          "a load changed cells beyond the file");
            fuzz::require(image(r, c) >= 0 && image(r, c) <= 255,
                          "a load stored a value beyond a byte");
        }
    // What was loaded saves to a file that loads back the same.
    Image again = before;
    fuzz::require(loadChannelFileText(channelFileText(image), again).kind == NumberListError::None,
                  "a loaded image saved to a file that does not load");
    fuzz::require(again == image, "a loaded image did not survive saving and loading");
    return 0;
}
