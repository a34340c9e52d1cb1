#include "channels/ImageDiff.h"

#include <array>
#include <bit>
#include <cstdio>
#include <functional>

#include "channels/ChannelRecord.h"
#include "core/Frequency.h"
#include "core/Tones.h"

namespace nv {

namespace {

struct Texts {
    const char* chinese;
    const char* english;
};

// Value texts of a list, in both languages; a value beyond the list shows as its number.
using Choices = std::vector<Texts>;

enum class Format {
    Number,       // the stored value
    Word,         // two cells, low byte first
    OnOff,        // a check box: 1 or 0
    List,         // a list position
    OffOrNumber,  // 0 off, else the number
    Tot,          // 15 seconds per step
    LookBack,     // 0.50 s + 0.05 s per step above 1
    Channel,      // 1 to 16, 255 none
    Key,          // a key function code
    Dtmf,         // a DTMF code of 16 cells
};

enum class Section { Keys, Features, Scan };

struct Setting {
    Section section;
    int row;
    int cell;
    Texts name;
    Format format;
    const Choices* choices = nullptr;
};

const Choices PttIdWhen{{"发射开始", "BOT"}, {"发射结束", "EOT"}, {"两者", "Both"}};
const Choices PttIdKind{{"DTMF(双音多频)", "DTMF"}, {"FleetSync(队列同步)", "FleetSync"}};
const Choices VoxDelay{{"0.3", "0.3"}, {"0.5", "0.5"}, {"1", "1"},
                       {"1.5", "1.5"}, {"2", "2"},     {"3", "3"}};
const Choices MicLevel{{"常规", "Normal"}, {"高", "High"}};
const Choices Voice{{"关", "Off"}, {"中文", "Chinese"}, {"英语", "English"}};
const Choices Priority{{"无", "None"}, {"固定", "Fixed"}, {"选定", "Selected"}};
const Choices Revert{{"选定", "Selected"},
                     {"选定+当前通话", "Selected+Talk Back"},
                     {"优先", "Priority"},
                     {"优先+当前通话", "Priority+Talk Back"}};
const Choices KeyFunctions{{"自动拨号", "Autodial"},
                           {"自动拨号", "Autodial"},
                           {"按键锁定", "Key Lock"},
                           {"按键锁定及备份", "Key Lock with Backup"},
                           {"监听", "Monitor"},
                           {"监听瞬时", "Monitor Momentary"},
                           {"扫描", "Scan"},
                           {"扫描 + 暂时删除", "Scan+Temporary Delete"},
                           {"扰频器", "Scrambler"},
                           {"取消静噪", "Squelch Off"},
                           {"瞬时取消静噪", "Squelch Off Momentary"},
                           {"暂时删除", "Temporary Delete"}};

// clang-format off
const Setting Settings[] = {
    {Section::Keys, 17, 13, {"PF1 键", "Key PF1"}, Format::Key},
    {Section::Keys, 17, 14, {"PF2 键", "Key PF2"}, Format::Key},
    {Section::Features, 19, 0, {"超时定时器(TOT)[秒]", "Time Out Timer(TOT)[s]"}, Format::Tot},
    {Section::Features, 19, 1, {"超时定时器预警[秒]", "TOT Pre-Alert[s]"}, Format::OffOrNumber},
    {Section::Features, 19, 4, {"静噪电平", "Squelch Level"}, Format::Number},
    {Section::Features, 19, 13, {"麦克风灵敏度", "Mic Sensitivity"}, Format::List, &MicLevel},
    {Section::Features, 18, 15, {"语音通知", "Voice Annunciation"}, Format::List, &Voice},
    {Section::Features, 19, 5, {"电池省电", "Battery Save"}, Format::OnOff},
    {Section::Features, 19, 6, {"哔音", "Beep"}, Format::OnOff},
    {Section::Features, 18, 12, {"扰频器激活", "Scrambler Activation"}, Format::OnOff},
    {Section::Features, 18, 13, {"扰频器备份", "Scrambler Backup"}, Format::OnOff},
    {Section::Features, 19, 3, {"PTT ID 类型", "PTT ID Type"}, Format::List, &PttIdKind},
    {Section::Features, 19, 2, {"PTT ID", "PTT ID"}, Format::List, &PttIdWhen},
    {Section::Features, 20, 0, {"PTT ID 发射开始", "PTT ID Begin of TX"}, Format::Dtmf},
    {Section::Features, 21, 0, {"PTT ID 发射结束", "PTT ID End of TX"}, Format::Dtmf},
    {Section::Features, 19, 9, {"VOX 功能", "VOX Function"}, Format::OnOff},
    {Section::Features, 19, 10, {"VOX 增益电平", "VOX Gain Level"}, Format::OffOrNumber},
    {Section::Features, 19, 11, {"VOX 延迟时间[秒]", "VOX Delay Time[s]"}, Format::List, &VoxDelay},
    {Section::Features, 19, 7, {"VOX 取消操作", "VOX Cancel Operation"}, Format::OnOff},
    {Section::Features, 19, 12, {"VOX 可进行音调", "VOX Proceed Tone"}, Format::OnOff},
    {Section::Features, 19, 8, {"接收时禁止 VOX", "VOX Inhibit on Receive"}, Format::OnOff},
    {Section::Features, 19, 14, {"收音机启用", "FM Radio"}, Format::OnOff},
    {Section::Scan, 22, 0, {"优先", "Priority"}, Format::List, &Priority},
    {Section::Scan, 22, 1, {"优先信道", "Priority Channel"}, Format::Channel},
    {Section::Scan, 22, 2, {"回扫时间 A(秒)", "Look Back Time A(s)"}, Format::LookBack},
    {Section::Scan, 22, 3, {"回扫时间 B(秒)", "Look Back Time B(s)"}, Format::LookBack},
    {Section::Scan, 22, 4, {"返回信道", "Revert Channel"}, Format::List, &Revert},
    {Section::Scan, 22, 5, {"扫描接收恢复延迟时间(秒)", "Dropout Delay Time (s)"}, Format::Word},
    {Section::Scan, 22, 7, {"扫描发射恢复延迟时间(秒)", "TX Dwell Time (s)"}, Format::Word},
};
// clang-format on

int cellsOf(Format f) { return f == Format::Word ? 2 : f == Format::Dtmf ? 16 : 1; }

std::string hexBytes(const Image& im, int row, int first, int last) {
    std::string out;
    char buf[4];
    for (int c = first; c <= last; ++c) {
        std::snprintf(buf, sizeof buf, "%02X", im.byte(row, c));
        out += (c == first ? "" : " ") + std::string(buf);
    }
    return out;
}

std::string address(int row, int cell) {
    char buf[16];  // room for any int, though an address has three digits
    std::snprintf(buf, sizeof buf, "0x%03X", row * 16 + cell);
    return buf;
}

class Differ {
  public:
    Differ(const AppState& s, const Image& left, const Image& right, bool chinese, int lastRow)
        : s_(s),
          l_(left),
          r_(right),
          chinese_(chinese),
          lastRow_(std::min(lastRow, RadioRows - 1)) {}

    std::vector<Difference> run() {
        if (lastRow_ >= ch::ScanRow)
            for (int n = 1; n <= ChannelCount; ++n) channel(n);
        for (const Setting& setting : Settings)
            if (setting.row <= lastRow_) this->setting(setting);
        otherBytes();
        return std::move(out_);
    }

  private:
    const char* say(const Texts& t) const { return chinese_ ? t.chinese : t.english; }
    const char* say(const char* chinese, const char* english) const {
        return chinese_ ? chinese : english;
    }

    // Adds a difference when the two texts differ, and counts the bits as explained.
    void add(const std::string& where, const std::string& what, const std::string& left,
             const std::string& right, std::initializer_list<std::array<int, 3>> bits) {
        if (left == right) return;
        out_.push_back({where, what, left, right});
        for (const auto& [row, cell, mask] : bits) explained_[row][cell] |= mask;
    }

    // --- channels ---
    std::string toneText(const Image& im, int n, int cell) const {
        const int low = im.byte(n, cell), high = im.byte(n, cell + 1);
        std::string t = trim(gridToneText(s_, low, high, chinese_));
        if (t.empty()) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "? (%02X %02X)", low, high);
            t = buf;
        }
        return t;
    }
    std::string txText(const Image& im, int n) const {
        return hasTxFrequency(im, n) ? frequencyToText(im, n, ch::TxFreq) : say("无", "none");
    }
    std::string summary(const Image& im, int n) const {
        if (isEmptyChannel(im, n)) return say("空", "empty");
        return frequencyToText(im, n, ch::RxFreq) + " / " + txText(im, n);
    }
    std::string fieldText(const Image& im, int n, Field f) const {
        return std::to_string(getField(im, n, f));
    }
    std::string yesNo(bool on) const { return on ? say("开", "On") : say("关", "Off"); }

    void channel(int n) {
        const bool emptyL = isEmptyChannel(l_, n), emptyR = isEmptyChannel(r_, n);
        if (emptyL && emptyR) return;  // other bytes of empty channels show by address
        const std::string where = say("信道 ", "Channel ") + std::to_string(n);
        const int scanCell = n <= 8 ? ch::ScanCellLow : ch::ScanCellHigh;
        const int scanMask = 1 << ((n - 1) % 8);
        const std::string scanL = yesNo(scanBit(l_, n)), scanR = yesNo(scanBit(r_, n));
        if (emptyL || emptyR) {
            add(where, say("信道", "Channel"), summary(l_, n), summary(r_, n),
                {{n, 0, 0xFF},
                 {n, 1, 0xFF},
                 {n, 2, 0xFF},
                 {n, 3, 0xFF},
                 {n, 4, 0xFF},
                 {n, 5, 0xFF},
                 {n, 6, 0xFF},
                 {n, 7, 0xFF},
                 {n, 8, 0xFF},
                 {n, 9, 0xFF},
                 {n, 10, 0xFF},
                 {n, 11, 0xFF},
                 {n, 12, 0xFF},
                 {n, 13, 0xFF},
                 {n, 14, 0xFF},
                 {n, 15, 0xFF}});
            add(where, say("扫描添加", "Scan Add"), scanL, scanR,
                {{ch::ScanRow, scanCell, scanMask}});
            return;
        }
        add(where, say("接收频率", "RX Frequency"), frequencyToText(l_, n, ch::RxFreq),
            frequencyToText(r_, n, ch::RxFreq),
            {{n, 0, 0xFF}, {n, 1, 0xFF}, {n, 2, 0xFF}, {n, 3, 0xFF}});
        add(where, say("发射频率", "TX Frequency"), txText(l_, n), txText(r_, n),
            {{n, 4, 0xFF}, {n, 5, 0xFF}, {n, 6, 0xFF}, {n, 7, 0xFF}});
        add(where, say("QT/DQT 解码", "QT/DQT Decode"), toneText(l_, n, ch::DecodeTone),
            toneText(r_, n, ch::DecodeTone), {{n, 8, 0xFF}, {n, 9, 0xFF}});
        add(where, say("QT/DQT 编码", "QT/DQT Encode"), toneText(l_, n, ch::EncodeTone),
            toneText(r_, n, ch::EncodeTone), {{n, 10, 0xFF}, {n, 11, 0xFF}});
        add(where, say("发射功率", "TX Power"),
            getField(l_, n, ch::HighPower) ? say("高", "High") : say("低", "Low"),
            getField(r_, n, ch::HighPower) ? say("高", "High") : say("低", "Low"),
            {{n, ch::HighPower.cell, ch::HighPower.mask}});
        add(where, say("宽带/窄带", "Wide/Narrow"),
            getField(l_, n, ch::Wide) ? say("宽带", "Wide") : say("窄带", "Narrow"),
            getField(r_, n, ch::Wide) ? say("宽带", "Wide") : say("窄带", "Narrow"),
            {{n, ch::Wide.cell, ch::Wide.mask}});
        add(where, say("扫描添加", "Scan Add"), scanL, scanR, {{ch::ScanRow, scanCell, scanMask}});
        const std::pair<Texts, Field> numbers[] = {
            {{"可选信令", "Option Signalling"}, ch::OptSig},
            {{"繁忙信道锁定", "Busy Channel Lockout"}, ch::BusyLockout},
            {{"SP不静音", "SP Unmute"}, ch::SpUnmute},
        };
        for (const auto& [name, f] : numbers)
            add(where, say(name), fieldText(l_, n, f), fieldText(r_, n, f), {{n, f.cell, f.mask}});
        const std::pair<Texts, Field> switches[] = {
            {{"PTT ID", "PTT ID"}, ch::PttId},
            {{"压括器", "Compander"}, ch::Compander},
            {{"拍频偏移", "Beat Shift"}, ch::BeatShift},
        };
        for (const auto& [name, f] : switches)
            add(where, say(name), yesNo(getField(l_, n, f)), yesNo(getField(r_, n, f)),
                {{n, f.cell, f.mask}});
        add(where, say("自动拨号存储器", "Autodial Memory"),
            std::to_string(getField(l_, n, ch::AutodialMemory) + 1),
            std::to_string(getField(r_, n, ch::AutodialMemory) + 1),
            {{n, ch::AutodialMemory.cell, ch::AutodialMemory.mask}});
    }

    // --- settings rows ---
    std::string choice(const Choices& list, int v) const {
        return v < static_cast<int>(list.size()) ? say(list[v]) : std::to_string(v);
    }
    std::string value(const Image& im, const Setting& st) const {
        const int v = im.byte(st.row, st.cell);
        switch (st.format) {
            case Format::Number:
                return std::to_string(v);
            case Format::Word:
                return std::to_string(v + 256 * im.byte(st.row, st.cell + 1));
            case Format::OnOff:
                return v <= 1 ? yesNo(v == 1) : std::to_string(v);
            case Format::List:
                return choice(*st.choices, v);
            case Format::OffOrNumber:
                return v == 0 ? say("关", "Off") : std::to_string(v);
            case Format::Tot:
                return std::to_string(15 * v);
            case Format::LookBack: {
                if (v > 91) return std::to_string(v);
                char buf[8];
                const int hundredths = 50 + 5 * (v > 0 ? v - 1 : 0);
                std::snprintf(buf, sizeof buf, "%d.%02d", hundredths / 100, hundredths % 100);
                return buf;
            }
            case Format::Channel:
                return v == 255 ? say("无", "none") : std::to_string(v);
            case Format::Key:
                return v == 255 ? say("无", "None") : choice(KeyFunctions, v);
            case Format::Dtmf: {
                std::string code;
                for (int c = 0; c < 16; ++c) {
                    const int b = im.byte(st.row, c);
                    if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'D'))
                        code += static_cast<char>(b);
                }
                return code.empty() ? say("无", "none") : code;
            }
        }
        return std::to_string(v);
    }

    void setting(const Setting& st) {
        static const Texts SectionNames[] = {
            {"键设定", "Key Assignment"}, {"可选功能", "Optional Features"}, {"扫描信息", "Scan"}};
        const std::string l = value(l_, st), r = value(r_, st);
        if (l == r) return;
        out_.push_back({say(SectionNames[static_cast<int>(st.section)]), say(st.name), l, r});
        for (int c = st.cell; c < st.cell + cellsOf(st.format); ++c) explained_[st.row][c] = 0xFF;
    }

    // --- everything else, by address ---
    void otherBytes() {
        const std::string where = say("其他字节", "Other bytes");
        for (int row = 0; row <= lastRow_; ++row) {
            int c = 0;
            while (c < RadioCells) {
                if (!unexplained(row, c)) {
                    ++c;
                    continue;
                }
                const int first = c;
                while (c + 1 < RadioCells && unexplained(row, c + 1)) ++c;
                std::string what = address(row, first);
                if (c > first) what += "-" + address(row, c);
                out_.push_back(
                    {where, what, hexBytes(l_, row, first, c), hexBytes(r_, row, first, c)});
                ++c;
            }
        }
    }
    bool unexplained(int row, int cell) const {
        return ((l_.byte(row, cell) ^ r_.byte(row, cell)) & ~explained_[row][cell]) != 0;
    }

    const AppState& s_;
    const Image& l_;
    const Image& r_;
    const bool chinese_;
    const int lastRow_;
    std::array<std::array<int, RadioCells>, RadioRows> explained_{};
    std::vector<Difference> out_;
};

}  // namespace

std::vector<Difference> compareImages(const AppState& s, const Image& left, const Image& right,
                                      bool chinese, int lastRow) {
    return Differ(s, left, right, chinese, lastRow).run();
}

}  // namespace nv
