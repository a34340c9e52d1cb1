#pragma once
// The captions and list entries of the optional-features and scan windows in both languages:
// the windows show them, and the channel sheet prints them next to the values they stand for.

#include <string>
#include <vector>

#include "core/AppState.h"
#include "features/SettingField.h"

namespace nv {

struct Words {
    const char* chinese;
    const char* english;
    const char* in(bool chinese_) const { return chinese_ ? chinese : english; }
};

namespace opt::words {
constexpr Words Window{"可选参数", "Optional Features"};
constexpr Words TimeOut{"超时定时器(TOT)[秒]", "Time Out Timer(TOT)[s]"};
constexpr Words PreAlert{"超时定时器预警[秒]", "TOT Pre-Alert[s]"};
constexpr Words Squelch{"静噪电平", "Squelch Level"};
constexpr Words MicSensitivity{"麦克风灵敏度", "Mic Sensitivity"};
constexpr Words Voice{"语音通知", "Voice Annunciation"};
constexpr Words BatterySave{"电池省电", "Battery Save"};
constexpr Words Beep{"哔音", "Beep"};
constexpr Words ScramblerActivation{"扰频器激活", "Scrambler Activation"};
constexpr Words ScramblerBackup{"扰频器备份", "Scrambler Backup"};
constexpr Words PttIdFrame{"PTT ID", "PTT ID"};
constexpr Words PttIdType{"PTT ID 类型", "PTT ID Type"};
constexpr Words PttId{"PTT ID", "PTT ID"};
constexpr Words BeginOfTx{"发射开始", "Begin of TX"};
constexpr Words EndOfTx{"发射结束", "End of TX"};
constexpr Words VoxFrame{"VOX(声控发射)", "VOX"};
constexpr Words Vox{"VOX 功能", "VOX Function"};
constexpr Words VoxGain{"VOX 增益电平", "VOX Gain Level"};
constexpr Words VoxDelay{"VOX 延迟时间[秒]", "VOX Delay Time[s]"};
constexpr Words VoxCancelOperation{"取消操作", "Cancel Operation"};
constexpr Words VoxProceedTone{"VOX 可进行音调", "VOX Proceed Tone"};
constexpr Words VoxInhibitOnReceive{"接收时禁止 VOX ", "VOX Inhibit on Receive"};
constexpr Words FmRadioFrame{"收音机", "FM Radio"};
constexpr Words FmRadio{"收音机启用", "Enable"};
}  // namespace opt::words

namespace opt {
// The entries of a list setting's box, in list order.
std::vector<std::string> listEntries(ListSetting s, bool chinese);
}  // namespace opt

namespace scan::words {
constexpr Words Window{"扫描信息", "Scan Information"};
constexpr Words Priority{"优先", "Priority"};
constexpr Words PriorityChannel{"优先信道", "Priority Channel"};
constexpr Words LookBackA{"回扫时间 A(秒)", "Look Back Time A(s)"};
constexpr Words LookBackB{"回扫时间 B(秒)", "Look Back Time B(s)"};
constexpr Words Revert{"返回信道", "Revert Channel"};
constexpr Words Dropout{"扫描接收恢复延迟时间(秒)", "Dropout Delay Time (s)"};
constexpr Words Dwell{"扫描发射恢复延迟时间(秒)", "TX Dwell Time (s)"};
}  // namespace scan::words

namespace scan {
std::vector<std::string> priorityTexts(bool chinese);
// The revert channels a priority mode offers.
std::vector<std::string> revertTexts(int mode, bool chinese);
std::vector<std::string> lookBackTexts();
std::vector<std::string> secondsTexts();
}  // namespace scan

// One setting as a sheet prints it: its window's caption and the entry or text it shows.
struct SettingLine {
    std::string label;
    std::string value;
};
// A window's settings as it shows them after decoding (a copy of the image is decoded).
std::vector<SettingLine> optionLines(Image image, bool chinese);
std::vector<SettingLine> scanLines(Image image, bool chinese);

}  // namespace nv
