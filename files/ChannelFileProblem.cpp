#include "files/ChannelFileProblem.h"

#include "core/ChannelFile.h"
#include "files/NumberFileProblem.h"

namespace nv {

QString channelFileProblem(const NumberListError& e, bool chinese) {
    return numberFileProblem(e, chinese,
                             {"信道参数文件", "The channel parameter file", ChannelFileValues});
}

}  // namespace nv
