#include "channels/csv/NothingPlaced.h"

#include <algorithm>

namespace nv {

namespace {

bool locationNotAChannel(const CsvNote& n) {
    return n.kind == CsvNote::Skipped || n.kind == CsvNote::NoRoom;
}

}  // namespace

std::string csvNothingPlaced(const CsvImport& r, const CsvPlacement& placement, bool chinese,
                             CsvAdvice advice) {
    if (!r.ok() || !r.channels.empty()) return {};
    const bool cli = advice == CsvAdvice::CommandLine;
    const auto& skipped = r.skipped;
    if (!placement.inOrder && std::any_of(skipped.begin(), skipped.end(), locationNotAChannel))
        return chinese ? (cli ? "位置不在信道 1–16 之内的行被跳过；加上 --in-order "
                                "可按文件顺序放入信道（--first N 从信道 N 开始）"
                              : "位置不在信道 1–16 之内的行被跳过；选择“按文件顺序，从信道”"
                                "可从所选信道起依次放入")
                       : (cli ? "rows at locations outside channels 1 to 16 are skipped; "
                                "--in-order places the rows in file order from channel 1 "
                                "(--first N from channel N)"
                              : "rows at locations outside channels 1 to 16 are skipped; choose "
                                "\"In file order from channel\" to place them from a chosen "
                                "channel");
    if (skipped.empty() && r.leftOut > 0)
        return cli && !placement.locations.empty()
                   ? (chinese ? "没有一行的位置在 --locations 所列之中"
                              : "no row has one of the locations that --locations lists")
                   : (chinese ? "没有勾选任何行" : "no row is checked");
    if (skipped.empty()) return chinese ? "文件中没有信道行" : "the file lists no channels";
    return chinese ? (cli ? "没有一行适合这台对讲机（原因见上）" : "没有一行适合这台对讲机（原因见各行）")
                   : (cli ? "no row fits this radio (the reasons are above)"
                          : "no row fits this radio (each row says why)");
}

}  // namespace nv
