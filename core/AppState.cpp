#include "core/AppState.h"

#include <stdexcept>

namespace nv {

int Image::index(int row, int cell) {
    if (row < 0 || row >= ImageRows || cell < 0 || cell >= ImageCells)
        throw std::out_of_range("RadioImage index");
    return row * ImageCells + cell;
}

void Image::fillRadioMemory(Int16 value) {
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RadioCells; ++c) (*this)(r, c) = value;
}

}  // namespace nv
