#include "features/FeatureTexts.h"

#include "features/OptionRecord.h"
#include "features/ScanRecord.h"

namespace nv {

namespace {
std::vector<std::string> numbers(int first, int last, int step = 1) {
    std::vector<std::string> l;
    for (int v = first; v <= last; v += step) l.push_back(std::to_string(v));
    return l;
}

std::vector<std::string> offThenNumbers(bool chinese) {
    std::vector<std::string> l{chinese ? "关" : "Off"};
    for (std::string& n : numbers(1, 10)) l.push_back(std::move(n));
    return l;
}

bool same(ListSetting a, ListSetting b) { return a.at.row == b.at.row && a.at.cell == b.at.cell; }

std::string onOff(bool on, bool chinese) {
    return on ? (chinese ? "开" : "On") : (chinese ? "关" : "Off");
}
}  // namespace

namespace opt {
std::vector<std::string> listEntries(ListSetting s, bool c) {
    if (same(s, TimeOut)) return numbers(15, 600, 15);
    if (same(s, PreAlert) || same(s, VoxGain)) return offThenNumbers(c);
    if (same(s, Squelch)) return numbers(0, 9);
    if (same(s, MicSensitivity)) return {c ? "常规" : "Normal", c ? "高" : "High"};
    if (same(s, VoiceAnnunciation))
        return {c ? "关" : "Off", c ? "中文" : "Chinese", c ? "英语" : "English"};
    if (same(s, PttIdType))
        return {c ? "DTMF(双音多频)" : "DTMF", c ? "FleetSync(队列同步)" : "FleetSync"};
    if (same(s, PttIdWhen))
        return {c ? "发射开始" : "BOT", c ? "发射结束" : "EOT", c ? "两者" : "Both"};
    if (same(s, VoxDelay)) return {"0.3", "0.5", "1", "1.5", "2", "3"};
    return {};
}
}  // namespace opt

namespace scan {
std::vector<std::string> priorityTexts(bool c) {
    return {c ? "无" : "None", c ? "固定" : "Fixed", c ? "选定" : "Selected"};
}

std::vector<std::string> revertTexts(int mode, bool c) {
    const std::string selected = c ? "选定" : "Selected",
                      selectedTalkBack = c ? "选定+当前通话" : "Selected+Talk Back",
                      priority = c ? "优先" : "Priority",
                      priorityTalkBack = c ? "优先+当前通话" : "Priority+Talk Back";
    if (mode == NoPriority) return {selected, selectedTalkBack};
    if (mode == FixedChannel) return {selected, selectedTalkBack, priority, priorityTalkBack};
    return {priority, priorityTalkBack};
}

std::vector<std::string> lookBackTexts() {
    std::vector<std::string> l;
    for (int i = 0; i < LookBackEntries; ++i) l.push_back(lookBackText(i));
    return l;
}

std::vector<std::string> secondsTexts() { return numbers(0, LastSeconds); }
}  // namespace scan

std::vector<SettingLine> optionLines(Image im, bool c) {
    opt::normaliseOptions(im);
    std::vector<SettingLine> lines;
    const auto list = [&](const Words& w, ListSetting s) {
        lines.push_back({w.in(c), opt::listEntries(s, c).at(listIndex(im, s))});
    };
    const auto check = [&](const Words& w, SettingField f) {
        lines.push_back({w.in(c), onOff(isChecked(im, f), c)});
    };
    namespace w = opt::words;
    list(w::TimeOut, opt::TimeOut);
    list(w::PreAlert, opt::PreAlert);
    list(w::Squelch, opt::Squelch);
    list(w::MicSensitivity, opt::MicSensitivity);
    list(w::Voice, opt::VoiceAnnunciation);
    check(w::BatterySave, opt::BatterySave);
    check(w::Beep, opt::Beep);
    check(w::ScramblerActivation, opt::ScramblerActivation);
    check(w::ScramblerBackup, opt::ScramblerBackup);
    check(w::FmRadioFrame, opt::FmRadio);  // "Enable" alone says nothing on paper
    list(w::PttIdType, opt::PttIdType);
    list(w::PttId, opt::PttIdWhen);
    lines.push_back({w::BeginOfTx.in(c), opt::dtmfText(im, opt::BeginCodeRow)});
    lines.push_back({w::EndOfTx.in(c), opt::dtmfText(im, opt::EndCodeRow)});
    check(w::Vox, opt::Vox);
    list(w::VoxGain, opt::VoxGain);
    list(w::VoxDelay, opt::VoxDelay);
    check(w::VoxCancelOperation, opt::VoxCancelOperation);
    check(w::VoxProceedTone, opt::VoxProceedTone);
    check(w::VoxInhibitOnReceive, opt::VoxInhibitOnReceive);
    return lines;
}

std::vector<SettingLine> scanLines(Image im, bool c) {
    const scan::ScanView v = scan::decodeScan(im);
    namespace w = scan::words;
    const auto lookBack = scan::lookBackTexts();
    return {{w::Priority.in(c), scan::priorityTexts(c).at(v.mode)},
            {w::PriorityChannel.in(c), v.channel ? std::to_string(*v.channel) : std::string()},
            {w::LookBackA.in(c), lookBack.at(v.lookBackA)},
            {w::LookBackB.in(c), lookBack.at(v.lookBackB)},
            {w::Revert.in(c), scan::revertTexts(v.mode, c).at(v.revert)},
            {w::Dropout.in(c), std::to_string(v.dropout)},
            {w::Dwell.in(c), std::to_string(v.dwell)}};
}

}  // namespace nv
