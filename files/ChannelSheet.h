#pragma once
// The channel sheet: one printed page with the 16 channels as the grid shows them and the
// optional features and scan settings with their windows' captions, which fleet technicians
// hand out with a batch of radios.

#include <QDateTime>
#include <QString>

#include "core/AppState.h"
#include "files/FileIo.h"

class QPagedPaintDevice;

namespace nv {

QString sheetTitleForFile(const QString& path);
QString sheetTitleForRead(int port, const QDateTime& at, bool chinese);
// Where the image the application holds came from: the radio last read or the file last
// opened or saved.
QString currentSheetTitle(const AppState& s, bool chinese);

// Paints the sheet on the current page of the device (its paper, inside its margins), scaled
// down as far as it needs so that nothing is cut.
void paintChannelSheet(QPagedPaintDevice& device, const AppState& s, const QString& title,
                       bool chinese);

// The sheet as a PDF on A4, written whole or not at all.
bool writeChannelSheetPdf(const QString& path, const AppState& s, const QString& title,
                          bool chinese, FileProblem* problem);
bool writeChannelSheetPdf(const QString& path, const AppState& s, const QString& title,
                          bool chinese, QString* reason);

}  // namespace nv
