#pragma once
// The radio's general settings in rows 18 to 21: time-out timer, squelch, VOX, scrambler,
// PTT ID and its two DTMF codes. Every other cell of those rows belongs to nobody here.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "features/SettingField.h"

namespace nv::opt {

constexpr ListSetting TimeOut{{19, 0}, 40, 1};  // 15 s steps; stores position + 1
constexpr ListSetting PreAlert{{19, 1}, 11};
constexpr ListSetting PttIdWhen{{19, 2}, 3};  // begin, end, both
constexpr ListSetting PttIdType{{19, 3}, 2};  // DTMF, FleetSync
constexpr ListSetting Squelch{{19, 4}, 10};
constexpr SettingField BatterySave{19, 5};
constexpr SettingField Beep{19, 6};
constexpr SettingField VoxCancelOperation{19, 7};
constexpr SettingField VoxInhibitOnReceive{19, 8};
constexpr SettingField Vox{19, 9};
constexpr ListSetting VoxGain{{19, 10}, 11};
constexpr ListSetting VoxDelay{{19, 11}, 6};
constexpr SettingField VoxProceedTone{19, 12};
constexpr ListSetting MicSensitivity{{19, 13}, 2};
constexpr SettingField FmRadio{19, 14};
constexpr SettingField ScramblerActivation{18, 12};
constexpr SettingField ScramblerBackup{18, 13};
constexpr ListSetting VoiceAnnunciation{{18, 15}, 3};

constexpr int BeginCodeRow = 20;
constexpr int EndCodeRow = 21;
constexpr int CodeLength = 16;

constexpr std::array<ListSetting, 9> Lists = {TimeOut,   PreAlert,       PttIdWhen,
                                              PttIdType, Squelch,        VoxGain,
                                              VoxDelay,  MicSensitivity, VoiceAnnunciation};
constexpr std::array<SettingField, 9> Checks = {
    BatterySave,    Beep,    VoxCancelOperation,  VoxInhibitOnReceive, Vox,
    VoxProceedTone, FmRadio, ScramblerActivation, ScramblerBackup};

// Writes every list and check setting back in its normalised form: a time-out of 0 becomes 1,
// a value beyond its list the last entry, a nonzero check 1. The code rows are not touched.
void normaliseOptions(Image& image);

// Which code boxes the PTT ID choice (begin, end, both) opens.
inline bool beginCodeUsed(int pttIdWhen) { return pttIdWhen != 1; }
inline bool endCodeUsed(int pttIdWhen) { return pttIdWhen != 0; }

// DTMF codes: "0" to "9" and "A" to "D", one character a cell from cell 0, 255 after the last.
bool isDtmfCharacter(char c);
// The characters of a code row; any other value in the row is skipped.
std::string dtmfText(const Image& image, int row);
// Rewrites the whole row from a code (at most 16 characters of the alphabet).
void storeDtmf(Image& image, int row, std::string_view code);
// What a key typed into a code box holding `current` puts into the box: the upper-case
// character, or nothing when the code is full or the key is outside the alphabet.
std::optional<char> acceptDtmfKey(std::string_view current, char32_t key);
// The text a code box keeps: blanks trimmed, cut at the first character outside the alphabet,
// a lower-case "a" to "d" upper-cased with whatever followed it dropped, at most 16 characters.
std::string cleanDtmf(std::u32string_view text);

}  // namespace nv::opt
