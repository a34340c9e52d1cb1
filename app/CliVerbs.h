#pragma once
// The verbs of nv742-cli beyond reading, writing and showing one radio or file:
//   compare PORT FILE.chann                  exit 0 same, 1 different, 2 no comparison made
//   export FILE.chann OUT.csv                the channels as comma-separated values
//   import IN.csv FILE.chann [--into BASE]   channels from comma-separated values
//   print FILE.chann OUT.pdf [--chinese]     the channel sheet as a PDF
//   write [--verify] PORT... FILE.chann      several radios at once, each read back if asked

#include <QStringList>
#include <optional>

namespace nv {

// Runs the command when the arguments (program name first) name one of these verbs, and
// returns its exit status; nothing when they are for the plain read, write or show.
std::optional<int> runCliVerb(const QStringList& arguments);

}  // namespace nv
