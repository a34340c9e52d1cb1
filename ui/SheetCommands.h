#pragma once
// The File menu's channel sheet: printed through the toolkit's print preview, or written to a
// PDF file, in the language of the moment.

class QWidget;

namespace nv {

struct AppState;

void printChannelSheet(const AppState& s, QWidget* parent);
void exportChannelSheet(const AppState& s, QWidget* parent);

}  // namespace nv
