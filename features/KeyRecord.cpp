#include "features/KeyRecord.h"

namespace nv::keys {

int functionIndex(int code) {
    if (code == 0) return 1;
    return code < Functions ? code : 0;
}

int functionCode(int index) {
    if (index == 0) return NoFunction;
    return index == 1 ? 0 : index;
}

}  // namespace nv::keys
